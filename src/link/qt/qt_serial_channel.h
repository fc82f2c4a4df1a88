// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ByteChannel on QSerialPort, for the desktop program. Reads never wait on
// the event loop: the port is polled with waitForReadyRead, so the frame
// protocol keeps its own time limits while the GUI's pump processes events.
#include <QSerialPort>

#include "link/byte_channel.h"
#include "link/ml_rs_base.h"

namespace tc {

class QtSerialChannel : public ByteChannel {
 public:
  QtSerialChannel() = default;
  ~QtSerialChannel() override { Close(); }

  void Open(const std::string& path, uint32_t baudRate) override;
  void Close() override;
  bool IsOpen() const override { return port_.isOpen(); }
  bool Write(const uint8_t* data, size_t size) override;
  long Read(uint8_t* buffer, size_t maxSize) override;
  bool WaitForInput(int ms) override;
  void PurgeInput() override;
  void PurgeOutput() override;
  void SetRts(bool on) override;
  void SetDtr(bool on) override;
  uint32_t SetBaudRate(uint32_t baudRate) override;

 private:
  bool Gone() const;
  QSerialPort port_;
};

// Ports from QSerialPortInfo, the Qt channel, and no message box (the main
// window sets ShowError to its own).
LinkPlatform QtLinkPlatform();

}  // namespace tc
