#pragma once
// The memory map: every named field and array of the settings blocks that
// the program uses, declared once. Pages, journals, the preview, transfers,
// the command line and the samples name fields from here; nothing else in the
// program writes a block number or a byte offset.
#include "model/field.h"

namespace tc::layout {

// --- Block 11: identity and options ------------------------------------------
constexpr FieldRef kOptionWord = U32(11, 0);
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
// Warning announcement modes: bits 0..2 the first announcement, bits 3..5
// the following ones.
constexpr FieldArray kWarnModes{U8(9, 0), 24, 1};
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
// Bit 0: arrows smoothed; bit 1: progress bars show the limits.
constexpr FieldRef kDispShowArrowMeth = U8(10, 371);
// Bits 0..3: brightness control; bits 4..7: colour-scheme control.
constexpr FieldRef kIntenseColorMeth = U8(10, 372);
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

// "Горячие меню" (block 10): four hot menus of ten 16-bit menu codes each,
// 0 for an empty entry; menu m starts at kHotMenus[m].
constexpr FieldArray kHotMenus{U16(10, 124), 4, 20};
constexpr int kHotMenuEntryCount = 10;
constexpr FieldArray HotMenuEntries(int menu) {
  return {kHotMenus[menu], kHotMenuEntryCount, 2};
}

// "Допсистемы" (block 5): the additional systems the device polls, a set of
// 256 bits from byte 20 on (system n at bit n % 8 of byte 20 + n / 8). Codes
// start at 8: byte 20 also holds the page's display modes, bits 0..1 what
// the list shows and bit 7 list or types.
constexpr FieldArray kUsedBlocks{U8(5, 20), 32, 1};
constexpr FieldRef kBlocksShow = U8(5, 20);

// --- Model, journals, preview, samples -----------------------------------------
// (fields used outside the editor follow)

}  // namespace tc::layout
