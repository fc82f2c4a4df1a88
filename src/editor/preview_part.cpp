#include "editor/preview_part.h"

#include <QActionGroup>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "editor_core/page_colors.h"
#include "editor_core/page_layouts.h"
#include "model/preview_surface.h"
#include "model/tmk.h"
#include "ui/message_service.h"
#include "util/errors.h"

namespace tc {

TPreviewView::TPreviewView(TSettingsBinder& binder, PreviewScreen screen, int display,
                           QWidget* parent)
    : QWidget(parent),
      binder_(binder),
      screen_(screen),
      display_(display),
      width_(PreviewWidth(screen)) {
  setObjectName(QString("pb%1_%2").arg(PreviewScreenName(screen)).arg(display + 1));
  setFixedSize(width_, kScreenHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPreviewView::MarkStale() {
  stale_ = true;
  update();
}

const QImage& TPreviewView::Image() {
  if (stale_) Draw();
  return image_;
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
  image_ =
      QImage(surface.Rgb().data(), width_, kScreenHeight, 3 * width_, QImage::Format_RGB888).copy();
}

void TPreviewView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Image());
}

void TPreviewView::mousePressEvent(QMouseEvent* e) {
  // Only the right button chooses; a left click does nothing.
  if (e->button() != Qt::RightButton) return;
  const QPoint at = e->position().toPoint();
  emit RightClicked(at.x(), at.y(), e->globalPosition().toPoint());
}

TPreviewPart::TPreviewPart(TSettingsBinder& binder, QWidget* page)
    : QObject(page), binder_(binder), page_(page) {
  binder.AddPart(this);
}

TPreviewView* TPreviewPart::AddView(PreviewScreen screen, int display, bool editable) {
  auto* view = new TPreviewView(binder_, screen, display, page_);
  views_.push_back(view);
  if (editable)
    connect(view, &TPreviewView::RightClicked, this,
            [this, view](int x, int y, QPoint global) { OpenCellMenu(view, x, y, global); });
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
