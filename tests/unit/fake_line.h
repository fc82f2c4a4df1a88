// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scripted serial line with its own clock: bytes written by the link go to
// a responder, whose answers arrive at chosen (fake) times. Waits advance the
// clock instead of sleeping, so protocol tests run in microseconds.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "link/byte_channel.h"
#include "link/ml_rs.h"

namespace tc::test {

using Bytes = std::vector<uint8_t>;

class FakeLine : public LinkClock {
 public:
  uint64_t now = 1000;
  struct Arrival {
    uint64_t at;
    Bytes bytes;
  };
  std::deque<Arrival> pending;
  Bytes arrived;
  std::vector<Bytes> written;
  std::vector<uint64_t> writtenAt;
  std::vector<bool> rtsAtWrite;
  bool rts = false, dtr = false, gone = false;
  int waits = 0;
  // Called for every frame the link writes.
  std::function<void(FakeLine&, const Bytes&)> onWrite;

  void Deliver(uint64_t delay, Bytes b) {
    pending.push_back({now + delay, std::move(b)});
    std::stable_sort(pending.begin(), pending.end(),
                     [](const Arrival& x, const Arrival& y) { return x.at < y.at; });
  }
  void Settle() {
    while (!pending.empty() && pending.front().at <= now) {
      arrived.insert(arrived.end(), pending.front().bytes.begin(), pending.front().bytes.end());
      pending.pop_front();
    }
  }

  uint64_t NowMs() override { return now; }
  void SleepMs(int ms) override { now += uint64_t(ms); }

  // The channel handed to the link; forwards to the line.
  class Channel : public ByteChannel {
   public:
    explicit Channel(FakeLine& l) : l_(l) {}
    void Open(const std::string&, uint32_t) override {
      open_ = true;
      l_.dtr = true;
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool Write(const uint8_t* d, size_t n) override {
      Bytes b(d, d + n);
      l_.written.push_back(b);
      l_.writtenAt.push_back(l_.now);
      l_.rtsAtWrite.push_back(l_.rts);
      if (l_.onWrite) l_.onWrite(l_, b);
      return true;
    }
    long Read(uint8_t* buf, size_t max) override {
      l_.Settle();
      if (l_.arrived.empty() && l_.gone) return -1;
      const size_t n = std::min(max, l_.arrived.size());
      std::copy_n(l_.arrived.begin(), n, buf);
      l_.arrived.erase(l_.arrived.begin(), l_.arrived.begin() + long(n));
      return long(n);
    }
    bool WaitForInput(int ms) override {
      ++l_.waits;
      l_.Settle();
      if (!l_.arrived.empty() || l_.gone) return true;
      uint64_t until = l_.now + uint64_t(ms);
      if (!l_.pending.empty()) until = std::min(until, l_.pending.front().at);
      l_.now = until;
      l_.Settle();
      return !l_.arrived.empty();
    }
    void PurgeInput() override {
      l_.Settle();
      l_.arrived.clear();
    }
    void PurgeOutput() override {}
    void SetRts(bool on) override { l_.rts = on; }
    void SetDtr(bool on) override { l_.dtr = on; }
    uint32_t SetBaudRate(uint32_t b) override { return b; }

   private:
    FakeLine& l_;
    bool open_ = false;
  };

  LinkPlatform Platform() {
    LinkPlatform p;
    p.ListPorts = [] { return std::vector<PortInfo>{{"fake0", "/fake/0", "scripted"}}; };
    p.PortExists = [](const std::string&) { return true; };
    p.NewChannel = [this] { return std::make_unique<Channel>(*this); };
    p.Clock = this;
    return p;
  }
};

// A frame with length byte and checksum around the given middle bytes.
inline Bytes Frame(Bytes middle) {
  Bytes f;
  f.push_back(uint8_t(middle.size() + 2));
  f.insert(f.end(), middle.begin(), middle.end());
  uint8_t sum = 0;
  for (uint8_t b : f) sum = uint8_t(sum + b);
  f.push_back(uint8_t(-sum));
  return f;
}

// A link on the scripted line, set up as the main window does.
inline std::unique_ptr<TML_RS> MakeLink(FakeLine& line) {
  auto rs = std::make_unique<TML_RS>(line.Platform());
  rs->OpenPort(1);
  rs->SetBaudRate(19200);
  rs->SetPortType(2);
  rs->FirstByteTimeout = 100;
  return rs;
}

}  // namespace tc::test
