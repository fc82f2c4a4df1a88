// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/placement.h"

#include <QWidget>

#include "util/ini_file.h"

namespace tc {
namespace {
int StateOf(const QWidget& w) {
  if (w.windowState() & Qt::WindowMinimized) return 1;
  if (w.windowState() & Qt::WindowMaximized) return 2;
  return 0;
}
}  // namespace

void LoadPlacement(const TMIniFile& ini, const std::string& section, QWidget& window,
                   bool sizeable) {
  const int state = ini.ReadInteger(section, "State", StateOf(window));
  Qt::WindowStates ws = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  if (state == 1) ws |= Qt::WindowMinimized;
  // A window of fixed size cannot be maximized.
  if (state == 2 && sizeable) ws |= Qt::WindowMaximized;
  window.setWindowState(ws);
  if (state != 2) {
    int left = ini.ReadInteger(section, "Left", window.x());
    int top = ini.ReadInteger(section, "Top", window.y());
    window.move(left < 0 ? 0 : left, top < 0 ? 0 : top);
  }
  if (sizeable) {
    int w = ini.ReadInteger(section, "Width", window.width());
    int h = ini.ReadInteger(section, "Height", window.height());
    window.resize(w < 0 ? 100 : w, h < 0 ? 100 : h);
  }
}

void SavePlacement(TMIniFile& ini, const std::string& section, const QWidget& window) {
  const QRect frame = window.frameGeometry();
  ini.WriteInteger(section, "State", StateOf(window));
  ini.WriteInteger(section, "Left", frame.x());
  ini.WriteInteger(section, "Top", frame.y());
  ini.WriteInteger(section, "Width", frame.width());
  ini.WriteInteger(section, "Height", frame.height());
}

}  // namespace tc
