// What the device model takes from the catalogues: its measured-parameter
// list, the variant of the settings it holds and the default device menu.
#include <string>

#include "catalog/variants.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc {

namespace {

// Block 10 from byte 124 on: the device menu's default entries, by name.
// nullptr leaves a slot as it is, "" writes an empty slot (code 0).
// clang-format off
constexpr const char* kDefaultMenu[] = {
    "FullTankMenu", "ToTankMenu", "FlagSoundMenu", "VelocityLimitMenu", "PrognozMenu",
    "ExpenseHHMenu", nullptr,                                             // bytes 124..137
    "MeasParamsHistoryFlagMenu", "", "",                                  // 138..143
    "TripJournMenu", "InitReset0ParamsMenu", "InitReset1ParamsMenu", "ContinueTripMenu",
    "TankJournMenu",                                                      // 144..153
    "", "", "", "", ""};                                                  // 154..163
constexpr const char* kTaximeterMenu[] = {
    "TaxStartFinishMenu", "TaxTarifDNMenu", "TaxTarifNumMenu", "TaxClearAllSumMenu",
    "", "", "", "", "", ""};                                              // 164..183
constexpr const char* kParkingMenu[] = {
    "ParkOffMenu", "ParkSenseMenu_0", "ParkSpeedMenu_0", "ParkBeepTypeMenu", "ParkAlwaysOnMenu",
    "", "", "", "", ""};                                                  // 184..203
// clang-format on

void CheckByte(uint32_t value, const char* what) {
  if (value > 255)
    throw RangeError("Range check error: the " + std::string(what) + " " + std::to_string(value) +
                     " is above 255");
}

}  // namespace

void TMK::BuildMeasParList() {
  BuildMeasParList(CurrentVariant());
}

void TMK::BuildMeasParList(const VariantFlags& flags) {
  MeasParList = tc::BuildMeasParList(flags);
}

TMeasParBase* TMK::FindMeasPar(uint8_t code) const {
  return tc::FindMeasPar(MeasParList, code);
}

void TMK::RefreshVariant() {
  // Both values are checked before the previous selection is given up, so a
  // refused identity leaves the program with the variant it had.
  const uint16_t protocol = GetU16(11, 4);
  const uint32_t layout = LayoutVersion();
  CheckByte(protocol, "stored protocol number");
  CheckByte(layout, "settings layout version");
  SelectVariant(DeviceVersion, uint8_t(protocol), uint8_t(layout));
}

void TMK::PlaceDefaultMenuCodes() {
  const TMenuItemCatalog& items = Catalog().MenuItems();
  const auto place = [&](int offset, std::span<const char* const> names) {
    for (const char* name : names) {
      if (name) {
        // An entry the variant lacks leaves an empty slot rather than a
        // code that would mean another entry.
        const TMKMenuItem* item = *name ? items.FindMenuItemByIdent(name) : nullptr;
        PutU16(10, offset, item ? item->Code : 0);
      }
      offset += 2;
    }
  };
  place(124, kDefaultMenu);
  if (CurrentVariant().VariantTaximeter) place(164, kTaximeterMenu);
  if (!CurrentVariant().VariantNoParktronic) place(184, kParkingMenu);
}

void TMK::RefreshForEditor() {
  RefreshVariant();
  const VariantFlags& flags = CurrentVariant();
  BuildMeasParList(flags);
  ApplyCaptionVariants(MeasParList, flags, GetU8(5, 67));
  BuildFactorySchemes(flags.VariantHybrid);
}

}  // namespace tc
