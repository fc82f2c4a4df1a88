// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TML_RS_Base: the serial port under the frame protocol: the numbered port
// table, opening with the trip computer's line settings, and the ini entry
// that remembers the port.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/byte_channel.h"
#include "link/ml_interface.h"
#include "link/port_table.h"

namespace tc {

// What the link needs from the platform and the front end. The GUI fills it
// with the Qt serial channel and its message box; the CLI and the tests use
// PosixLinkPlatform() or their own.
struct LinkPlatform {
  std::function<std::vector<PortInfo>()> ListPorts;
  std::function<bool(const std::string& path)> PortExists;
  std::function<std::unique_ptr<ByteChannel>()> NewChannel;
  // Numbers the system's ports and the extra paths; empty: BuildPortTable
  // (numbers in name order). Windows keeps COMn at number n.
  std::function<std::vector<PortInfo>(std::vector<PortInfo>, const std::vector<std::string>&)>
      BuildTable;
  // The error box for "Can not find free serial port!"; may be empty.
  std::function<void(const std::string&)> ShowError;
  LinkClock* Clock = nullptr;  // null: the system clock
};

// termios channel, sysfs port list, messages to stderr.
LinkPlatform PosixLinkPlatform();

class TML_RS_Base : public TMLBaseInterface {
 public:
  explicit TML_RS_Base(LinkPlatform platform);
  ~TML_RS_Base() override;

  bool PortOpen = false;
  int PortNumber = 0;  // 1..32, 0 when no port exists
  uint32_t BaudRate = 115200;
  uint8_t ByteSize = 8;
  uint8_t Parity = 0;
  uint8_t StopBits = 2;
  std::array<bool, kMaxPorts + 1> PortAvailable{};  // index 1..32
  int PortCount = 0;

  // Extra device paths that join the table ahead of the system's ports
  // (ini key ExtraPorts); applied by the next ScanPorts.
  std::vector<std::string> ExtraPorts;

  int ScanPorts();
  int FirstAvailablePort() const;
  // Opens port n of the table; a missing port falls back to the lowest
  // existing one. Failure to open is silent here; LastOpenError tells why.
  void OpenPort(int n);
  // Opens a device by path, outside the table (CLI --port PATH). Same
  // silence; PortNumber is left alone.
  void OpenPath(const std::string& path);
  virtual void ClosePort();
  void SetBaudRate(uint32_t baudRate);

  // ini: [RS232] Port=n, ExtraPorts=path;path
  void LoadLinkSettings(const TMIniFile& ini) override;
  void SaveLinkSettings(TMIniFile& ini) const override;

  // The table of the last ScanPorts, index = number - 1.
  const std::vector<PortInfo>& Ports() const { return ports_; }
  // "COM3 — /dev/ttyUSB0 (FT232R USB UART)"; empty for a number not in the table.
  std::string PortName(int n) const;
  // The device path of the open (or last tried) port.
  const std::string& PortPath() const { return portPath_; }
  // Why the last open failed ("" after a success), and its kind.
  const std::string& LastOpenError() const { return lastOpenError_; }
  PortOpenFailure LastOpenFailure() const { return lastOpenFailure_; }

  ByteChannel* Channel() { return channel_.get(); }
  LinkClock& Clock() { return *clock_; }

 protected:
  void ReportNoPort();

 private:
  LinkPlatform platform_;
  LinkClock* clock_;
  std::unique_ptr<ByteChannel> channel_;
  std::vector<PortInfo> ports_;
  std::string portPath_;
  std::string lastOpenError_;
  PortOpenFailure lastOpenFailure_ = PortOpenFailure::None;
};

}  // namespace tc
