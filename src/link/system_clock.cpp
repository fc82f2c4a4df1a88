// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <thread>

#include "link/byte_channel.h"

namespace tc {

namespace {
class SteadyClock : public LinkClock {
 public:
  uint64_t NowMs() override {
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
  void SleepMs(int ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
};
}  // namespace

LinkClock& SystemClock() {
  static SteadyClock clock;
  return clock;
}

}  // namespace tc
