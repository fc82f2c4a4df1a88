// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Single bits of a settings field, above all the options of the option flag
// word (block 11, bytes 0..3). The bits themselves are declared in the map.
#include "model/settings_layout.h"

namespace tc {

class TMK;

using layout::kOptionWord;

using layout::kOpt24V;
using layout::kOptGasPetrolMode;
using layout::kOptGasVariant2;
using layout::kOptLightsFromEcu;
using layout::kOptLightsInverse;
using layout::kOptLowBeamControl;
using layout::kOptNoTankVoltageComp;
using layout::kOptUseTank2;
using layout::kOptVirtualLock;

bool TestBit(const TMK& mk, const FieldRef& word, int bit);
// Clears bit n, then sets it when value is true.
void SetBit(TMK& mk, const FieldRef& word, int bit, bool value);

// The lowest bit of a bit field (a yes/no option is one bit wide).
inline bool TestBit(const TMK& mk, const BitField& bit) {
  return TestBit(mk, bit.field, bit.first);
}
inline void SetBit(TMK& mk, const BitField& bit, bool value) {
  SetBit(mk, bit.field, bit.first, value);
}

inline bool OptionBitSet(const TMK& mk, const BitField& option) {
  return TestBit(mk, option);
}
inline void SetOptionBit(TMK& mk, const BitField& option, bool value) {
  SetBit(mk, option, value);
}

}  // namespace tc
