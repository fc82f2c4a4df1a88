// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Yes/no capabilities of the connected trip computer's variant. All clear
// before each selection; the variant selection sets them.

namespace tc {

struct VariantFlags {
  bool VariantLowBeamInAirSlot = false;
  bool VariantLowBeamControl = false;
  bool VariantPowerReserve = false;
  bool VariantAirWaterTemp = false;
  bool VariantVariatorTemp = false;
  bool VariantTrim = false;
  bool VariantInclinometer = false;
  bool VariantCan = false;
  bool VariantIgnitionCorr = false;
  bool VariantHybrid = false;
  bool VariantOscilloscope = false;
  bool VariantGpsSpeed = false;
  bool VariantSecondTank = false;
  bool VariantNoFls = false;
  bool VariantNoInjectorInput = false;
  bool VariantVag = false;
  bool VariantAddDevices = false;
  bool VariantNoVoice = false;
  bool VariantNoParktronic = false;
  bool VariantNoGas = false;
  bool VariantNoLightsAlarm = false;
  bool VariantNoStopVelocity = false;
  bool VariantAddSystems = false;
  bool VariantCargo = false;
  bool VariantTaximeter = false;
  bool VariantNoAccelTiming = false;
  bool VariantDisplays1 = false;
  bool VariantDisplays3 = false;
  bool VariantInfoPanel = false;
  bool Variant24V = false;
  bool VariantShortService = false;
  bool VariantNoLockType = false;
  bool VariantNoVelocityCorr = false;
  bool VariantNmeaSpeed = false;
  bool VariantSpeedNeedsVirtualLock = false;
};

}  // namespace tc
