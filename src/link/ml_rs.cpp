// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ml_rs.h"

#include <algorithm>
#include <cmath>

namespace tc {

TML_RS::TML_RS(LinkPlatform platform) : TML_RS_Base(std::move(platform)) {}

void TML_RS::ClosePort() {
  TML_RS_Base::ClosePort();
  DropInput();
}

void TML_RS::DropInput() {
  aheadPos_ = aheadEnd_ = 0;
}

bool TML_RS::TakeByte(uint8_t& b) {
  if (aheadPos_ == aheadEnd_) {
    ByteChannel* ch = Channel();
    if (!ch) return false;
    const long n = ch->Read(ahead_.data(), ahead_.size());
    // A vanished device cannot answer any more; waiting out the deadline
    // would only delay the same message.
    if (n < 0) throw LinkError(kNoLinkMessage);
    aheadPos_ = 0;
    aheadEnd_ = size_t(n);
    if (n == 0) return false;
  }
  b = ahead_[aheadPos_++];
  return true;
}

void TML_RS::WaitInput(uint64_t deadline) {
  const uint64_t now = Clock().NowMs();
  // Wake just past the deadline so the caller sees it passed.
  const int ms = int(std::min<uint64_t>(deadline >= now ? deadline - now + 1 : 0, kWaitSliceMs));
  if (ms <= 0) return;
  if (ByteChannel* ch = Channel())
    ch->WaitForInput(ms);
  else
    Clock().SleepMs(ms);
}

void TML_RS::ReceiveFrame() {
  // Transmission time of the request, halves to even.
  const double txMs = 9600.0 / double(BaudRate ? BaudRate : 1) * TxCount;
  uint64_t deadline = Clock().NowMs() + FirstByteTimeout + uint64_t(std::nearbyint(txMs));
  for (;;) {
    const bool got = TakeByte(RxBuffer[0]);
    const uint64_t now = Clock().NowMs();
    if (pump) pump();
    if (got) break;
    if (now > deadline) throw LinkError(kNoLinkMessage);
    WaitInput(deadline);
  }
  const int n = RxBuffer[0];
  if (n < 6) throw LinkError(kNoLinkMessage);
  for (int i = 1; i < n; ++i) {
    deadline = Clock().NowMs() + InterByteTimeout;
    for (;;) {
      if (pump) pump();
      const bool got = TakeByte(RxBuffer[size_t(i)]);
      const uint64_t now = Clock().NowMs();
      if (got) break;
      if (now > deadline) throw LinkError(kDelayMessage);
      WaitInput(deadline);
    }
  }
  if (!ReplyChecksumOk()) throw LinkError(std::string(kExchangeMessage) + "(0)");
}

void TML_RS::SendFrame() {
  const bool echo = portType_ == 2;
  ByteChannel* ch = Channel();
  if (echo) {
    if (ch) ch->SetRts(true);
    if (RaisePriority) RaisePriority();
  }
  const size_t count = TxBuffer[0] == 0 ? 256 : TxBuffer[0];
  DropInput();
  if (ch) {
    ch->PurgeInput();
    ch->PurgeOutput();
    ch->Write(TxBuffer.data(), count);
  }
  if (echo) {
    // RTS drops and the priority returns even when the wait is interrupted.
    struct LineRelease {
      TML_RS& rs;
      ByteChannel* ch;
      ~LineRelease() {
        if (ch) ch->SetRts(false);
        if (rs.RestorePriority) rs.RestorePriority();
      }
    } release{*this, ch};
    // The bus hands our own request back first; it only has to be out of
    // the way, so whatever goes wrong with it is no failure of the exchange.
    try {
      ReceiveFrame();
    } catch (const TripError&) {
    }
  }
}

void TML_RS::Exchange() {
  SendFrame();
  ReceiveFrame();
  // A late reply to an earlier attempt, arriving after the purge, is taken
  // for the echo; the echo then comes in as the "reply" and would pass every
  // test, handing out stale bytes as data. A reply that carries data (the
  // version, a memory page) is longer than its request, so for those
  // commands such a frame means no reply came. A write command's reply
  // carries nothing, and the device may well acknowledge it by repeating
  // the request; there the frame is accepted.
  const bool carriesData = TxBuffer[4] == kCmdVersionQuery || TxBuffer[4] == kCmdReadBlock;
  if (portType_ == 2 && carriesData && RxBuffer[0] == TxBuffer[0] &&
      std::equal(TxBuffer.begin(), TxBuffer.begin() + (TxBuffer[0] ? TxBuffer[0] : 256),
                 RxBuffer.begin()))
    throw LinkError(kNoLinkMessage);
  if (RxBuffer[1] == 0 && RxBuffer[2] == 0 && RxBuffer[3] == 0)
    throw LinkError(std::string(kExchangeMessage) + "(" + std::to_string(4) + ")");
  if (RxBuffer[4] == 0xFF) throw LinkError(kBusyMessage);
}

void TML_RS::Execute() {
  FinishFrame();
  if (portType_ > 0) Clock().SleepMs(2);
  for (int attempt = 1;; ++attempt) {
    try {
      Exchange();
      RxPos = 5;
      return;
    } catch (const LinkError&) {
      if (attempt >= 3) throw;
      Clock().SleepMs(50);
    }
  }
}

}  // namespace tc
