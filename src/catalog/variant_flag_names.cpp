// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/variant_flag_names.h"

#include <algorithm>

namespace tc {

namespace {
constexpr VariantFlagInfo kFlags[] = {
    {"VariantLowBeamInAirSlot", &VariantFlags::VariantLowBeamInAirSlot},
    {"VariantLowBeamControl", &VariantFlags::VariantLowBeamControl},
    {"VariantPowerReserve", &VariantFlags::VariantPowerReserve},
    {"VariantAirWaterTemp", &VariantFlags::VariantAirWaterTemp},
    {"VariantVariatorTemp", &VariantFlags::VariantVariatorTemp},
    {"VariantTrim", &VariantFlags::VariantTrim},
    {"VariantInclinometer", &VariantFlags::VariantInclinometer},
    {"VariantCan", &VariantFlags::VariantCan},
    {"VariantIgnitionCorr", &VariantFlags::VariantIgnitionCorr},
    {"VariantHybrid", &VariantFlags::VariantHybrid},
    {"VariantOscilloscope", &VariantFlags::VariantOscilloscope},
    {"VariantGpsSpeed", &VariantFlags::VariantGpsSpeed},
    {"VariantSecondTank", &VariantFlags::VariantSecondTank},
    {"VariantNoFls", &VariantFlags::VariantNoFls},
    {"VariantNoInjectorInput", &VariantFlags::VariantNoInjectorInput},
    {"VariantVag", &VariantFlags::VariantVag},
    {"VariantAddDevices", &VariantFlags::VariantAddDevices},
    {"VariantNoVoice", &VariantFlags::VariantNoVoice},
    {"VariantNoParktronic", &VariantFlags::VariantNoParktronic},
    {"VariantNoGas", &VariantFlags::VariantNoGas},
    {"VariantNoLightsAlarm", &VariantFlags::VariantNoLightsAlarm},
    {"VariantNoStopVelocity", &VariantFlags::VariantNoStopVelocity},
    {"VariantAddSystems", &VariantFlags::VariantAddSystems},
    {"VariantCargo", &VariantFlags::VariantCargo},
    {"VariantTaximeter", &VariantFlags::VariantTaximeter},
    {"VariantNoAccelTiming", &VariantFlags::VariantNoAccelTiming},
    {"VariantDisplays1", &VariantFlags::VariantDisplays1},
    {"VariantDisplays3", &VariantFlags::VariantDisplays3},
    {"VariantInfoPanel", &VariantFlags::VariantInfoPanel},
    {"Variant24V", &VariantFlags::Variant24V},
    {"VariantShortService", &VariantFlags::VariantShortService},
    {"VariantNoLockType", &VariantFlags::VariantNoLockType},
    {"VariantNoVelocityCorr", &VariantFlags::VariantNoVelocityCorr},
    {"VariantNmeaSpeed", &VariantFlags::VariantNmeaSpeed},
    {"VariantSpeedNeedsVirtualLock", &VariantFlags::VariantSpeedNeedsVirtualLock},
};
}  // namespace

std::span<const VariantFlagInfo> VariantFlagList() {
  return kFlags;
}

std::vector<std::string> SetFlagNames(const VariantFlags& flags) {
  std::vector<std::string> names;
  for (const auto& f : kFlags)
    if (flags.*f.member) names.emplace_back(f.name);
  return names;
}

bool VariantFlags::*FindVariantFlag(const std::string& name) {
  const auto it = std::find_if(std::begin(kFlags), std::end(kFlags),
                               [&](const VariantFlagInfo& f) { return name == f.name; });
  return it == std::end(kFlags) ? nullptr : it->member;
}

}  // namespace tc
