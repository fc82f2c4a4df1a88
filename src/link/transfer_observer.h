// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a settings transfer reports while it runs. The GUI shows it in the
// progress window, the CLI on stderr, the tests record it.
#include <string>

namespace tc {

class TransferObserver {
 public:
  virtual ~TransferObserver() = default;
  // The progress window's label text.
  virtual void SetLabel(const std::string& text) = 0;
  // Gauge position 0..100 (values above 100 show as 100).
  virtual void SetGauge(int percent) = 0;
  // Whether the gauge is shown (hidden while the device is searched for).
  virtual void SetGaugeVisible(bool /*visible*/) {}
  // Whether the Cancel button is shown.
  virtual void SetCancelVisible(bool visible) = 0;
  // True once the user asked to cancel.
  virtual bool Cancelled() const = 0;
  // Lets the front end process its events while the transfer waits (the GUI
  // repaints and notices the Cancel click here; the CLI does nothing).
  virtual void Pump() {}
  // Messages the transfer shows to the user itself.
  virtual void ShowError(const std::string& text) = 0;
  virtual void ShowInfo(const std::string& text) = 0;
};

}  // namespace tc
