// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memory map as data: every declaration of settings_layout.h with its
// name, what it is, and every byte (and bit) it covers. The map test walks
// it: everything lies inside its block on every layout, and two entries
// overlap only where kMapSharings says so. A declaration added to the map
// belongs in DeclareMap as well.
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "model/settings_layout.h"

namespace tc::layout {

enum class MapKind : uint8_t { Field, Array, Grid, Bits, Record };

struct MapEntry {
  const char* name = "";
  int index = -1;                // an element of a named table: kSumFields[index] ...
  const char* member = nullptr;  // ... and the member of it
  MapKind kind = MapKind::Field;
  // Where the elements lie: one for a field, one row for an array or a run
  // of records, rows × columns for a grid.
  FieldGrid cells{};
  int width = 0;  // bytes of one element (a record's size)
  // Bit fields: the bits of every element (an array's bit field applies to
  // each of its fields).
  uint8_t firstBit = 0;
  uint8_t bitCount = 0;

  constexpr int Block() const { return cells.first.block; }
  constexpr int FirstOffset() const { return cells.first.offset; }
  constexpr int Elements() const { return cells.rows * cells.cols; }
  constexpr FieldRef Element(int i) const { return cells(i / cells.cols, i % cells.cols); }
  // From the first byte to the last byte of the last element.
  constexpr int ByteExtent() const {
    return cells(cells.rows - 1, cells.cols - 1).offset + width - FirstOffset();
  }
};

// "kSumFields[3].gas" for an element of a table, else the name.
inline std::string MapEntryName(const MapEntry& e) {
  std::string n = e.name;
  if (e.index >= 0) n += "[" + std::to_string(e.index) + "]";
  if (e.member) n += std::string(".") + e.member;
  return n;
}

constexpr MapEntry Entry(const char* name, const FieldRef& f) {
  return {name, -1, nullptr, MapKind::Field, {f, 1, 0, 1, 0}, f.Width()};
}
constexpr MapEntry Entry(const char* name, const FieldArray& a) {
  return {name, -1, nullptr, MapKind::Array, {a.first, 1, 0, a.count, a.stride}, a.first.Width()};
}
constexpr MapEntry Entry(const char* name, const FieldGrid& g) {
  return {name, -1, nullptr, MapKind::Grid, g, g.first.Width()};
}
constexpr MapEntry Entry(const char* name, const BitField& b) {
  MapEntry e = Entry(name, b.field);
  e.kind = MapKind::Bits;
  e.firstBit = b.first;
  e.bitCount = b.count;
  return e;
}
// A bit field of every field of an array.
constexpr MapEntry Entry(const char* name, const FieldArray& a, const BitField& b) {
  MapEntry e = Entry(name, a);
  e.kind = MapKind::Bits;
  e.firstBit = b.first;
  e.bitCount = b.count;
  return e;
}
template <class R>
constexpr MapEntry Entry(const char* name, const RecordArray<R>& a) {
  return {name, -1, nullptr, MapKind::Record, {a.first, 1, 0, a.count, a.size}, a.size};
}

template <class Visit>
constexpr void DeclareMap(Visit&& visit) {
#define TC_MAP(x) visit(Entry(#x, x))
  // Block 11
  TC_MAP(kOptionWord);
  TC_MAP(kOptVirtualLock);
  TC_MAP(kOptLightsFromEcu);
  TC_MAP(kOptUseTank2);
  TC_MAP(kOptLowBeamControl);
  TC_MAP(kOptGasPetrolMode);
  TC_MAP(kOptLightsInverse);
  TC_MAP(kOpt24V);
  TC_MAP(kOptNoTankVoltageComp);
  TC_MAP(kOptGasVariant2);
  TC_MAP(kProtocolNumber);
  TC_MAP(kPreviousProtocol);
  TC_MAP(kProtocolDefinition);
  TC_MAP(kLockLevel);
  TC_MAP(kSubtypesLow);
  TC_MAP(kSubtypesHigh);
  TC_MAP(kDecimalCodesSwitch);
  TC_MAP(kLetterCodesSwitch);
  // "Поправки"
  TC_MAP(kVelocityCorr);
  TC_MAP(kExpenseCorr);
  TC_MAP(kGazExpenseCorr);
  TC_MAP(kAirTemperCorr);
  TC_MAP(kAccCorr);
  TC_MAP(kTimeCorr);
  TC_MAP(kAllPathStart);
  TC_MAP(kAllTimeStart);
  TC_MAP(kForsCoefCarb);
  TC_MAP(kForsPosFlag);
  TC_MAP(kForsCoef);
  // "Источники"
  TC_MAP(kSpeedSource);
  TC_MAP(kRevolutionsSource);
  TC_MAP(kExpenseSource);
  TC_MAP(kGasSource);
  TC_MAP(kUaccSource);
  TC_MAP(kAirTemperSource);
  TC_MAP(kTrimSource);
  TC_MAP(kPrognozMeth);
  TC_MAP(kK100Manual);
  TC_MAP(kTankMode);
  TC_MAP(kTankMeth);
  TC_MAP(kTankContFull);
  TC_MAP(kGazContFull);
  TC_MAP(kAirTemperMeth);
  TC_MAP(kAirWaterShow);
  // "Границы"
  TC_MAP(kVelocityLimit);
  TC_MAP(kRevolutionsLimit);
  TC_MAP(kTankLimit);
  TC_MAP(kLiqTemperLimit);
  TC_MAP(kUaccLowLimit);
  TC_MAP(kStopVelocityLimit);
  TC_MAP(kUaccHighLimit);
  TC_MAP(kVentTempLimit);
  TC_MAP(kInjTimeLimit);
  TC_MAP(kVel100);
  TC_MAP(kVel100Down);
  TC_MAP(kLiqTemperReady);
  TC_MAP(kHybridCoolHVB);
  TC_MAP(kExp100ArrowLim);
  TC_MAP(kVAGSFilterLimit);
  TC_MAP(kOilAKPPTemperLimit);
  TC_MAP(kOilEngTemperLimit);
  TC_MAP(kCVTFDeteriorLim);
  TC_MAP(kInvTemperLimit);
  TC_MAP(kTrimLowLimit);
  TC_MAP(kRetarderOilTemperLimit);
  TC_MAP(kHVBTemperLimit);
  TC_MAP(kTrimHighLimit);
  TC_MAP(kAddCoolingTemper);
  TC_MAP(kHybrUse6VentSpeed);
  TC_MAP(kHybrVentSpeedStep);
  TC_MAP(kTareWeight);
  TC_MAP(kCargoDens);
  // "Озвуч.сообщения"
  TC_MAP(kWarnModes);
  visit(Entry("kWarnFirst", kWarnModes, kWarnFirst));
  visit(Entry("kWarnNext", kWarnModes, kWarnNext));
  visit(Entry("kWarnFirstOnly", kWarnModes, kWarnFirstOnly));
  TC_MAP(kWarnWaterInFuel);
  TC_MAP(kAlarmVelSecNoSayMax);
  TC_MAP(kSayHelloMode);
  TC_MAP(kSoundVolume);
  TC_MAP(kFlagSound);
  TC_MAP(kSayEconomPeriod);
  TC_MAP(kSayParamPeriod);
  TC_MAP(kSoundKeys);
  TC_MAP(kSoundLock);
  // "Средние"
  TC_MAP(kResetPeriod0);
  TC_MAP(kResetPeriod1);
  TC_MAP(kResetPeriodOnly);
  TC_MAP(kPriceExpense);
  TC_MAP(kPriceTime);
  TC_MAP(kPricePath);
  TC_MAP(kPriceGas);
  TC_MAP(kTripShowFlag);
  TC_MAP(kTripJournAuto);
  TC_MAP(kTripMinStop);
  // "Парковка"
  TC_MAP(kParkUse);
  TC_MAP(kParkSense);
  TC_MAP(kParkSpeed);
  TC_MAP(kParkMinLeng);
  TC_MAP(kParkStopVel);
  TC_MAP(kParkStopLeng);
  TC_MAP(kParkBeepType);
  TC_MAP(kParkStopLengBeep);
  TC_MAP(kParkForwConstOff);
  TC_MAP(kParkFarkopLen);
  TC_MAP(kParkType);
  TC_MAP(kParkProbesQntReal);
  // "Разное"
  TC_MAP(kDispVar4);
  TC_MAP(kDispVar9);
  TC_MAP(kDispSpeed);
  TC_MAP(kActiveColorScheme);
  TC_MAP(kIntense);
  TC_MAP(kDispShowTitle);
  TC_MAP(kDispShowArrowMeth);
  TC_MAP(kArrowsSmoothed);
  TC_MAP(kProgressBarLimits);
  TC_MAP(kIntenseColorMeth);
  TC_MAP(kIntenseMeth);
  TC_MAP(kColorMeth);
  TC_MAP(kShowDispName);
  TC_MAP(kIntenseDayTime);
  TC_MAP(kIntenseNightTime);
  TC_MAP(kShowDisp4);
  TC_MAP(kShowDisp9);
  TC_MAP(kShowDisp7);
  TC_MAP(kShowDispGraph);
  TC_MAP(kShowDispArrow);
  TC_MAP(kShowDispAver);
  TC_MAP(kShowDisp1);
  TC_MAP(kShowDisp6);
  TC_MAP(kExpPBLim);
  // "Бак", "ТО", "Унив.вход/Трим", "Допсистемы"
  TC_MAP(kTarirHead);
  TC_MAP(kTarirIncline);
  TC_MAP(kServiceCounters);
  TC_MAP(kDateTO);
  TC_MAP(kDateOSAGO);
  TC_MAP(kMotoHourLim);
  TC_MAP(kServiceCarried16);
  TC_MAP(kServiceCarriedSystems);
  TC_MAP(kServiceCarried118);
  TC_MAP(kServiceCarried119);
  TC_MAP(kServiceCarried120);
  TC_MAP(kServiceCarried124);
  TC_MAP(kUseUniMeas);
  TC_MAP(kUniMeasADC);
  TC_MAP(kUniMeasDat);
  TC_MAP(kUsedBlocks);
  TC_MAP(kBlocksShow);
  TC_MAP(kBlocksShowItem);
  TC_MAP(kBlocksShowStored);
  TC_MAP(kBlocksShowList);
  // Block 1: the sums
  for (int s = 0; s < 8; ++s) {
    const SumFields& f = kSumFields[s];
    const std::pair<const char*, FieldRef> members[] = {{"time", f.time},
                                                        {"distance", f.distance},
                                                        {"petrol", f.petrol},
                                                        {"gas", f.gas},
                                                        {"wholeKm", f.wholeKm}};
    for (const auto& [member, field] : members) {
      if (!field.IsSet()) continue;
      MapEntry e = Entry("kSumFields", field);
      e.index = s;
      e.member = member;
      visit(e);
    }
  }
  // Blocks 3 and 4
  TC_MAP(kOil6L);
  TC_MAP(kLit6L);
  TC_MAP(kOil43L);
  TC_MAP(kLit43L);
  TC_MAP(kOilCalibrRes);
  TC_MAP(kOilCalibrLit);
  TC_MAP(kOilCalibrQuant);
  TC_MAP(kTarirFlagFinish);
  TC_MAP(kTarirLeng);
  TC_MAP(kTarirSlopeMark);
  TC_MAP(kTareLitres);
  TC_MAP(kTareSensor);
  // Block 5
  TC_MAP(kUserParamName);
  TC_MAP(kServiceNames);
  TC_MAP(kServiceFlags);
  TC_MAP(kServiceAirFilterOn);
  TC_MAP(kServiceGearboxOilOn);
  TC_MAP(kServiceReminder3On);
  TC_MAP(kServiceReminder4On);
  TC_MAP(kServiceCoolantOn);
  TC_MAP(kServiceEngineOilOn);
  TC_MAP(kServiceReminder7On);
  TC_MAP(kServiceDateTOOn);
  TC_MAP(kServiceDateOSAGOOn);
  TC_MAP(kServiceMotoHoursOn);
  TC_MAP(kServiceFlagsCleared);
  // Block 7
  TC_MAP(kTripRecords);
  TC_MAP(kRefuelRecords);
  // Blocks 10 and 13: cells, hot menus, colour schemes
  TC_MAP(kX4Cells);
  TC_MAP(kX7Cells);
  TC_MAP(kX1Cells);
  TC_MAP(kX3Cells);
  TC_MAP(kGraphCells);
  TC_MAP(kArrowCells);
  TC_MAP(kX9Cells);
  TC_MAP(kX6Cells);
  TC_MAP(kCellTables);
  TC_MAP(kInfoCells);
  TC_MAP(kHotMenus);
  TC_MAP(kColourSchemes);
  TC_MAP(kSchemePalette);
  TC_MAP(kSchemeRoles);
  // Block 12
  TC_MAP(kFaultSupportSet);
  TC_MAP(kFaultRecords);
#undef TC_MAP
}

namespace map_detail {
struct Count {
  int n = 0;
  constexpr void operator()(const MapEntry&) { ++n; }
};
template <size_t N>
struct Collect {
  std::array<MapEntry, N> entries{};
  size_t n = 0;
  constexpr void operator()(const MapEntry& e) { entries[n++] = e; }
};
}  // namespace map_detail

constexpr size_t kMapSize = [] {
  map_detail::Count c;
  DeclareMap(c);
  return size_t(c.n);
}();
constexpr std::array<MapEntry, kMapSize> kMap = [] {
  map_detail::Collect<kMapSize> c;
  DeclareMap(c);
  return c.entries;
}();

// The entries that may overlap (bytes, or bits of a byte for bit fields),
// each with the reason. Any other overlap is a fault of the map.
struct MapSharing {
  const char* a;
  const char* b;
};
constexpr MapSharing kMapSharings[] = {
    // A variant offers one meaning of each of these bytes.
    {"kInvTemperLimit", "kTrimLowLimit"},
    {"kHVBTemperLimit", "kTrimHighLimit"},
    {"kTrimSource", "kHybridCoolHVB"},
    // Warning 17: diesel filter, or water in the fuel / the engine pump.
    {"kWarnModes", "kWarnWaterInFuel"},
    // The fault journal reads two subtype bytes as code switches.
    {"kSubtypesLow", "kDecimalCodesSwitch"},
    {"kSubtypesLow", "kLetterCodesSwitch"},
    // The starting mileage the corrections page sets is the general sum's
    // whole kilometres.
    {"kAllPathStart", "kSumFields[0].wholeKm"},
    // The additional systems: the page's set, the bytes the service file
    // carries, and the display modes in the set's first byte.
    {"kUsedBlocks", "kServiceCarriedSystems"},
    {"kUsedBlocks", "kBlocksShow"},
    {"kServiceCarriedSystems", "kBlocksShow"},
    // The cell tables as one run, and the x1 and x3 screens on the x7 cells.
    {"kCellTables", "kX4Cells"},
    {"kCellTables", "kX7Cells"},
    {"kCellTables", "kX1Cells"},
    {"kCellTables", "kX3Cells"},
    {"kCellTables", "kGraphCells"},
    {"kCellTables", "kArrowCells"},
    {"kCellTables", "kX9Cells"},
    {"kX7Cells", "kX1Cells"},
    {"kX7Cells", "kX3Cells"},
    {"kX1Cells", "kX3Cells"},
    // A colour scheme as bytes, and as its palette and its roles.
    {"kColourSchemes", "kSchemePalette"},
    {"kColourSchemes", "kSchemeRoles"},
    // Bits: a warning announced once writes both groups; the list mode is
    // read from fewer bits than it writes.
    {"kWarnFirst", "kWarnFirstOnly"},
    {"kWarnNext", "kWarnFirstOnly"},
    {"kBlocksShowItem", "kBlocksShowStored"},
};

}  // namespace tc::layout
