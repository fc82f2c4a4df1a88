// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/port_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>

#include "link/ml_rs_base.h"
#include "link/port_texts.h"
#include "ui/dialog_placement.h"
#include "ui/message_service.h"

namespace tc {
namespace {

constexpr int kFullNameRole = Qt::UserRole + 1;
constexpr int kNumberRole = Qt::UserRole + 2;

// The closed list shows "COM3"; the open list the full name with the device
// and its description, so that the ports can be told apart.
class FullNameDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    const QString full = index.data(kFullNameRole).toString();
    if (!full.isEmpty()) option->text = full;
  }
};

}  // namespace

TML_RS232_SetNumDlg::TML_RS232_SetNumDlg(const TML_RS_Base& link, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), link_(link) {
  setObjectName("TML_RS232_SetNumDlg");
  setWindowTitle("Port number selection");
  setFixedSize(337, 85);
  setModal(true);

  Label1 = new QLabel("Select serial port", this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(8, 8, 201, 13);

  cbPort = new QComboBox(this);
  cbPort->setObjectName("cbPort");
  cbPort->setGeometry(224, 8, 105, cbPort->sizeHint().height());
  cbPort->setItemDelegate(new FullNameDelegate(cbPort));
  int widest = 0;
  const QFontMetrics fm(cbPort->font());
  for (int n = 1; n <= kMaxPorts; ++n) {
    if (!link.PortAvailable[size_t(n)]) continue;
    const QString full = QString::fromStdString(link.PortName(n));
    cbPort->addItem("COM" + QString::number(n));
    cbPort->setItemData(cbPort->count() - 1, full, kFullNameRole);
    cbPort->setItemData(cbPort->count() - 1, full, Qt::ToolTipRole);
    cbPort->setItemData(cbPort->count() - 1, n, kNumberRole);
    widest = std::max(widest, fm.horizontalAdvance(full));
  }
  cbPort->view()->setMinimumWidth(widest + 40);

  lPortInfo = new QLabel(this);
  lPortInfo->setObjectName("lPortInfo");
  lPortInfo->setGeometry(8, 28, 321, 16);
  lPortInfo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont small = lPortInfo->font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  lPortInfo->setFont(small);

  bOK = new QPushButton("OK", this);
  bOK->setObjectName("bOK");
  bOK->setGeometry(152, 48, 80, 27);
  bOK->setDefault(true);
  bCancel = new QPushButton("Cancel", this);
  bCancel->setObjectName("bCancel");
  bCancel->setGeometry(244, 48, 80, 27);
  connect(bOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cbPort, &QComboBox::currentIndexChanged, this, [this] { ShowPortInfo(); });

  cbPort->setCurrentIndex(-1);
  SelectPort(link.PortNumber);
  ShowPortInfo();

  // Centred on the screen, as the program always placed it.
  CentreOnScreen(this, parent);
}

int TML_RS232_SetNumDlg::SelectedPort() const {
  if (cbPort->currentIndex() < 0) return 0;
  return cbPort->currentData(kNumberRole).toInt();
}

void TML_RS232_SetNumDlg::SelectPort(int number) {
  const int i = cbPort->findData(number, kNumberRole);
  if (i >= 0) cbPort->setCurrentIndex(i);
}

void TML_RS232_SetNumDlg::ShowPortInfo() {
  const int n = SelectedPort();
  const std::string full = n > 0 ? link_.PortName(n) : std::string();
  // Only what follows "COMn — " is news here.
  const auto dash = full.find(" — ");
  const QString text =
      QString::fromStdString(dash == std::string::npos ? full : full.substr(dash + 5));
  lPortInfo->setText(
      QFontMetrics(lPortInfo->font()).elidedText(text, Qt::ElideMiddle, lPortInfo->width()));
  lPortInfo->setToolTip(text);
}

void SelectPortDialog(TML_RS_Base& link, QWidget* parent,
                      const std::function<int(TML_RS232_SetNumDlg&)>& run) {
  link.ClosePort();
  if (link.ScanPorts() == 0) {
    ShowError(kNoFreePortText, parent);
    return;
  }
  {
    TML_RS232_SetNumDlg dlg(link, parent);
    const int result = run ? run(dlg) : dlg.exec();
    if (result == QDialog::Accepted && dlg.SelectedPort() > 0) link.PortNumber = dlg.SelectedPort();
  }
  link.ClosePort();
  link.OpenPort(link.PortNumber);
  if (!link.PortOpen && !link.LastOpenError().empty()) ShowError(link.LastOpenError(), parent);
}

}  // namespace tc
