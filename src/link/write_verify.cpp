// SPDX-License-Identifier: GPL-3.0-or-later
// Reading back what a write sent, for `tripconf-cli write --verify`.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "link/mk_transfer.h"
#include "model/tmk.h"

namespace tc {

namespace {
uint32_t Le(const std::vector<uint8_t>& b, size_t at, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i)
    v = (v << 8) | (at + size_t(i) < b.size() ? b[at + size_t(i)] : 0);
  return v;
}
std::string Hex(uint8_t v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", v);
  return buf;
}
}  // namespace

std::string WriteMismatch::Describe() const {
  const std::string where = block > 0 ? kBlockText() + " " + std::to_string(block)
                                      : kDirectoryEntryText() + " " + std::to_string(entry);
  return where + ", " + kOffsetText() + " " + std::to_string(offset) + ": " + kWrittenText() + " " +
         Hex(written) + ", " + kHeldText() + " " + Hex(held);
}

std::vector<uint8_t> TMKTransfer::ReadPage(uint32_t page) {
  link_.BeginFrame(DeviceAddress, kCmdReadBlock);
  link_.PutWord(uint16_t(page));
  link_.Execute();
  // A page reply carries 32 bytes after the 5-byte head; a shorter one
  // would fill the page with what earlier frames left in the buffer.
  if (link_.RxBuffer[0] < 5 + kMemoryPageSize + 1)
    throw LinkError(kShortPageReplyText[0]() + " " + std::to_string(page) + " " +
                    kShortPageReplyText[1]() + " (" + std::to_string(link_.RxBuffer[0]) + " " +
                    kShortPageReplyText[2]() + ").");
  std::vector<uint8_t> bytes(kMemoryPageSize);
  for (auto& b : bytes) b = link_.GetByte();
  return bytes;
}

std::optional<WriteMismatch> TMKTransfer::VerifyWrite(const std::vector<uint8_t>& sent,
                                                      TransferObserver& obs) {
  struct Span {
    int entry;
    uint32_t address, length;
  };
  std::vector<Span> spans;
  std::map<uint32_t, std::vector<uint8_t>> pages;  // page number -> bytes
  const uint32_t count = std::min<uint32_t>(Le(sent, 0, 4), 14);
  for (uint32_t k = 1; k <= count; ++k) {
    const uint32_t address = Le(sent, 4 * k, 2), size = Le(sent, 4 * k + 2, 2);
    if (size <= 4 || address < 32) continue;
    spans.push_back({int(k), address, size - 4});
    for (uint32_t p = address / 32; p <= (address + size - 5) / 32; ++p) pages[p];
  }
  obs.SetLabel(kVerifyingText());
  obs.SetGauge(0);
  obs.SetGaugeVisible(true);
  size_t done = 0;
  for (auto& [page, bytes] : pages) {
    link_.FirstByteTimeout = 100;
    bytes = ReadPage(page);
    obs.SetGauge(int(std::lround(100.0 * double(++done) / double(pages.size()))));
    obs.Pump();
  }
  for (const Span& s : spans) {
    for (uint32_t i = 0; i < s.length; ++i) {
      const uint32_t at = s.address + i;
      const uint8_t written = at - 32 < sent.size() ? sent[at - 32] : 0;
      const uint8_t held = pages[at / 32][at % 32];
      if (written != held) {
        const int block = s.entry <= 11 ? s.entry : s.entry == 12 ? 0 : s.entry - 1;
        return WriteMismatch{s.entry, block, i, written, held};
      }
    }
  }
  return std::nullopt;
}

}  // namespace tc
