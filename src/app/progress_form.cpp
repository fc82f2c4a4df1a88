// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/progress_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "ui/message_service.h"
#include "util/text_pair.h"

namespace tc {
namespace {
const TextPair kCaption{"Progress...", "Progress..."};
const TextPair kCancel{"Отмена", "Cancel"};
constexpr int kWidth = 261;
constexpr int kHeight = 113;
}  // namespace

TProgressForm::TProgressForm(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowStaysOnTopHint),
      owner_(owner) {
  setObjectName("ProgressForm");
  setAttribute(Qt::WA_DeleteOnClose, false);
  // Nothing else in the program takes input while a transfer runs; the
  // Cancel button still does.
  setWindowModality(Qt::ApplicationModal);
  setWindowTitle(QString::fromStdString(kCaption()));
  setFixedSize(kWidth, kHeight);

  ProgressLabel = new QLabel(this);
  ProgressLabel->setObjectName("ProgressLabel");
  ProgressLabel->setGeometry(0, 0, kWidth, 41);
  ProgressLabel->setAlignment(Qt::AlignCenter);
  ProgressLabel->setWordWrap(true);

  ProgressGauge = new QProgressBar(this);
  ProgressGauge->setObjectName("ProgressGauge");
  ProgressGauge->setGeometry(21, 48, 220, 25);
  ProgressGauge->setRange(0, 100);
  ProgressGauge->setValue(0);
  ProgressGauge->setTextVisible(true);
  ProgressGauge->setAlignment(Qt::AlignCenter);
  // Hidden until the transfer reports a position (the search has none).
  ProgressGauge->hide();

  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                            QString::fromStdString(kCancel()), this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setGeometry(75, 80, 111, 25);
  QObject::connect(BitBtn1, &QPushButton::clicked, this, [this] { Cancelled = true; });
}

void TProgressForm::SetGauge(int percent) {
  if (percent < 0) {
    ProgressGauge->hide();
    return;
  }
  ProgressGauge->setValue(percent > 100 ? 100 : percent);
  ProgressGauge->show();
}

void TProgressForm::Start() {
  show();
  QCoreApplication::processEvents();
}

void TProgressForm::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  QRect area;
  if (owner_ && owner_->isVisible())
    area = owner_->frameGeometry();
  else if (QScreen* s = screen())
    area = s->availableGeometry();
  if (area.isValid()) move(area.center() - QPoint(width() / 2, height() / 2));
}

void TProgressForm::closeEvent(QCloseEvent* e) {
  // The user cannot close it; the transfer frees it when it ends.
  e->ignore();
}

void TProgressForm::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    e->accept();
    return;
  }
  QWidget::keyPressEvent(e);
}

void GuiTransferObserver::SetLabel(const std::string& text) {
  form_.ProgressLabel->setText(QString::fromStdString(text));
}

void GuiTransferObserver::SetGauge(int percent) {
  form_.SetGauge(percent);
}

void GuiTransferObserver::SetCancelVisible(bool visible) {
  form_.BitBtn1->setVisible(visible);
}

void GuiTransferObserver::Pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void GuiTransferObserver::ShowError(const std::string& text) {
  tc::ShowError(text, &form_);
}

void GuiTransferObserver::ShowInfo(const std::string& text) {
  tc::ShowInfo(text, &form_);
}

}  // namespace tc
