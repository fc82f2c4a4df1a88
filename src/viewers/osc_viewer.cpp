#include "viewers/osc_viewer.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include "model/oscilloscope.h"
#include "model/tmk.h"
#include "ui/message_service.h"
#include "util/errors.h"
#include "util/text_pair.h"
#include "viewers/radio_group.h"

namespace tc {
namespace {

constexpr int kClientWidth = 1002;
constexpr int kClientHeight = 523;
constexpr int kScrollBarHeight = 16;
constexpr int kGroupsTop = kOscPlotHeight + kScrollBarHeight + 8;
constexpr int kGroupsHeight = 121;

QString Q(const TextPair& t) {
  return QString::fromStdString(t());
}

QImage ToQImage(const RgbImage& img) {
  const QImage view(img.Bytes().data(), img.Width(), img.Height(), 3 * img.Width(),
                    QImage::Format_RGB888);
  return view.copy();  // the core's buffer goes away with `img`
}

}  // namespace

void PictureView::SetPicture(QImage picture) {
  picture_ = std::move(picture);
  update();
}

void PictureView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  p.drawImage(0, 0, picture_);
}

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
  QStringList volts;
  for (int i = 0; i < kVoltsPerDivCount; ++i)
    volts << QString::fromStdString(VoltsPerDivisionLabel(trace.recording.divider, i));
  rgVoltsPerDiv->SetItems(volts);
  rgTimeBase->SetItemIndex(trace.view.timeBase);
  rgVoltsPerDiv->SetItemIndex(trace.view.voltsPerDiv);
  rgDivider->SetItemIndex(trace.view.divider);
  ScrollBar->setValue(0);
  offset_ = 0;
  ApplyLanguage();
  Redraw();
}

void TMK_ViewOscDlg::BuildControls() {
  PaintBox = new PictureView(this);
  PaintBox->setObjectName("PaintBox");
  PaintBox->setGeometry(0, 0, kClientWidth, kOscPlotHeight);

  ScrollBar = new QScrollBar(Qt::Horizontal, this);
  ScrollBar->setObjectName("ScrollBar");
  ScrollBar->setGeometry(0, kOscPlotHeight, kClientWidth, kScrollBarHeight);
  ScrollBar->setRange(kOscScrollMin, kOscScrollMax);
  ScrollBar->setSingleStep(1);
  ScrollBar->setPageStep(kOscScrollPage);
  connect(ScrollBar, &QScrollBar::valueChanged, this, &TMK_ViewOscDlg::ScrollTo);

  rgTimeBase = new RadioGroup(2, this);
  rgTimeBase->setObjectName("rgTimeBase");
  rgTimeBase->setGeometry(8, kGroupsTop, 185, kGroupsHeight);
  QStringList items;
  for (const char* s : kOscTimeBaseItems) items << s;
  rgTimeBase->SetItems(items);
  connect(rgTimeBase, &RadioGroup::itemClicked, this, &TMK_ViewOscDlg::ChooseTimeBase);

  // Volts per division and the input divider are how the trace was
  // recorded; they are shown, not chosen.
  rgVoltsPerDiv = new RadioGroup(1, this);
  rgVoltsPerDiv->setObjectName("rgVoltsPerDiv");
  rgVoltsPerDiv->setGeometry(201, kGroupsTop, 121, kGroupsHeight);
  rgVoltsPerDiv->setEnabled(false);

  rgDivider = new RadioGroup(1, this);
  rgDivider->setObjectName("rgDivider");
  rgDivider->setGeometry(330, kGroupsTop, 137, kGroupsHeight);
  items.clear();
  for (const char* s : kOscDividerItems) items << s;
  rgDivider->SetItems(items);
  rgDivider->setEnabled(false);
}

void TMK_ViewOscDlg::showEvent(QShowEvent* e) {
  // Centred on the screen, not on the main window.
  if (QScreen* s = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
    move(s->availableGeometry().center() - frameGeometry().center() + pos());
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
    PaintBox->SetPicture(ToQImage(img));
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
