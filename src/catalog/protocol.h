// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One engine-control protocol that the trip computer can speak with the ECU:
// the parameters it delivers, the additional systems it reaches, its fault
// code format, its subtype slots and the editor controls it shows.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "catalog/variant_flags.h"
#include "util/text_pair.h"

namespace tc {

constexpr int kMaxProtocolCodes = 101;  // room for parameter and block codes
constexpr int kSlotCount = 8;
constexpr int kWideSlot = 4;  // the slot with the long choice list
constexpr int kSlotItemCount = 21;
constexpr int kWideSlotItemCount = 61;

class TProtBase {
 public:
  // Builds the entry with codes 1..16, then `extraParams`, then the codes
  // the variant flags add to every protocol; copies `blocks`; every slot is
  // unused and only the warm-up and fault warnings are shown.
  TProtBase(TextPair name, std::span<const uint8_t> extraParams, std::span<const uint8_t> blocks,
            int faultFormat, uint8_t code, const VariantFlags& flags);

  // Both languages are kept so a language switch needs no rebuild.
  TextPair NameText;
  std::string Name() const { return NameText(); }
  uint8_t Code = 0;

  std::array<uint8_t, kMaxProtocolCodes> ParamCodes{};
  int ParamCount = 0;
  std::array<uint8_t, kMaxProtocolCodes> BlockCodes{};
  int BlockCount = 0;
  int FaultFormat = 0;

  std::array<TextPair, kSlotCount> SlotCaption;
  std::array<int, kSlotCount> SlotCount{};
  std::array<std::vector<TextPair>, kSlotCount> SlotItems;

  bool ShowWarmUp = true;          // A
  bool ShowFault = true;           // B
  bool ShowAtOil = false;          // C
  bool ShowEngineOil = false;      // D
  bool ShowFanLimit = false;       // E
  bool ShowLightsType = false;     // F
  bool ShowVoltageSource = false;  // G
  bool IsHybrid = false;           // H
  int EcuLevelSensors = 0;
  bool ShowAddCooling = false;     // I
  bool ShowTrimSource = false;     // J
  bool ShowAirTempSource = false;  // K

  std::span<const uint8_t> Params() const { return {ParamCodes.data(), size_t(ParamCount)}; }
  std::span<const uint8_t> Blocks() const { return {BlockCodes.data(), size_t(BlockCount)}; }
  bool HasParam(uint8_t code) const;
  bool SlotUsed(int k) const { return SlotCaption[k].ru[0] != '\0'; }
  // The choices a used slot offers: the first SlotCount strings of its list.
  std::vector<TextPair> SlotChoices(int k) const;

  // Fills slot k: caption, count and the first choices (the rest keep
  // their defaults).
  void SetSlot(int k, TextPair caption, std::span<const TextPair> items);
  // Sets the capability bytes from their letters A..K; letters not given
  // are cleared, the warm-up and fault warnings included.
  void SetCapabilities(const char* letters);
  // The capability letters currently set, in order A..K.
  std::string CapabilityLetters() const;

 private:
  void AppendParam(uint8_t code);
};

}  // namespace tc
