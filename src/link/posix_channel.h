// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ByteChannel on a POSIX terminal device (termios). Used by tripconf-cli, the
// tests and the benchmark; pseudo-terminals work as well as real ports.
#include "link/byte_channel.h"

namespace tc {

class PosixChannel : public ByteChannel {
 public:
  PosixChannel() = default;
  ~PosixChannel() override;
  PosixChannel(const PosixChannel&) = delete;
  PosixChannel& operator=(const PosixChannel&) = delete;

  void Open(const std::string& path, uint32_t baudRate) override;
  void Close() override;
  bool IsOpen() const override { return fd_ >= 0; }
  bool Write(const uint8_t* data, size_t size) override;
  long Read(uint8_t* buffer, size_t maxSize) override;
  bool WaitForInput(int ms) override;
  void PurgeInput() override;
  void PurgeOutput() override;
  void SetRts(bool on) override;
  void SetDtr(bool on) override;
  uint32_t SetBaudRate(uint32_t baudRate) override;

 private:
  void SetModemLine(int bit, bool on);
  int fd_ = -1;
  bool gone_ = false;
};

// Explains an errno from opening a port in the user's words (both languages
// are picked by the program-wide flag) and classifies it.
PortOpenError PortOpenErrorFromErrno(int err, const std::string& path);

}  // namespace tc
