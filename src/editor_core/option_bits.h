#pragma once
// The option flag word: block 11, bytes 0..3, a 32-bit set of yes/no options.
#include "model/settings_layout.h"

namespace tc {

class TMK;

using layout::kOptionWord;

enum OptionBit : int {
  kOptVirtualLock = 0,         // ignition lock is virtual
  kOptLightsFromEcu = 5,       // parking lights taken from the ECU
  kOptUseTank2 = 6,            // second tank in use
  kOptLowBeamControl = 7,      // the device drives the low beam
  kOptGasPetrolMode = 8,       // gas/petrol mode
  kOptLightsInverse = 10,      // parking-lights input active low
  kOpt24V = 11,                // 24 V on-board voltage
  kOptNoTankVoltageComp = 15,  // battery-voltage compensation of the tank switched OFF
  kOptGasVariant2 = 17,        // gas consumption variant 2
};

bool TestBit(const TMK& mk, const FieldRef& word, int bit);
// Clears bit n, then sets it when value is true.
void SetBit(TMK& mk, const FieldRef& word, int bit, bool value);

inline bool OptionBitSet(const TMK& mk, int bit) {
  return TestBit(mk, kOptionWord, bit);
}
inline void SetOptionBit(TMK& mk, int bit, bool value) {
  SetBit(mk, kOptionWord, bit, value);
}

}  // namespace tc
