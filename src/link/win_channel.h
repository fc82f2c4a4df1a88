// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ByteChannel on a Windows COM port through the Win32 communications calls.
// tripconf-cli uses it on Windows; the GUI uses the Qt channel everywhere.
// The platform-free rules it follows (names, ordering, time-outs, error
// texts) are in win_port_rules.h and are tested on every platform.
#if defined(_WIN32)
#include <vector>

#include "link/byte_channel.h"
#include "link/ml_rs_base.h"
#include "link/win_port_rules.h"

namespace tc {

class WinChannel : public ByteChannel {
 public:
  WinChannel() = default;
  ~WinChannel() override;
  WinChannel(const WinChannel&) = delete;
  WinChannel& operator=(const WinChannel&) = delete;

  // path: "COM3", or a device path such as "\\.\COM3".
  void Open(const std::string& path, uint32_t baudRate) override;
  void Close() override;
  bool IsOpen() const override { return handle_ != nullptr; }
  bool Write(const uint8_t* data, size_t size) override;
  long Read(uint8_t* buffer, size_t maxSize) override;
  bool WaitForInput(int ms) override;
  void PurgeInput() override;
  void PurgeOutput() override;
  void SetRts(bool on) override;
  void SetDtr(bool on) override;
  uint32_t SetBaudRate(uint32_t baudRate) override;

 private:
  bool ApplyReadTimeouts(int waitMs);
  void Escape(unsigned long function);

  void* handle_ = nullptr;  // HANDLE; null when closed
  bool gone_ = false;
  int timeoutsFor_ = -1;  // the wait the driver's time-outs are set for
  // Bytes a wait has already taken from the driver, handed out by Read.
  std::vector<uint8_t> pending_;
};

// The serial ports in HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM,
// sorted by number: systemName "COM3", path "\\.\COM3", description the
// driver's device name ("\Device\Serial0").
std::vector<PortInfo> ListWindowsPorts();

// True when the port answers a probe that asks for no access rights, or is
// there but held by another program.
bool WindowsPortExists(const std::string& path);

// Win32 channel, registry port list numbered by COMn, messages to stderr.
LinkPlatform WinLinkPlatform();

}  // namespace tc
#endif
