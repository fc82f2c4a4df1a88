// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small picture at the bottom right of the main window: a trip
// computer's display with a few of its readings, drawn at any size.
#include <QWidget>

namespace tc {

class TPictureStrip : public QWidget {
 public:
  explicit TPictureStrip(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* e) override;
};

}  // namespace tc
