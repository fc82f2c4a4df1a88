// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TML_RS: the frame protocol spoken with the trip computer over the serial
// port: build a request, send it, read back the bus echo, read the reply
// with time limits, check it, and retry.
#include <array>
#include <cstdint>
#include <functional>

#include "link/ml_rs_base.h"
#include "util/errors.h"

namespace tc {

// Failures of an exchange; the text is what the user sees.
class LinkError : public TripError {
 public:
  using TripError::TripError;
};

inline constexpr const char* kNoLinkMessage = "RS232. No link. Check PC-device connection.";
inline constexpr const char* kDelayMessage = "RS232. Delay within block error.";
inline constexpr const char* kExchangeMessage = "RS232. Exchange error.";
inline constexpr const char* kBusyMessage =
    "Устройство занято. Возможно, оно находится в режиме местного управления.";

// Command codes.
enum : uint8_t {
  kCmdVersionQuery = 1,
  kCmdWriteChunk = 4,
  kCmdReadBlock = 5,
  kCmdEndWrite = 7,
  kCmdBeginWrite = 12,
};

class TML_RS : public TML_RS_Base {
 public:
  // Slice of one wait on the channel; pump() runs at least this often.
  static constexpr int kWaitSliceMs = 10;

  explicit TML_RS(LinkPlatform platform);

  // 0..2; 2 = RS485 with request echo. Values above 2 are stored as 0.
  uint8_t PortType() const { return portType_; }
  void SetPortType(int type) { portType_ = uint8_t(type > 2 || type < 0 ? 0 : type); }

  uint16_t FirstByteTimeout = 1000;  // ms
  uint16_t InterByteTimeout = 200;   // ms

  // Called between waits so the front end can process its events.
  std::function<void()> pump;
  // Optional hooks around a request on the RS485 line (scheduling priority).
  std::function<void()> RaisePriority;
  std::function<void()> RestorePriority;

  void Execute() override;
  void SendFrame();
  void ReceiveFrame();
  void Exchange();
  void ClosePort() override;

 private:
  // Next byte that has arrived, from our read-ahead or the channel.
  bool TakeByte(uint8_t& b);
  void WaitInput(uint64_t deadline);
  void DropInput();

  uint8_t portType_ = 0;
  std::array<uint8_t, 4096> ahead_{};
  size_t aheadPos_ = 0, aheadEnd_ = 0;
};

}  // namespace tc
