// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The previews of the display pages: a view that shows one of the device's
// screens at its own resolution, and the editor part that keeps the views of
// a page drawn and opens a cell's pop-up on a right-click.
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "editor/settings_binder.h"
#include "model/preview.h"
#include "ui/picture_view.h"

class QMenu;

namespace tc {

// One preview. It draws itself only when it is on screen: a reload marks it
// stale and the next paint draws it anew, so hidden pages cost nothing.
class TPreviewView : public TPictureView {
  Q_OBJECT
 public:
  TPreviewView(TSettingsBinder& binder, PreviewScreen screen, int display, QWidget* parent);

  PreviewScreen Screen() const { return screen_; }
  int Display() const { return display_; }
  // The picture as last drawn (drawn now when stale).
  const QImage& Image();
  void MarkStale();
  bool Stale() const { return stale_; }
  // How many times the picture was drawn (for tests).
  int Draws() const { return draws_; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  void Draw();

  TSettingsBinder& binder_;
  PreviewScreen screen_;
  int display_;
  int width_;
  bool stale_ = true;
  int draws_ = 0;
};

// The previews of one page and their cell pop-ups. A choice is stored with
// its range check and every control and preview is reloaded.
class TPreviewPart : public QObject, public TEditorPart {
  Q_OBJECT
 public:
  TPreviewPart(TSettingsBinder& binder, QWidget* page);

  // A preview of (screen, display); cell pop-ups only with `editable`.
  TPreviewView* AddView(PreviewScreen screen, int display, bool editable = true);
  const std::vector<TPreviewView*>& Views() const { return views_; }

  void Load() override;

 private:
  void OpenCellMenu(TPreviewView* view, int x, int y, QPoint globalPos);

  TSettingsBinder& binder_;
  QWidget* page_;
  std::vector<TPreviewView*> views_;
};

}  // namespace tc
