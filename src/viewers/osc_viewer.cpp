// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/osc_viewer.h"

#include <QScrollBar>

#include "model/oscilloscope.h"
#include "model/tmk.h"
#include "ui/dialog_placement.h"
#include "ui/message_service.h"
#include "ui/page_layout.h"
#include "ui/picture_view.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "util/errors.h"
#include "util/text_pair.h"

namespace tc {
namespace {

constexpr int kClientWidth = 1002;
constexpr int kClientHeight = 523;
constexpr int kScrollBarHeight = 16;
constexpr int kGroupsTop = kOscPlotHeight + kScrollBarHeight + 8;
constexpr int kGroupsHeight = 121;

}  // namespace

TMK_ViewOscDlg::TMK_ViewOscDlg(TMK& mk, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      mk_(mk),
      fmt_{EnglishVersion(), UserDecimalSeparator()} {
  setObjectName("MK_ViewOscDlg");
  setModal(true);
  setFixedSize(kClientWidth, kClientHeight);
  QFont f = font();
  f.setPixelSize(11);
  setFont(f);

  // A trace whose headers name no scale cannot be drawn at all; say so
  // once, before a window full of nothing opens.
  const OscTrace trace = ReadOscTrace(mk_);
  CheckOscTrace(trace);

  BuildControls();
  ApplyGroupStyle(this);
  QStringList volts;
  for (int i = 0; i < kVoltsPerDivCount; ++i)
    volts << QString::fromStdString(VoltsPerDivisionLabel(trace.recording.divider, i));
  rgVoltsPerDiv->SetItems(volts, {}, 1);
  rgTimeBase->SetItemIndex(trace.view.timeBase);
  rgVoltsPerDiv->SetItemIndex(trace.view.voltsPerDiv);
  rgDivider->SetItemIndex(trace.view.divider);
  ScrollBar->setValue(0);
  offset_ = 0;
  ApplyLanguage();
  Redraw();
}

void TMK_ViewOscDlg::BuildControls() {
  PaintBox = new TPictureView(this);
  PaintBox->setObjectName("PaintBox");
  PaintBox->setGeometry(0, 0, kClientWidth, kOscPlotHeight);

  ScrollBar = new QScrollBar(Qt::Horizontal, this);
  ScrollBar->setObjectName("ScrollBar");
  ScrollBar->setGeometry(0, kOscPlotHeight, kClientWidth, kScrollBarHeight);
  ScrollBar->setRange(kOscScrollMin, kOscScrollMax);
  ScrollBar->setSingleStep(1);
  ScrollBar->setPageStep(kOscScrollPage);
  connect(ScrollBar, &QScrollBar::valueChanged, this, &TMK_ViewOscDlg::ScrollTo);

  rgTimeBase = new TRadioGroup(this);
  rgTimeBase->setObjectName("rgTimeBase");
  rgTimeBase->setGeometry(8, kGroupsTop, 185, kGroupsHeight);
  rgTimeBase->SetColumnMajor(true);
  QStringList items;
  for (const char* s : kOscTimeBaseItems) items << s;
  rgTimeBase->SetItems(items, {}, 2);
  connect(rgTimeBase, &TRadioGroup::Clicked, this, &TMK_ViewOscDlg::ChooseTimeBase);

  // Volts per division and the input divider are how the trace was
  // recorded; they are shown, not chosen.
  rgVoltsPerDiv = new TRadioGroup(this);
  rgVoltsPerDiv->setObjectName("rgVoltsPerDiv");
  rgVoltsPerDiv->setGeometry(201, kGroupsTop, 121, kGroupsHeight);
  rgVoltsPerDiv->setEnabled(false);

  rgDivider = new TRadioGroup(this);
  rgDivider->setObjectName("rgDivider");
  rgDivider->setGeometry(330, kGroupsTop, 137, kGroupsHeight);
  items.clear();
  for (const char* s : kOscDividerItems) items << s;
  rgDivider->SetItems(items, {}, 1);
  rgDivider->setEnabled(false);
}

void TMK_ViewOscDlg::showEvent(QShowEvent* e) {
  // Centred on the screen, not on the main window.
  CentreOnScreen(this, parentWidget());
  QDialog::showEvent(e);
}

void TMK_ViewOscDlg::ApplyLanguage() {
  setWindowTitle(Q(kOscViewerTitle));
  rgTimeBase->setTitle(Q(kOscTimeBaseGroup));
  rgVoltsPerDiv->setTitle(Q(kOscVoltsGroup));
  rgDivider->setTitle(Q(kOscDividerGroup));
}

void TMK_ViewOscDlg::Redraw() {
  try {
    const RgbImage img =
        DrawOscPlot(ReadOscTrace(mk_), offset_, kClientWidth, kOscPlotHeight, fmt_);
    PaintBox->SetImage(img);
  } catch (const TripError& e) {
    PaintBox->SetPicture(QImage());
    ShowError(e.what(), this);
  }
}

void TMK_ViewOscDlg::ChooseTimeBase(int index) {
  try {
    SetOscViewTimeBase(mk_, index);
  } catch (const TripError& e) {
    ShowError(e.what(), this);
    return;
  }
  Redraw();
}

void TMK_ViewOscDlg::ScrollTo(int n) {
  offset_ = n;
  Redraw();
}

}  // namespace tc
