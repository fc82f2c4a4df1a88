// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_device.h"

#include <algorithm>

#include "model/tmk.h"

namespace tc::sim {

namespace {
// A pause this long between two bytes ends a broken frame.
constexpr uint64_t kFrameGapMs = 100;
}  // namespace

std::vector<uint8_t> MakeFrame(const std::vector<uint8_t>& middle) {
  std::vector<uint8_t> f(middle.size() + 2);
  f[0] = uint8_t(f.size());
  std::copy(middle.begin(), middle.end(), f.begin() + 1);
  uint8_t sum = 0;
  for (size_t i = 0; i + 1 < f.size(); ++i) sum = uint8_t(sum + f[i]);
  f.back() = uint8_t(-sum);
  return f;
}

SimDevice::SimDevice(uint32_t memorySize, uint8_t addr, uint16_t ver)
    : memory(memorySize, 0xFF), address(addr), version(ver) {}

void SimDevice::LoadImage(const std::vector<uint8_t>& image) {
  for (size_t p = 0; p < image.size() && p + 2 * kMemoryPageSize <= memory.size(); ++p)
    memory[MemoryPositionOf(p, uint32_t(memory.size()))] = image[p];
}

std::optional<std::vector<uint8_t>> SimDevice::Hear(uint8_t byte, uint64_t nowMs) {
  if (!frame_.empty() && nowMs - lastByteMs_ > kFrameGapMs) {
    ++badFrames;
    frame_.clear();
  }
  lastByteMs_ = nowMs;
  if (frame_.empty() && byte < 6) {
    ++badFrames;
    return std::nullopt;
  }
  frame_.push_back(byte);
  if (frame_.size() < frame_[0]) return std::nullopt;
  std::vector<uint8_t> req;
  req.swap(frame_);
  uint8_t sum = 0;
  for (uint8_t b : req) sum = uint8_t(sum + b);
  if (sum != 0) {
    ++badFrames;
    return std::nullopt;
  }
  if (req[1] != address) return std::nullopt;
  ++requests;
  return Handle(req);
}

std::vector<uint8_t> SimDevice::Handle(const std::vector<uint8_t>& req) {
  const uint8_t cmd = req[4];
  std::vector<uint8_t> m{address, 0x01, 0x00, busy ? uint8_t(0xFF) : cmd};
  if (busy) return MakeFrame(m);
  const size_t payload = req.size() - 6;
  auto word = [&](size_t i) -> uint32_t {
    return 5 + 2 * i + 1 < req.size() - 1 ? uint32_t(req[5 + 2 * i] | (req[6 + 2 * i] << 8)) : 0;
  };
  switch (cmd) {
    case 1:  // version query
      m.insert(m.end(), {0x00, uint8_t(version), uint8_t(version >> 8)});
      break;
    case 5: {  // read a 32-byte page
      const uint32_t b = word(0);
      if (payload < 2 || (b + 1) * 32 > memory.size()) {
        warnings.push_back("read of block " + std::to_string(b) + " outside the memory");
        return {};
      }
      m.insert(m.end(), memory.begin() + 32 * b, memory.begin() + 32 * (b + 1));
      ++blockReads;
      break;
    }
    case 12: {  // begin a block write
      const uint32_t a = word(0), len = word(1);
      if (payload < 4 || a + len > memory.size()) {
        warnings.push_back("write window " + std::to_string(a) + "+" + std::to_string(len) +
                           " outside the memory");
        writing_ = false;
        break;
      }
      writing_ = true;
      writeAddress_ = uint16_t(a);
      writeData_.assign(len, 0);
      break;
    }
    case 4: {  // one chunk of the block
      const uint32_t j = word(0), n = word(1);
      if (!writing_ || payload < 4 || n < 1 || n > 32 || payload - 4 != n ||
          32 * j + n > writeData_.size()) {
        warnings.push_back("chunk " + std::to_string(j) + " (" + std::to_string(n) +
                           " bytes) does not fit the write in progress");
        break;
      }
      if (++chunks == dropChunk) break;
      std::copy(req.begin() + 9, req.begin() + 9 + n, writeData_.begin() + 32 * j);
      break;
    }
    case 7: {  // end of the block write: commit it
      const uint32_t a = word(0), len = word(1);
      if (!writing_ || a != writeAddress_ || len != writeData_.size()) {
        warnings.push_back("end of a write that was not begun (" + std::to_string(a) + ")");
      } else {
        std::copy(writeData_.begin(), writeData_.end(), memory.begin() + a);
        ++blocksWritten;
      }
      writing_ = false;
      break;
    }
    default:
      break;
  }
  return MakeFrame(m);
}

}  // namespace tc::sim
