// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/picture_strip.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tc {

TPictureStrip::TPictureStrip(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TranslucentBackground);
}

void TPictureStrip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  // Everything is laid out on a 240 x 40 grid and stretched to the widget.
  p.scale(width() / 240.0, height() / 40.0);

  // Device body.
  QLinearGradient body(0, 0, 0, 40);
  body.setColorAt(0, QColor(70, 74, 82));
  body.setColorAt(1, QColor(24, 26, 30));
  QPainterPath outline;
  outline.addRoundedRect(QRectF(1, 1, 238, 38), 8, 8);
  p.fillPath(outline, body);

  // Screen.
  const QRectF screen(44, 6, 152, 28);
  QLinearGradient glass(screen.topLeft(), screen.bottomLeft());
  glass.setColorAt(0, QColor(10, 40, 70));
  glass.setColorAt(1, QColor(4, 18, 36));
  p.setPen(QPen(QColor(120, 130, 140), 1));
  p.setBrush(glass);
  p.drawRoundedRect(screen, 3, 3);

  QFont f = font();
  f.setBold(true);
  f.setPixelSize(13);
  p.setFont(f);
  p.setPen(QColor(120, 220, 255));
  p.drawText(QRectF(48, 7, 70, 26), Qt::AlignVCenter | Qt::AlignLeft, "7.4");
  p.setPen(QColor(255, 190, 80));
  p.drawText(QRectF(120, 7, 72, 26), Qt::AlignVCenter | Qt::AlignRight, "87 km/h");
  f.setBold(false);
  f.setPixelSize(7);
  p.setFont(f);
  p.setPen(QColor(120, 220, 255));
  p.drawText(QRectF(76, 9, 40, 10), Qt::AlignLeft, "l/100");

  // Buttons either side of the screen.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 2; ++i) {
    p.setBrush(QColor(150, 155, 165));
    p.drawEllipse(QPointF(14 + 14 * i, 20), 5, 5);
    p.drawEllipse(QPointF(212 + 14 * i, 20), 5, 5);
  }
}

}  // namespace tc
