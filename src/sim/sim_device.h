// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trip computer as tripsim plays it: its settings memory and the device
// side of the frame protocol (version query, block read, block write).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tc::sim {

class SimDevice {
 public:
  SimDevice(uint32_t memorySize, uint8_t address, uint16_t version);

  // Places a settings image (memory size - 64 bytes) into memory, skipping
  // the first 32-byte page of each half.
  void LoadImage(const std::vector<uint8_t>& image);

  // Takes one byte heard on the bus at the given time. Returns the reply
  // when the byte completes a valid request addressed to this device.
  std::optional<std::vector<uint8_t>> Hear(uint8_t byte, uint64_t nowMs);

  bool busy = false;  // answer every request with the busy code
  // The write chunk (counted from 1 over the run) that is acknowledged but
  // never stored, as a device with a flaky memory would; 0 = none.
  uint64_t dropChunk = 0;
  std::vector<uint8_t> memory;
  uint8_t address;
  uint16_t version;
  // Counters for the summary at exit.
  uint64_t requests = 0, badFrames = 0, blockReads = 0, blocksWritten = 0, chunks = 0;
  std::vector<std::string> warnings;

 private:
  std::vector<uint8_t> Handle(const std::vector<uint8_t>& req);
  std::vector<uint8_t> frame_;
  uint64_t lastByteMs_ = 0;
  // The write in progress between BeginWrite and EndWrite.
  bool writing_ = false;
  uint16_t writeAddress_ = 0;
  std::vector<uint8_t> writeData_;
};

// Builds a complete frame (length byte and checksum) around its middle bytes.
std::vector<uint8_t> MakeFrame(const std::vector<uint8_t>& middle);

}  // namespace tc::sim
