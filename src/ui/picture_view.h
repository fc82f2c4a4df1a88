// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shows a picture the core drew (an RgbImage: a device screen, the info
// panel, an oscilloscope plot) at the device's resolution, enlarged by a whole
// number so that its pixels stay sharp, and reports clicks in device pixels so
// that a page can hit-test what was clicked.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <optional>

namespace tc {

class RgbImage;

// A copy of the core's picture as a QImage.
QImage ToQImage(const RgbImage& image);

class TPictureView : public QWidget {
  Q_OBJECT
 public:
  explicit TPictureView(QWidget* parent = nullptr);

  void SetImage(const RgbImage& image);
  void SetPicture(QImage picture);
  const QImage& Picture() const { return picture_; }

  // 1, 2, 3 ...: each device pixel as that many screen pixels, drawn from
  // the top-left corner. 0: the largest whole scale that fits the widget,
  // centred in it.
  void SetScale(int scale);
  int Scale() const;
  // Where the picture lies in the widget.
  QRect PictureRect() const;
  // The device pixel under a widget position; none outside the picture.
  std::optional<QPoint> DevicePixelAt(QPoint widgetPos) const;

  QSize sizeHint() const override;

 signals:
  // A click on the picture: the device pixel and the global position (where
  // a pop-up menu opens).
  void LeftClicked(QPoint devicePixel, QPoint globalPos);
  void RightClicked(QPoint devicePixel, QPoint globalPos);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  QImage picture_;
  int scale_ = 1;
};

}  // namespace tc
