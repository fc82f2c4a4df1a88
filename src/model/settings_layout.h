// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memory map: every named field, array, bit field and record of the
// settings blocks that the program uses, declared once. Pages, journals, the
// preview, transfers, the command line, the samples and the defaults name
// fields from here; nothing else in the program writes a block number, a
// byte offset or a bit number. settings_map.h lists every declaration here
// as data (kMap), so the map can be walked; a declaration added here belongs
// there as well.
#include <array>
#include <cstdint>

#include "model/field.h"

namespace tc::layout {

// --- Block 11: identity and options ------------------------------------------
constexpr FieldRef kOptionWord = U32(11, 0);
// The options of the word that the editor shows.
constexpr BitField kOptVirtualLock{kOptionWord, 0};         // ignition lock is virtual
constexpr BitField kOptLightsFromEcu{kOptionWord, 5};       // parking lights taken from the ECU
constexpr BitField kOptUseTank2{kOptionWord, 6};            // second tank in use
constexpr BitField kOptLowBeamControl{kOptionWord, 7};      // the device drives the low beam
constexpr BitField kOptGasPetrolMode{kOptionWord, 8};       // gas/petrol mode
constexpr BitField kOptLightsInverse{kOptionWord, 10};      // parking-lights input active low
constexpr BitField kOpt24V{kOptionWord, 11};                // 24 V on-board voltage
constexpr BitField kOptNoTankVoltageComp{kOptionWord, 15};  // tank voltage compensation OFF
constexpr BitField kOptGasVariant2{kOptionWord, 17};        // gas consumption variant 2
// The stored protocol number (index into the variant's protocol list).
constexpr FieldRef kProtocolNumber = U16(11, 4);
// The protocol number in use before the last change, for the device.
constexpr FieldRef kPreviousProtocol = U16(11, 6);
constexpr FieldRef kProtocolDefinition = S8(11, 8);
constexpr FieldRef kLockLevel = U8(11, 11);
// The subtype bytes of slots main, additional 1..3, then additional 4..7.
constexpr FieldArray kSubtypesLow{U8(11, 12), 4, 1};
constexpr FieldArray kSubtypesHigh{U8(11, 52), 4, 1};
constexpr FieldRef SubtypeField(int slot) {
  return slot < 4 ? kSubtypesLow[slot] : kSubtypesHigh[slot - 4];
}
// The two subtype bytes the fault journal reads as switches of the code kind.
constexpr FieldRef kDecimalCodesSwitch = kSubtypesLow[0];
constexpr FieldRef kLetterCodesSwitch = kSubtypesLow[2];

// --- Editor pages ------------------------------------------------------------
// (fields of the settings pages follow, page by page)

// "Поправки"
constexpr FieldRef kVelocityCorr = F32(6, 36);
constexpr FieldRef kExpenseCorr = F32(6, 32);
constexpr FieldRef kGazExpenseCorr = F32(6, 48);
constexpr FieldRef kAirTemperCorr = S8(6, 23);
constexpr FieldRef kAccCorr = S8(6, 40);
constexpr FieldRef kTimeCorr = S8(6, 3);
constexpr FieldRef kAllPathStart = S32(1, 100);
constexpr FieldRef kAllTimeStart = S32(1, 160);
constexpr FieldRef kForsCoefCarb = S8(6, 64);
constexpr FieldRef kForsPosFlag = U8(6, 20);
constexpr FieldRef kForsCoef = U8(6, 21);

// "Источники"
constexpr FieldRef kSpeedSource = S8(6, 17);
constexpr FieldRef kRevolutionsSource = S8(6, 19);
constexpr FieldRef kExpenseSource = S8(6, 18);
constexpr FieldRef kGasSource = S8(6, 14);
constexpr FieldRef kUaccSource = U8(6, 58);
constexpr FieldRef kAirTemperSource = U8(6, 65);
// Shared: the trim source, and the HVB heating switch of the limits page.
constexpr FieldRef kTrimSource = U8(6, 45);
constexpr FieldRef kPrognozMeth = S8(6, 16);
constexpr FieldRef kK100Manual = S16(3, 42);
constexpr FieldRef kTankMode = S8(3, 37);
constexpr FieldRef kTankMeth = S8(3, 38);
constexpr FieldRef kTankContFull = S16(3, 44);
constexpr FieldRef kGazContFull = S16(3, 56);
constexpr FieldRef kAirTemperMeth = S8(6, 15);
// The temperature signature (which temperature the universal input shows).
constexpr FieldRef kAirWaterShow = S8(5, 67);

// "Границы" (block 6 unless noted)
constexpr FieldRef kVelocityLimit = S8(6, 0);  // km/h / 2
constexpr FieldRef kRevolutionsLimit = S8(6, 1);
constexpr FieldRef kTankLimit = S8(6, 2);
constexpr FieldRef kLiqTemperLimit = S16(6, 4);
constexpr FieldRef kUaccLowLimit = S16(6, 6);  // V × 10
constexpr FieldRef kStopVelocityLimit = S16(6, 8);
constexpr FieldRef kUaccHighLimit = S16(6, 10);  // V × 10
constexpr FieldRef kVentTempLimit = S16(6, 12);
constexpr FieldRef kInjTimeLimit = S8(6, 22);
constexpr FieldRef kVel100 = S16(6, 28);
constexpr FieldRef kVel100Down = S16(6, 30);
constexpr FieldRef kLiqTemperReady = S8(6, 41);
constexpr FieldRef kHybridCoolHVB = U8(6, 45);  // = kTrimSource
constexpr FieldRef kExp100ArrowLim = U8(6, 46);
constexpr FieldRef kVAGSFilterLimit = S8(6, 47);
constexpr FieldRef kOilAKPPTemperLimit = S16(6, 52);
constexpr FieldRef kOilEngTemperLimit = S16(6, 54);
constexpr FieldRef kCVTFDeteriorLim = S16(6, 56);
// Shared: inverter temperature or trim low limit; HVB temperature or trim
// high limit. A variant offers one meaning of each.
constexpr FieldRef kInvTemperLimit = S8(6, 59);
constexpr FieldRef kTrimLowLimit = S8(6, 59);
constexpr FieldRef kRetarderOilTemperLimit = S16(6, 60);
constexpr FieldRef kHVBTemperLimit = S8(6, 62);
constexpr FieldRef kTrimHighLimit = S8(6, 62);
constexpr FieldRef kAddCoolingTemper = S8(6, 63);
constexpr FieldRef kHybrUse6VentSpeed = U8(6, 68);
constexpr FieldRef kHybrVentSpeedStep = S8(6, 69);
constexpr FieldRef kTareWeight = S16(13, 0);  // t × 10
constexpr FieldRef kCargoDens = S16(13, 2);   // t/m3 × 10

// "Озвуч.сообщения"
// Warning announcement modes, one byte per warning: bits 0..2 the first
// announcement, bits 3..5 the following ones, bits 6..7 are 0. A warning
// announced only once keeps its mode in both groups (mode × 9).
constexpr FieldArray kWarnModes{U8(9, 0), 24, 1};
constexpr BitField kWarnFirst{kWarnModes.first, 0, 3};      // of every byte of kWarnModes
constexpr BitField kWarnNext{kWarnModes.first, 3, 3};       // of every byte of kWarnModes
constexpr BitField kWarnFirstOnly{kWarnModes.first, 0, 6};  // both groups of a single mode
// Shared: warning 17 is the diesel filter, or, with a protocol that has
// them, water in the fuel or the engine pump.
constexpr FieldRef kWarnWaterInFuel = kWarnModes[17];
constexpr FieldRef kAlarmVelSecNoSayMax = S8(9, 35);
constexpr FieldRef kSayHelloMode = S8(10, 361);
constexpr FieldRef kSoundVolume = S8(10, 362);
constexpr FieldRef kFlagSound = S8(10, 363);
constexpr FieldRef kSayEconomPeriod = S8(10, 366);
constexpr FieldRef kSayParamPeriod = S8(10, 367);
constexpr FieldRef kSoundKeys = U8(10, 373);
constexpr FieldRef kSoundLock = U8(10, 374);

// "Средние"
constexpr FieldRef kResetPeriod0 = S8(1, 104);
constexpr FieldRef kResetPeriod1 = S8(1, 105);
constexpr FieldRef kResetPeriodOnly = S8(1, 134);
constexpr FieldRef kPriceExpense = S16(7, 0);  // × 10
constexpr FieldRef kPriceTime = S16(7, 2);
constexpr FieldRef kPricePath = S16(7, 4);  // × 10
constexpr FieldRef kPriceGas = S16(7, 6);   // × 10
constexpr FieldRef kTripShowFlag = U8(7, 8);
constexpr FieldRef kTripJournAuto = U8(7, 9);
constexpr FieldRef kTripMinStop = S16(7, 10);  // minutes / 5

// "Парковка" (block 2): rear [0] and front [1] sensors
constexpr FieldArray kParkUse{S8(2, 0), 2, 1};
constexpr FieldArray kParkSense{S8(2, 2), 2, 1};
constexpr FieldArray kParkSpeed{S8(2, 4), 2, 1};
constexpr FieldArray kParkMinLeng{S8(2, 6), 2, 1};  // cm / 10
constexpr FieldArray kParkStopVel{S8(2, 8), 2, 1};
constexpr FieldArray kParkStopLeng{S8(2, 10), 2, 1};  // cm / 10
constexpr FieldRef kParkBeepType = S8(2, 14);
constexpr FieldRef kParkStopLengBeep = S8(2, 15);  // cm / 10
constexpr FieldRef kParkForwConstOff = S8(2, 16);
constexpr FieldRef kParkFarkopLen = S8(2, 17);
constexpr FieldRef kParkType = U8(2, 18);
constexpr FieldArray kParkProbesQntReal{S8(2, 21), 2, 1};

// "Разное" (block 10)
constexpr FieldRef kDispVar4 = U8(10, 9);
constexpr FieldRef kDispVar9 = U8(10, 10);
constexpr FieldRef kDispSpeed = U8(10, 123);
constexpr FieldRef kActiveColorScheme = S8(10, 360);
constexpr FieldArray kIntense{U8(10, 364), 2, 1};  // day, night
constexpr FieldRef kDispShowTitle = U8(10, 370);
constexpr FieldRef kDispShowArrowMeth = U8(10, 371);
constexpr BitField kArrowsSmoothed{kDispShowArrowMeth, 0};
constexpr BitField kProgressBarLimits{kDispShowArrowMeth, 1};  // else their maximum
// Brightness and colour-scheme control share the byte, a half each.
constexpr FieldRef kIntenseColorMeth = U8(10, 372);
constexpr BitField kIntenseMeth{kIntenseColorMeth, 0, 4};
constexpr BitField kColorMeth{kIntenseColorMeth, 4, 4};
constexpr FieldRef kShowDispName = U8(10, 375);
constexpr FieldRef kIntenseDayTime = S16(10, 376);    // minutes since midnight
constexpr FieldRef kIntenseNightTime = S16(10, 378);  // minutes since midnight
// Which displays of each kind are in use: bit n for display n + 1.
constexpr FieldRef kShowDisp4 = U16(10, 380);
constexpr FieldRef kShowDisp9 = U16(10, 382);
constexpr FieldRef kShowDisp7 = U16(10, 384);
constexpr FieldRef kShowDispGraph = U16(10, 386);
constexpr FieldRef kShowDispArrow = U16(10, 388);
constexpr FieldRef kShowDispAver = U16(10, 390);
// The x1 mask is 64 bits wide: displays 1..32, then 33..64.
constexpr FieldArray kShowDisp1{U32(10, 392), 2, 4};
constexpr FieldRef kShowDisp6 = U16(10, 412);
constexpr FieldRef kExpPBLim = S16(10, 416);

// "Бак" (blocks 3 and 4). The calibrations, the point counts and the tare
// table are in the model's section below (block 3, block 4).
// Carried by the tank file, not shown.
constexpr FieldRef kTarirHead = U8(4, 0);
// The slope the device found; shown only.
constexpr FieldRef kTarirIncline = U8(4, 7);

// "ТО" (block 5). The reminder names and the reminder flag word are in the
// model's section below.
// Thousands of kilometres left: air filter, gearbox oil, reminder 3 (named),
// reminder 4 (named), coolant, engine oil, reminder 7 (named).
constexpr FieldArray kServiceCounters{S8(5, 0), 7, 1};
// Day numbers in 4-byte fields, the upper two bytes 0.
constexpr FieldRef kDateTO = U32(5, 8);
constexpr FieldRef kDateOSAGO = U32(5, 12);
constexpr FieldRef kMotoHourLim = S16(5, 122);
// Bytes the service file carries that no page here shows.
constexpr FieldRef kServiceCarried16 = U32(5, 16);
constexpr FieldArray kServiceCarriedSystems{U8(5, 20), 32, 1};  // the additional systems
constexpr FieldRef kServiceCarried118 = U8(5, 118);
constexpr FieldRef kServiceCarried119 = U8(5, 119);
constexpr FieldRef kServiceCarried120 = U16(5, 120);
constexpr FieldRef kServiceCarried124 = U8(5, 124);

// "Унив.вход/Трим" (block 5). Its name is kUserParamName, below.
constexpr FieldRef kUseUniMeas = U8(5, 7);
constexpr FieldArray kUniMeasADC{S16(5, 52), 2, 2};  // min, max
constexpr FieldArray kUniMeasDat{S16(5, 56), 2, 2};  // min, max

// "Допсистемы" (block 5): the additional systems the device polls, a set of
// 256 bits from byte 20 on (system n at bit n % 8 of byte 20 + n / 8); the
// service file carries the same bytes. Codes start at 8: byte 20 also holds
// the page's display modes.
constexpr FieldArray kUsedBlocks = kServiceCarriedSystems;
constexpr FieldRef kBlocksShow = U8(5, 20);
// What the list shows is read from bits 0..1; choosing it writes bits 0..6.
constexpr BitField kBlocksShowItem{kBlocksShow, 0, 2};
constexpr BitField kBlocksShowStored{kBlocksShow, 0, 7};
constexpr BitField kBlocksShowList{kBlocksShow, 7};  // set: by types; clear: as a list

// --- Model, journals, preview, samples -----------------------------------------
// (fields used outside the editor follow)

// Block 1: the eight accumulated sums (u32 each: seconds, metres, millilitres).
// A field that a sum does not have is left unset.
struct SumFields {
  FieldRef time, distance, petrol, gas, wholeKm;
};
// In the viewer's order: general, trip, reset 1, jams, traffic, reset 2,
// petrol only, gas only. The general sum's whole kilometres are added to its
// distance.
constexpr SumFields kSumFields[8] = {
    {U32(1, 0), U32(1, 4), U32(1, 8), U32(1, 136), U32(1, 100)},
    {U32(1, 12), U32(1, 16), U32(1, 20), U32(1, 140), {}},
    {U32(1, 24), U32(1, 28), U32(1, 32), U32(1, 144), {}},
    {U32(1, 36), U32(1, 40), U32(1, 44), U32(1, 148), {}},
    {U32(1, 48), U32(1, 52), U32(1, 56), U32(1, 152), {}},
    {U32(1, 60), U32(1, 64), U32(1, 68), U32(1, 156), {}},
    {U32(1, 108), U32(1, 112), U32(1, 116), {}, {}},
    {U32(1, 120), U32(1, 124), {}, U32(1, 128), {}},
};

// Block 3: fuel-level sensor calibration and tank volumes.
constexpr FieldRef kOil6L = S16(3, 0);   // 2-point: sensor reading of point 1
constexpr FieldRef kLit6L = S16(3, 2);   // 2-point: litres of point 1
constexpr FieldRef kOil43L = S16(3, 4);  // 2-point: sensor reading of point 2
constexpr FieldRef kLit43L = S16(3, 6);  // 2-point: litres of point 2
constexpr FieldArray kOilCalibrRes{S16(3, 8), 7, 2};
constexpr FieldArray kOilCalibrLit{S16(3, 22), 7, 2};
constexpr FieldRef kOilCalibrQuant = U8(3, 36);

// Block 4: tare table.
constexpr FieldRef kTarirFlagFinish = U8(4, 1);
constexpr FieldRef kTarirLeng = U8(4, 2);
constexpr FieldRef kTarirSlopeMark = U8(4, 6);
constexpr int kTarePointsMax = 68;
constexpr FieldArray kTareLitres{U8(4, 8), kTarePointsMax, 1};
constexpr FieldArray kTareSensor{S16(4, 144), kTarePointsMax, 2};

// Block 5: texts and service reminders.
constexpr FieldRef kUserParamName = Text(5, 60, 7);
constexpr FieldArray kServiceNames{Text(5, 68, 16), 3, 16};
// One bit per reminder switched on; every change of a switch also clears
// bits 12..15.
constexpr FieldRef kServiceFlags = U16(5, 116);
constexpr BitField kServiceAirFilterOn{kServiceFlags, 0};
constexpr BitField kServiceGearboxOilOn{kServiceFlags, 1};
constexpr BitField kServiceReminder3On{kServiceFlags, 2};  // kServiceNames[0]
constexpr BitField kServiceReminder4On{kServiceFlags, 3};  // kServiceNames[1]
constexpr BitField kServiceCoolantOn{kServiceFlags, 4};
constexpr BitField kServiceEngineOilOn{kServiceFlags, 5};
constexpr BitField kServiceReminder7On{kServiceFlags, 6};  // kServiceNames[2]
constexpr BitField kServiceDateTOOn{kServiceFlags, 7};
constexpr BitField kServiceDateOSAGOOn{kServiceFlags, 8};
constexpr BitField kServiceMotoHoursOn{kServiceFlags, 9};
constexpr BitField kServiceFlagsCleared{kServiceFlags, 12, 4};

// Block 7: the trip and refuelling journals (the prices are the averages
// page's), 21 records of 20 bytes each; record 0 is the most recent.
struct JournalRecord {
  uint16_t minutes = 0;  // time of day, minutes since midnight
  uint8_t day = 0;       // 0 marks an empty record
  uint8_t month = 0;
  uint32_t seconds = 0;  // travel time
  uint32_t metres = 0;
  uint32_t petrolMl = 0;
  uint32_t gasMl = 0;
  bool Empty() const { return day == 0; }
};
constexpr RecordMember<JournalRecord> kJournalRecordMembers[] = {
    Member<&JournalRecord::minutes>(0), Member<&JournalRecord::day>(2),
    Member<&JournalRecord::month>(3),   Member<&JournalRecord::seconds>(4),
    Member<&JournalRecord::metres>(8),  Member<&JournalRecord::petrolMl>(12),
    Member<&JournalRecord::gasMl>(16),
};
constexpr int kJournalRecordCount = 21;
constexpr int kJournalRecordSize = 20;
constexpr RecordArray<JournalRecord> kTripRecords{
    U8(7, 16), kJournalRecordCount, kJournalRecordSize, kJournalRecordMembers, "journal record"};
constexpr RecordArray<JournalRecord> kRefuelRecords{
    U8(7, 436), kJournalRecordCount, kJournalRecordSize, kJournalRecordMembers, "journal record"};

// Block 10: display cells, one parameter code per cell (display, cell).
constexpr FieldGrid kX4Cells{U8(10, 12), 6, 4, 4, 1};
constexpr FieldGrid kX7Cells{U8(10, 36), 4, 7, 7, 1};
// Shared: the x1 and x3 screens show the first cells of the x7 displays.
constexpr FieldGrid kX1Cells{kX7Cells.first, 4, kX7Cells.rowStride, 4, 1};
constexpr FieldGrid kX3Cells{kX7Cells.first, 3, kX7Cells.rowStride, 3, 1};
constexpr FieldGrid kGraphCells{U8(10, 64), 8, 2, 2, 1};
constexpr FieldGrid kArrowCells{U8(10, 80), 8, 2, 2, 1};
constexpr FieldGrid kX9Cells{U8(10, 96), 3, 9, 9, 1};
constexpr FieldGrid kX6Cells{U8(10, 400), 2, 6, 6, 1};
// The x4, x7, graph, arrow and x9 tables lie back to back.
constexpr FieldArray kCellTables{U8(10, 12), 111, 1};
// Block 13: the info panel's four cells, a signed index into its item list.
constexpr FieldArray kInfoCells{S8(13, 4), 4, 1};

// Block 10: hot menus, ten u16 menu codes each (0 an empty entry, kept packed).
constexpr FieldGrid kHotMenus{U16(10, 124), 4, 20, 10, 2};

// Block 10: the device's two colour schemes (scheme, byte) and the active one.
// A scheme is 16 RGB565 palette colours, then 23 role bytes (palette indices).
constexpr FieldGrid kColourSchemes{U8(10, 248), 2, 56, 56, 1};
constexpr FieldGrid kSchemePalette{U16(10, 248), 2, 56, 16, 2};
constexpr FieldGrid kSchemeRoles{U8(10, 280), 2, 56, 23, 1};
// One palette colour (RGB565) and one role byte of scheme 0 (day) or 1 (night).
constexpr FieldRef SchemePaletteField(int scheme, int index) {
  return kSchemePalette(scheme, index);
}
constexpr FieldRef SchemeRoleField(int scheme, int roleByte) {
  return kSchemeRoles(scheme, roleByte);
}

// Block 12: the fault journal. The support set has one bit per stored-data
// item 1..96, item 1 in the top bit of the first byte.
constexpr FieldArray kFaultSupportSet{U8(12, 4), 12, 1};
constexpr int kFaultRecordCount = 7;
constexpr int kFaultRecordSize = 92;
constexpr int kFaultStoredValues = 39;
struct FaultRecord {
  uint16_t minutes = 0;  // time of day
  uint8_t day = 0;
  uint8_t month = 0;
  uint32_t code = 0;        // 0 marks an empty record
  uint32_t storedCode = 0;  // the code that caused the stored data; 0: none stored
  uint8_t fuelSystem2 = 0;
  uint8_t fuelSystem1 = 0;
  std::array<int16_t, kFaultStoredValues> stored{};  // engine data, by stored-data index
  bool Empty() const { return code == 0; }
};
constexpr RecordMember<FaultRecord> kFaultRecordMembers[] = {
    Member<&FaultRecord::minutes>(0),      Member<&FaultRecord::day>(2),
    Member<&FaultRecord::month>(3),        Member<&FaultRecord::code>(4),
    Member<&FaultRecord::storedCode>(8),   Member<&FaultRecord::fuelSystem2>(12),
    Member<&FaultRecord::fuelSystem1>(13), Member<&FaultRecord::stored>(14),
};
constexpr RecordArray<FaultRecord> kFaultRecords{U8(12, 16), kFaultRecordCount, kFaultRecordSize,
                                                 kFaultRecordMembers, "fault record"};

// --- Construction defaults ------------------------------------------------------
// Fields a new model sets before the first read or load (besides the texts,
// colour schemes, cell codes, menu codes and sample journal records), as the
// stored value of the field's type.
struct FieldDefault {
  FieldRef field;
  double value;
};
// Blocks 10, 11 and 13, before the variant is selected.
constexpr FieldDefault kEarlyDefaults[] = {
    {kActiveColorScheme, 1}, {kShowDisp4, 63},
    {kShowDisp9, 7},         {kShowDisp7, 15},
    {kShowDispGraph, 255},   {kShowDispArrow, 255},
    {kShowDispAver, 511},    {kShowDisp1[0], 0xFFFFFFFFu},
    {kShowDisp6, 1},         {kProtocolNumber, 0},
    {kTareWeight, 100},      {kCargoDens, 200},
};
// Blocks 1 and 3..7, after the catalogue steps.
constexpr FieldDefault kLateDefaults[] = {
    {kResetPeriod1, -1},
    {kResetPeriodOnly, -1},
    {kOil6L, 1000},
    {kLit6L, 6},
    {kOil43L, 10},
    {kLit43L, 43},
    {kOilCalibrQuant, 7},
    {kTankContFull, 50},
    {kGazContFull, 50},
    {kTarirFlagFinish, 1},
    {kTarirLeng, 15},
    {kServiceCounters[0], 15},
    {kServiceCounters[1], 45},
    {kServiceCounters[2], 30},
    {kServiceCounters[3], 45},
    {kServiceCounters[4], 30},
    {kServiceCounters[5], 15},
    {kServiceCounters[6], 30},
    {kUseUniMeas, 1},
    {kDateTO, 4392},
    {kDateOSAGO, 4392},
    {kUniMeasADC[1], 1023},
    {kUniMeasDat[1], 90},
    {kAirWaterShow, 0},
    {kServiceFlags, 511},
    {kVelocityLimit, 40},
    {kRevolutionsLimit, 80},
    {kTankLimit, 10},
    {kLiqTemperLimit, 115},
    {kUaccLowLimit, 115},
    {kStopVelocityLimit, 20},
    {kUaccHighLimit, 155},
    {kVentTempLimit, 115},
    {kForsPosFlag, 1},
    {kForsCoef, 1},
    {kInjTimeLimit, 9},
    {kVel100, 100},
    {kVel100Down, 100},
    {kExpenseCorr, 1.0},
    {kVelocityCorr, 1.0},
    {kGazExpenseCorr, 1.0},
    {kLiqTemperReady, 70},
    {kVAGSFilterLimit, 25},
    {kOilAKPPTemperLimit, 110},
    {kOilEngTemperLimit, 110},
    {kCVTFDeteriorLim, 30},
    {kInvTemperLimit, 120},
    {kRetarderOilTemperLimit, 165},
    {kHVBTemperLimit, 120},
    {kPriceExpense, 250},
    {kPricePath, 30},
};
// The 2-point and 7-point calibration tables: value i of each.
constexpr int kOilCalibrResStep = 100;
constexpr int kOilCalibrLitStep = 6;
// The tare table's first 15 points: litres 16 + 3 i, sensor 50 i.
constexpr int kTareDefaultPoints = 15;

}  // namespace tc::layout
