// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress window shown around each transfer, and the transfer observer
// that drives it.
#include <QWidget>
#include <memory>

#include "link/transfer_observer.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tc {

class TProgressForm : public QWidget {
  Q_OBJECT
 public:
  // Centred on owner (or on the screen when owner is null). Not shown yet.
  explicit TProgressForm(QWidget* owner);

  QLabel* ProgressLabel;
  QProgressBar* ProgressGauge;
  QPushButton* BitBtn1;  // Cancel
  // Set by the Cancel button, which leaves the window open.
  bool Cancelled = false;

  // Positions above 100 show as 100; a negative position hides the gauge.
  void SetGauge(int percent);
  // Shows the window and lets it paint before the transfer blocks.
  void Start();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  QWidget* owner_;
};

// Shows what a transfer reports in a progress window. Messages go through the
// message service, above the progress window.
class GuiTransferObserver : public TransferObserver {
 public:
  explicit GuiTransferObserver(TProgressForm& form) : form_(form) {}
  void SetLabel(const std::string& text) override;
  void SetGauge(int percent) override;
  void SetCancelVisible(bool visible) override;
  bool Cancelled() const override { return form_.Cancelled; }
  void Pump() override;
  void ShowError(const std::string& text) override;
  void ShowInfo(const std::string& text) override;

 private:
  TProgressForm& form_;
};

}  // namespace tc
