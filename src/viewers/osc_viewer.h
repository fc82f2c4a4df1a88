// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMK_ViewOscDlg: the trace recorded by the trip computer's oscilloscope,
// drawn by the core into a picture and shown here, with a scroll bar along
// the trace and a choice of the time base of the display.
#include <QDialog>

#include "util/fixed_text.h"

class QScrollBar;

namespace tc {

class TMK;
class TPictureView;
class TRadioGroup;

class TMK_ViewOscDlg : public QDialog {
  Q_OBJECT
 public:
  // Takes TMK's copies of the two oscilloscope records as they are (see
  // TMK::LoadOscRecords). Throws RangeError when a header index lies
  // outside its table, since such a trace cannot be drawn.
  explicit TMK_ViewOscDlg(TMK& mk, QWidget* parent = nullptr);

  TPictureView* PaintBox;
  QScrollBar* ScrollBar;
  TRadioGroup* rgTimeBase;
  TRadioGroup* rgVoltsPerDiv;
  TRadioGroup* rgDivider;

  // Scroll offset in samples.
  int Offset() const { return offset_; }
  // Draws the plot again; an error is shown and leaves the plot black.
  void Redraw();
  // What choosing time base `index` does.
  void ChooseTimeBase(int index);

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void BuildControls();
  void ApplyLanguage();
  void ScrollTo(int n);

  TMK& mk_;
  CellFormat fmt_;
  int offset_ = 0;
};

}  // namespace tc
