// SPDX-License-Identifier: GPL-3.0-or-later
// The frame protocol against a scripted line: exact bytes on the wire, the
// bus echo, retries, time limits and every refusal of a reply.
#include "link/ml_rs.h"

#include <gtest/gtest.h>

#include "fake_line.h"
#include "util/errors.h"

using namespace tc;
using namespace tc::test;

namespace {

// Echo after 1 ms, then the reply that make() builds for the request.
std::function<void(FakeLine&, const Bytes&)> Answer(std::function<Bytes(const Bytes&)> make,
                                                    bool echo = true) {
  return [make, echo](FakeLine& l, const Bytes& req) {
    if (echo) l.Deliver(1, req);
    l.Deliver(3, make(req));
  };
}

Bytes VersionReply(uint16_t version) {
  return Frame({0xFC, 0x01, 0x00, 0x01, 0x00, uint8_t(version), uint8_t(version >> 8)});
}

std::string ErrorOf(TML_RS& rs) {
  try {
    rs.Execute();
  } catch (const TripError& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(FrameProtocol, RequestsHaveTheExactBytes) {
  FakeLine line;
  line.onWrite = Answer([](const Bytes&) { return VersionReply(0x104); });
  auto rs = MakeLink(line);
  rs->Command(0xFC, kCmdVersionQuery);
  ASSERT_EQ(line.written.size(), 1u);
  EXPECT_EQ(line.written[0], (Bytes{0x06, 0xFC, 0x01, 0x00, 0x01, 0xFC}));

  rs->BeginFrame(0xFC, kCmdReadBlock);
  rs->PutWord(1);
  EXPECT_EQ(rs->TxCount, 7);
  line.onWrite = Answer([](const Bytes&) { return VersionReply(0x104); });
  rs->Execute();
  EXPECT_EQ(line.written[1], (Bytes{0x08, 0xFC, 0x01, 0x00, 0x05, 0x01, 0x00, 0xF5}));
  // Finishing does not advance TxCount: it indexes the checksum.
  EXPECT_EQ(rs->TxCount, 7);
}

TEST(FrameProtocol, EchoIsDiscardedAndPayloadReadFromByteFive) {
  FakeLine line;
  Bytes payload(32);
  for (int i = 0; i < 32; ++i) payload[size_t(i)] = uint8_t(0xA0 + i);
  line.onWrite = Answer([&](const Bytes&) {
    Bytes m{0xFC, 0x01, 0x00, 0x05};
    m.insert(m.end(), payload.begin(), payload.end());
    return Frame(m);
  });
  auto rs = MakeLink(line);
  rs->BeginFrame(0xFC, kCmdReadBlock);
  rs->PutWord(7);
  rs->Execute();
  EXPECT_EQ(rs->RxBuffer[0], 38);
  Bytes got;
  for (int i = 0; i < 32; ++i) got.push_back(rs->GetByte());
  EXPECT_EQ(got, payload);
  // RTS was up while the request went out and is down afterwards.
  EXPECT_TRUE(line.rtsAtWrite[0]);
  EXPECT_FALSE(line.rts);

  // Words are little-endian, and the version reply skips one byte first.
  line.onWrite = Answer([](const Bytes&) { return VersionReply(0x8002); });
  rs->Command(0xFC, kCmdVersionQuery);
  rs->GetByte();
  EXPECT_EQ(rs->GetWord(), 0x8002);
}

TEST(FrameProtocol, DamagedEchoDoesNotFailTheExchange) {
  FakeLine line;
  line.onWrite = [](FakeLine& l, const Bytes& req) {
    Bytes bad = req;
    bad[3] ^= 0x10;  // the checksum no longer holds
    l.Deliver(1, bad);
    l.Deliver(3, VersionReply(0x104));
  };
  auto rs = MakeLink(line);
  rs->Command(0xFC, kCmdVersionQuery);
  EXPECT_EQ(line.written.size(), 1u);
  rs->GetByte();
  EXPECT_EQ(rs->GetWord(), 0x104);
}

TEST(FrameProtocol, SilentLineTimesOutAfterThreeAttempts) {
  FakeLine line;  // neither echo nor reply
  auto rs = MakeLink(line);
  int pumps = 0;
  rs->pump = [&] { ++pumps; };
  const uint64_t start = line.now;
  rs->BeginFrame(0xFC, kCmdVersionQuery);
  EXPECT_EQ(ErrorOf(*rs), "RS232. No link. Check PC-device connection.");
  EXPECT_EQ(line.written.size(), 3u);
  // Each attempt waits about 102 ms for the echo and as long for the reply;
  // 50 ms pass between attempts and 2 ms before the first.
  const uint64_t spent = line.now - start;
  EXPECT_GE(spent, 2u + 3 * 2 * 102 + 2 * 50);
  EXPECT_LE(spent, 2u + 3 * 2 * 104 + 2 * 50);
  EXPECT_EQ(line.writtenAt[1] - line.writtenAt[0], line.writtenAt[2] - line.writtenAt[1]);
  // The waits block on the channel in slices; no busy polling.
  EXPECT_LE(line.waits, 3 * 2 * 12);
  EXPECT_GE(pumps, 3 * 2 * 10);
  // A retry resends identical bytes.
  EXPECT_EQ(line.written[0], line.written[2]);
  EXPECT_FALSE(line.rts);
}

TEST(FrameProtocol, MissingByteInsideAFrameIsADelayError) {
  FakeLine line;
  line.onWrite = Answer([](const Bytes&) {
    Bytes r = VersionReply(0x104);
    r.resize(4);  // the rest never comes
    return r;
  });
  auto rs = MakeLink(line);
  rs->BeginFrame(0xFC, kCmdVersionQuery);
  const uint64_t start = line.now;
  EXPECT_EQ(ErrorOf(*rs), "RS232. Delay within block error.");
  EXPECT_EQ(line.written.size(), 3u);
  EXPECT_GE(line.now - start, 3u * 200);
}

TEST(FrameProtocol, RefusedRepliesAreRetriedAndReported) {
  struct Case {
    const char* name;
    std::function<Bytes()> reply;
    std::string message;
  } cases[] = {
      {"checksum off by one",
       [] {
         Bytes r = VersionReply(0x104);
         r.back() = uint8_t(r.back() + 1);
         return r;
       },
       "RS232. Exchange error.(0)"},
      {"bytes 1-3 zero",
       [] {
         return Frame({0, 0, 0, 0x01, 0, 4, 1});
       },
       "RS232. Exchange error.(4)"},
      {"busy",
       [] {
         return Frame({0xFC, 0x01, 0x00, 0xFF});
       },
       "Устройство занято. Возможно, оно находится в режиме местного управления."},
      {"length 5",
       [] {
         return Bytes{0x05, 0xFC, 0x01, 0x00, 0xFE};
       },
       "RS232. No link. Check PC-device connection."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeLine line;
    line.onWrite = Answer([&](const Bytes&) { return c.reply(); });
    auto rs = MakeLink(line);
    rs->BeginFrame(0xFC, kCmdVersionQuery);
    EXPECT_EQ(ErrorOf(*rs), c.message);
    EXPECT_EQ(line.written.size(), 3u);
  }
}

TEST(FrameProtocol, RetrySucceedsAfterABadReply) {
  FakeLine line;
  int n = 0;
  line.onWrite = Answer([&](const Bytes&) {
    Bytes r = VersionReply(0x104);
    if (n++ == 0) r[6] ^= 1;
    return r;
  });
  auto rs = MakeLink(line);
  rs->Command(0xFC, kCmdVersionQuery);
  EXPECT_EQ(line.written.size(), 2u);
  EXPECT_EQ(rs->RxPos, 5);
  EXPECT_GE(line.writtenAt[1] - line.writtenAt[0], 50u);
}

TEST(FrameProtocol, VanishedDeviceFailsWithoutWaitingOutTheDeadline) {
  FakeLine line;
  auto rs = MakeLink(line);
  line.gone = true;
  const uint64_t start = line.now;
  rs->BeginFrame(0xFC, kCmdVersionQuery);
  EXPECT_EQ(ErrorOf(*rs), "RS232. No link. Check PC-device connection.");
  // Only the pauses before and between attempts.
  EXPECT_LE(line.now - start, 2u + 2 * 50 + 5);
}

TEST(FrameProtocol, OversizedRequestsAndReadsAreRangeErrors) {
  FakeLine line;
  auto rs = MakeLink(line);
  rs->BeginFrame(0xFC, kCmdWriteChunk);
  for (int i = 0; i < 250; ++i) rs->PutByte(0);  // 255 bytes with the checksum
  EXPECT_THROW(rs->Execute(), RangeError);
  EXPECT_TRUE(line.written.empty());

  rs->TxCount = TMLBaseInterface::kBufferSize;
  EXPECT_THROW(rs->PutByte(1), RangeError);
  rs->RxPos = TMLBaseInterface::kBufferSize - 1;
  EXPECT_THROW(rs->GetWord(), RangeError);

  // A closed port fails like a silent line.
  rs->ClosePort();
  EXPECT_THROW(rs->Command(0xFC, kCmdVersionQuery), LinkError);
}

TEST(FrameProtocol, LateReplyBeforeTheEchoIsNotTakenForData) {
  // The first reply comes only after the link gave up and purged its input;
  // it then arrives ahead of the retry's echo. The echo must not pass for
  // the reply: the exchange goes on to the real one.
  FakeLine line;
  Bytes payload(32, 0x5A);
  auto reply = [&] {
    Bytes m{0xFC, 0x01, 0x00, 0x05};
    m.insert(m.end(), payload.begin(), payload.end());
    return Frame(m);
  };
  int n = 0;
  line.onWrite = [&](FakeLine& l, const Bytes& req) {
    if (n++ == 0) {
      l.Deliver(1, req);
      l.Deliver(157, reply());  // after the 50 ms pause and the purge
      return;
    }
    l.Deliver(2, req);
    l.Deliver(4, reply());
  };
  auto rs = MakeLink(line);
  rs->BeginFrame(0xFC, kCmdReadBlock);
  rs->PutWord(3);
  rs->Execute();
  EXPECT_EQ(rs->RxBuffer[0], 38);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(rs->GetByte(), 0x5A) << i;
}

TEST(FrameProtocol, WriteAcknowledgedByRepeatingTheRequestSucceeds) {
  // A write command's reply carries no data; a device that acknowledges it
  // by sending the request back must not be taken for a silent one.
  FakeLine line;
  line.onWrite = [](FakeLine& l, const Bytes& req) {
    l.Deliver(1, req);  // the bus echo
    l.Deliver(3, req);  // the acknowledgement
  };
  auto rs = MakeLink(line);
  rs->BeginFrame(0xFC, kCmdBeginWrite);
  rs->PutWord(0x40);
  rs->PutWord(70);
  rs->Execute();
  EXPECT_EQ(line.written.size(), 1u);
  EXPECT_EQ(rs->RxPos, 5);

  // The same frame in answer to a version query cannot hold a version.
  rs->BeginFrame(0xFC, kCmdVersionQuery);
  EXPECT_EQ(ErrorOf(*rs), "RS232. No link. Check PC-device connection.");
  EXPECT_EQ(line.written.size(), 4u);
}
