// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/picture_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "util/rgb_image.h"

namespace tc {

QImage ToQImage(const RgbImage& image) {
  if (image.Width() <= 0 || image.Height() <= 0) return QImage();
  const QImage view(image.Bytes().data(), image.Width(), image.Height(), 3 * image.Width(),
                    QImage::Format_RGB888);
  return view.copy();  // the core's buffer may go before the widget does
}

TPictureView::TPictureView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPictureView::SetImage(const RgbImage& image) {
  SetPicture(ToQImage(image));
}

void TPictureView::SetPicture(QImage picture) {
  const bool resized = picture.size() != picture_.size();
  picture_ = std::move(picture);
  if (resized) updateGeometry();
  update();
}

void TPictureView::SetScale(int scale) {
  scale_ = std::max(scale, 0);
  updateGeometry();
  update();
}

int TPictureView::Scale() const {
  if (scale_ > 0) return scale_;
  if (picture_.isNull()) return 1;
  return std::max(1, std::min(width() / picture_.width(), height() / picture_.height()));
}

QRect TPictureView::PictureRect() const {
  const int s = Scale();
  QRect r(0, 0, picture_.width() * s, picture_.height() * s);
  if (scale_ == 0) r.moveCenter(rect().center());
  return r;
}

std::optional<QPoint> TPictureView::DevicePixelAt(QPoint widgetPos) const {
  const QRect r = PictureRect();
  if (picture_.isNull() || !r.contains(widgetPos)) return std::nullopt;
  const int s = Scale();
  const QPoint d = widgetPos - r.topLeft();
  return QPoint(d.x() / s, d.y() / s);
}

QSize TPictureView::sizeHint() const {
  if (picture_.isNull()) return QSize(0, 0);
  return picture_.size() * std::max(scale_, 1);
}

void TPictureView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  if (picture_.isNull()) return;
  // Nearest-neighbour enlargement: a device pixel is a sharp square.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(PictureRect(), picture_);
}

void TPictureView::mousePressEvent(QMouseEvent* e) {
  const std::optional<QPoint> pixel = DevicePixelAt(e->position().toPoint());
  if (!pixel) return QWidget::mousePressEvent(e);
  const QPoint global = e->globalPosition().toPoint();
  if (e->button() == Qt::LeftButton)
    emit LeftClicked(*pixel, global);
  else if (e->button() == Qt::RightButton)
    emit RightClicked(*pixel, global);
  e->accept();
}

}  // namespace tc
