// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed tables behind the protocol list and the variant selection,
// described as data: one row per protocol (with its parameter and block
// codes), the subtype slot sets, and one row per device variant.
#include <cstdint>
#include <vector>

#include "catalog/variant_flags.h"
#include "util/text_pair.h"

namespace tc {

// Protocols whose name depends on the variant.
enum class NameRule {
  kPlain,
  kBoschOrTiggo,    // "Bosch" when the variant also offers protocol 220
  kMarlinOrDelphi,  // "Marlin" with VariantPowerReserve
};

struct ProtocolRow {
  uint8_t code;
  TextPair name;
  int faultFormat;
  int ecuLevelSensors;
  const char* capabilities;     // letters A..K
  std::vector<int> slotSets;    // numbers of SlotSets() entries, 1-based
  std::vector<uint8_t> params;  // appended after codes 1..16
  std::vector<uint8_t> blocks;
  std::vector<uint8_t> canOnlyBlocks = {};  // reachable only on CAN variants
  NameRule rule = NameRule::kPlain;
};

struct SlotSet {
  int slot;
  TextPair caption;
  std::vector<TextPair> items;
};

constexpr int kAnySubtype = -1;

struct VariantRow {
  uint16_t deviceType;
  int subtype;          // kAnySubtype for types that ignore the subtype
  const char* project;  // shown in the editor's service information
  std::vector<bool VariantFlags::*> flags;
  std::vector<uint8_t> offers;  // protocol codes, in protocol-list order
};

// The protocol rows in list order.
const std::vector<ProtocolRow>& ProtocolRows();
// Slot sets S1.. as index 0..
const std::vector<SlotSet>& SlotSets();
const std::vector<VariantRow>& VariantRows();

// Types whose rows depend on the subtype.
bool TypeHasSubtypes(uint16_t deviceType);
// Flags a type with subtypes sets before the subtype is looked at.
std::vector<bool VariantFlags::*> CommonFlagsOfType(uint16_t deviceType);
// The row for an identity, or nullptr when there is none.
const VariantRow* FindVariantRow(uint16_t deviceType, uint8_t subtype);

}  // namespace tc
