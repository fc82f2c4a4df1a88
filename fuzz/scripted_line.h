// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A serial line for the fuzz targets: every request the link writes is
// answered with the next frame of the script (its first byte says how long
// it is), after the bus echo when the line echoes. A clock that only moves
// when the link waits keeps time-outs instant.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "link/byte_channel.h"

namespace tc::fuzz {

class ScriptedLine : public LinkClock {
 public:
  ScriptedLine(std::vector<uint8_t> script, bool echo) : script_(std::move(script)), echo_(echo) {}
  bool Exhausted() const { return pos_ >= script_.size() && pending_.empty(); }
  uint64_t NowMs() override { return now_; }
  void SleepMs(int ms) override { now_ += uint64_t(ms); }

  class Channel : public ByteChannel {
   public:
    explicit Channel(ScriptedLine& l) : l_(l) {}
    void Open(const std::string&, uint32_t) override { open_ = true; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool Write(const uint8_t* data, size_t size) override {
      auto& q = l_.pending_;
      if (l_.echo_) q.insert(q.end(), data, data + size);
      if (l_.pos_ < l_.script_.size()) {
        const size_t n =
            std::min<size_t>(std::max<size_t>(l_.script_[l_.pos_], 1), l_.script_.size() - l_.pos_);
        q.insert(q.end(), l_.script_.begin() + long(l_.pos_),
                 l_.script_.begin() + long(l_.pos_ + n));
        l_.pos_ += n;
      }
      return true;
    }
    long Read(uint8_t* buffer, size_t maxSize) override {
      auto& q = l_.pending_;
      const size_t n = std::min(maxSize, q.size());
      std::copy_n(q.begin(), n, buffer);
      q.erase(q.begin(), q.begin() + long(n));
      return long(n);
    }
    bool WaitForInput(int ms) override {
      if (!l_.pending_.empty()) return true;
      l_.now_ += uint64_t(ms);
      return false;
    }
    void PurgeInput() override {}
    void PurgeOutput() override {}
    void SetRts(bool) override {}
    void SetDtr(bool) override {}
    uint32_t SetBaudRate(uint32_t b) override { return b; }

   private:
    ScriptedLine& l_;
    bool open_ = false;
  };

 private:
  std::vector<uint8_t> script_;
  size_t pos_ = 0;
  bool echo_;
  std::vector<uint8_t> pending_;
  uint64_t now_ = 1000;
};

}  // namespace tc::fuzz
