// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial line as the frame protocol sees it. The core talks only to this
// interface; a POSIX termios channel lives beside it, the QSerialPort one in
// link/qt/, and the tests script their own.
#include <cstddef>
#include <cstdint>
#include <string>

#include "util/errors.h"

namespace tc {

// Why a port could not be opened; the front ends explain each kind.
enum class PortOpenFailure { None, NotFound, PermissionDenied, Busy, Other };

class PortOpenError : public TripError {
 public:
  PortOpenError(PortOpenFailure kind, const std::string& what) : TripError(what), kind_(kind) {}
  PortOpenFailure Kind() const { return kind_; }

 private:
  PortOpenFailure kind_;
};

class ByteChannel {
 public:
  virtual ~ByteChannel() = default;

  // Opens the device for reading and writing, exclusively, with 8 data bits,
  // no parity, two stop bits and the given speed; raises DTR and discards
  // what was queued. Throws PortOpenError carrying the system's reason.
  virtual void Open(const std::string& path, uint32_t baudRate) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // Queues all bytes for sending; false when the device refused them.
  virtual bool Write(const uint8_t* data, size_t size) = 0;
  // Takes what has arrived, up to maxSize bytes, without blocking. Returns
  // the count, or -1 when the device has gone (unplugged, other end closed).
  virtual long Read(uint8_t* buffer, size_t maxSize) = 0;
  // Blocks up to ms milliseconds until input is there (or the device has
  // gone); true if Read has something to report.
  virtual bool WaitForInput(int ms) = 0;

  virtual void PurgeInput() = 0;
  virtual void PurgeOutput() = 0;
  // Control lines; devices without them (pseudo-terminals) ignore the call.
  virtual void SetRts(bool on) = 0;
  virtual void SetDtr(bool on) = 0;
  // Sets the line speed and returns the speed the driver reports back, or 0
  // when it cannot tell.
  virtual uint32_t SetBaudRate(uint32_t baudRate) = 0;
};

// Millisecond ticks and sleeps, injected so the protocol tests need no real time.
class LinkClock {
 public:
  virtual ~LinkClock() = default;
  virtual uint64_t NowMs() = 0;
  virtual void SleepMs(int ms) = 0;
};

// The monotonic system clock.
LinkClock& SystemClock();

}  // namespace tc
