// SPDX-License-Identifier: GPL-3.0-or-later
// What the device model takes from the catalogues: its measured-parameter
// list, the identity its variant is selected by and the default device menu.
#include <string>

#include "catalog/variants.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc {

namespace {

// The device menu's default entries, by name, from the first entry of hot
// menu 0 on: nullptr leaves an entry as it is, "" writes an empty entry
// (code 0).
// clang-format off
constexpr const char* kDefaultMenu[] = {
    "FullTankMenu", "ToTankMenu", "FlagSoundMenu", "VelocityLimitMenu", "PrognozMenu",
    "ExpenseHHMenu", nullptr, "MeasParamsHistoryFlagMenu", "", "",        // menu 0
    "TripJournMenu", "InitReset0ParamsMenu", "InitReset1ParamsMenu", "ContinueTripMenu",
    "TankJournMenu", "", "", "", "", ""};                                 // menu 1
constexpr const char* kTaximeterMenu[] = {
    "TaxStartFinishMenu", "TaxTarifDNMenu", "TaxTarifNumMenu", "TaxClearAllSumMenu",
    "", "", "", "", "", ""};                                              // menu 2
constexpr const char* kParkingMenu[] = {
    "ParkOffMenu", "ParkSenseMenu_0", "ParkSpeedMenu_0", "ParkBeepTypeMenu", "ParkAlwaysOnMenu",
    "", "", "", "", ""};                                                  // menu 3
// clang-format on

void CheckByte(uint32_t value, const char* what) {
  if (value > 255)
    throw RangeError("Range check error: the " + std::string(what) + " " + std::to_string(value) +
                     " is above 255");
}

}  // namespace

void TMK::BuildMeasParList(const VariantFlags& flags) {
  MeasParList = tc::BuildMeasParList(flags);
}

TMeasParBase* TMK::FindMeasPar(uint8_t code) const {
  return tc::FindMeasPar(MeasParList, code);
}

TMK::Identity TMK::VariantIdentity() const {
  const int64_t protocol = GetInt(layout::kProtocolNumber);
  const uint32_t layout = LayoutVersion();
  CheckByte(uint32_t(protocol), "stored protocol number");
  CheckByte(layout, "settings layout version");
  return {DeviceVersion, uint8_t(protocol), uint8_t(layout)};
}

void TMK::PlaceDefaultMenuCodes(const TVariantCatalog& variant) {
  const TMenuItemCatalog& items = variant.MenuItems();
  const int perMenu = layout::kHotMenus.cols;
  const auto place = [&](int menu, std::span<const char* const> names) {
    int entry = 0;
    for (const char* name : names) {
      if (name) {
        // An entry the variant lacks leaves an empty slot rather than a
        // code that would mean another entry.
        const TMKMenuItem* item = *name ? items.FindMenuItemByIdent(name) : nullptr;
        SetInt(layout::kHotMenus(menu + entry / perMenu, entry % perMenu), item ? item->Code : 0);
      }
      ++entry;
    }
  };
  place(0, kDefaultMenu);
  if (variant.Flags().VariantTaximeter) place(2, kTaximeterMenu);
  if (!variant.Flags().VariantNoParktronic) place(3, kParkingMenu);
}

}  // namespace tc
