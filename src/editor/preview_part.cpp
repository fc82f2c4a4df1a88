// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/preview_part.h"

#include <QActionGroup>
#include <QMenu>

#include "editor_core/page_colors.h"
#include "editor_core/page_layouts.h"
#include "model/preview_surface.h"
#include "model/tmk.h"
#include "ui/message_service.h"
#include "util/errors.h"

namespace tc {

TPreviewView::TPreviewView(TSettingsBinder& binder, PreviewScreen screen, int display,
                           QWidget* parent)
    : TPictureView(parent),
      binder_(binder),
      screen_(screen),
      display_(display),
      width_(PreviewWidth(screen)) {
  setObjectName(QString("pb%1_%2").arg(PreviewScreenName(screen)).arg(display + 1));
  // At the device's own resolution, so a device pixel is a widget pixel.
  SetScale(1);
  setFixedSize(width_, kScreenHeight);
}

void TPreviewView::MarkStale() {
  stale_ = true;
  update();
}

const QImage& TPreviewView::Image() {
  if (stale_) Draw();
  return Picture();
}

void TPreviewView::Draw() {
  stale_ = false;
  ++draws_;
  EditorContext& ctx = binder_.Context();
  PreviewSurface surface(width_, kScreenHeight);
  try {
    PreviewInput in(ctx.mk, ctx.mk.MeasParList);
    in.english = binder_.English();
    in.scheme = EditedScheme(ctx);
    PreparePreviewInput(ctx, screen_, in);
    PaintPreview(surface, screen_, in, display_);
  } catch (const TripError&) {
    // A screen the model cannot draw stays blank rather than stop the page.
  }
  SetPicture(QImage(surface.Rgb().data(), width_, kScreenHeight, 3 * width_, QImage::Format_RGB888)
                 .copy());
}

void TPreviewView::paintEvent(QPaintEvent* e) {
  if (stale_) Draw();
  TPictureView::paintEvent(e);
}

TPreviewPart::TPreviewPart(TSettingsBinder& binder, QWidget* page)
    : QObject(page), binder_(binder), page_(page) {
  binder.AddPart(this);
}

TPreviewView* TPreviewPart::AddView(PreviewScreen screen, int display, bool editable) {
  auto* view = new TPreviewView(binder_, screen, display, page_);
  views_.push_back(view);
  if (editable)
    // Only the right button chooses; a left click does nothing.
    connect(view, &TPictureView::RightClicked, this,
            [this, view](QPoint at, QPoint global) { OpenCellMenu(view, at.x(), at.y(), global); });
  return view;
}

void TPreviewPart::Load() {
  // The name of parameter 11 follows the temperature signature.
  ApplyTemperatureSignature(binder_.Context());
  for (TPreviewView* v : views_) v->MarkStale();
}

void TPreviewPart::OpenCellMenu(TPreviewView* view, int x, int y, QPoint globalPos) {
  const PreviewScreen screen = view->Screen();
  const int cell = CellAt(screen, x, y, view->width(), view->height());
  if (cell < 0) return;
  EditorContext& ctx = binder_.Context();
  const int stored = StoredCell(ctx, screen, view->Display(), cell);
  QMenu menu(view);
  menu.setObjectName("pmCell");
  auto* group = new QActionGroup(&menu);
  for (const CellChoice& c : CellMenu(ctx, screen, cell)) {
    QAction* a = menu.addAction(QString::fromStdString(c.caption.Get(binder_.English())));
    a->setCheckable(true);
    a->setChecked(c.code == stored);
    a->setData(c.code);
    group->addAction(a);
  }
  if (menu.isEmpty()) return;
  QAction* chosen = menu.exec(globalPos);
  if (!chosen) return;
  try {
    if (StoreCellChoice(ctx, screen, view->Display(), cell, chosen->data().toInt()))
      binder_.Reload();
  } catch (const TripError& e) {
    ShowError(e.what(), page_->window());
  }
}

}  // namespace tc
