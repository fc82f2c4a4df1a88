// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/protocol.h"

#include <algorithm>

#include "util/errors.h"

namespace tc {

namespace {

constexpr TextPair kEmpty{"", ""};

// Default choices "1".."13" for the numbered slots.
constexpr const char* kNumbers[] = {"1", "2", "3",  "4",  "5",  "6", "7",
                                    "8", "9", "10", "11", "12", "13"};

struct CapabilityLetter {
  char letter;
  bool TProtBase::*member;
};

constexpr CapabilityLetter kLetters[] = {
    {'A', &TProtBase::ShowWarmUp},        {'B', &TProtBase::ShowFault},
    {'C', &TProtBase::ShowAtOil},         {'D', &TProtBase::ShowEngineOil},
    {'E', &TProtBase::ShowFanLimit},      {'F', &TProtBase::ShowLightsType},
    {'G', &TProtBase::ShowVoltageSource}, {'H', &TProtBase::IsHybrid},
    {'I', &TProtBase::ShowAddCooling},    {'J', &TProtBase::ShowTrimSource},
    {'K', &TProtBase::ShowAirTempSource},
};

}  // namespace

TProtBase::TProtBase(TextPair name, std::span<const uint8_t> extraParams,
                     std::span<const uint8_t> blocks, int faultFormat, uint8_t code,
                     const VariantFlags& flags)
    : NameText(name), Code(code), FaultFormat(faultFormat) {
  // Trip totals, time, fuel remaining, range, battery voltage, code 11,
  // speed, engine speed, consumptions and injection time: every protocol.
  for (uint8_t c = 1; c <= 16; ++c) AppendParam(c);
  for (uint8_t c : extraParams)
    if (c != 0) AppendParam(c);
  if (flags.VariantPowerReserve) AppendParam(94);
  if (flags.VariantLowBeamControl && !flags.VariantLowBeamInAirSlot) AppendParam(34);
  if (flags.VariantAirWaterTemp) AppendParam(40);
  if (flags.VariantTrim) AppendParam(91);
  if (flags.VariantInclinometer) {
    AppendParam(55);
    AppendParam(56);
  }

  for (uint8_t c : blocks) {
    if (BlockCount >= kMaxProtocolCodes) break;
    BlockCodes[BlockCount++] = c;
  }

  SlotCaption.fill(kEmpty);
  for (int k = 0; k < kSlotCount; ++k) {
    const int size = k == kWideSlot ? kWideSlotItemCount : kSlotItemCount;
    auto& items = SlotItems[k];
    items.assign(size, kEmpty);
    if (k == 0) {
      items[0] = {"Авто", "Auto"};
      for (int i = 1; i <= 9; ++i) items[i] = {kNumbers[i - 1], kNumbers[i - 1]};
    } else {
      const int n = k == kWideSlot ? 13 : 10;
      for (int i = 0; i < n; ++i) items[i] = {kNumbers[i], kNumbers[i]};
    }
  }
}

void TProtBase::AppendParam(uint8_t code) {
  if (ParamCount < kMaxProtocolCodes) ParamCodes[ParamCount++] = code;
}

bool TProtBase::HasParam(uint8_t code) const {
  const auto p = Params();
  return std::find(p.begin(), p.end(), code) != p.end();
}

std::vector<TextPair> TProtBase::SlotChoices(int k) const {
  if (k < 0 || k >= kSlotCount) throw RangeError();
  const auto& items = SlotItems[k];
  const size_t n = std::min<size_t>(std::max(SlotCount[k], 0), items.size());
  return {items.begin(), items.begin() + n};
}

void TProtBase::SetSlot(int k, TextPair caption, std::span<const TextPair> items) {
  if (k < 0 || k >= kSlotCount) throw RangeError();
  auto& list = SlotItems[k];
  const size_t n = std::min(items.size(), list.size());
  std::copy_n(items.begin(), n, list.begin());
  SlotCaption[k] = caption;
  SlotCount[k] = int(n);
}

void TProtBase::SetCapabilities(const char* letters) {
  for (const auto& l : kLetters) this->*l.member = false;
  for (const char* p = letters; *p; ++p) {
    const auto it = std::find_if(std::begin(kLetters), std::end(kLetters),
                                 [c = *p](const CapabilityLetter& l) { return l.letter == c; });
    if (it == std::end(kLetters))
      throw TripError(std::string("unknown protocol capability letter '") + *p + "'");
    this->*it->member = true;
  }
}

std::string TProtBase::CapabilityLetters() const {
  std::string s;
  for (const auto& l : kLetters)
    if (this->*l.member) s += l.letter;
  return s;
}

}  // namespace tc
