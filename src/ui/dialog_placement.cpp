// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialog_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tc {

void CentreOnScreen(QWidget* window, const QWidget* near) {
  QScreen* screen = near ? near->screen() : nullptr;
  if (!screen) screen = window->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  // Before the first show the frame is not known yet; the window manager
  // adds it around the client area, so centre what there is.
  const QRect frame = window->frameGeometry();
  const QPoint shift = window->pos() - frame.topLeft();
  QRect target(QPoint(), frame.size());
  target.moveCenter(screen->availableGeometry().center());
  window->move(target.topLeft() + shift);
}

}  // namespace tc
