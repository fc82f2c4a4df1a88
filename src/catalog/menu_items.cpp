// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/menu_items.h"

#include <algorithm>
#include <cstdio>

#include "util/text_pair.h"

namespace tc {
namespace {

// When an entry exists on a variant.
enum Condition : uint8_t {
  kAlways,
  kIgnitionCorr,
  kAccelTiming,
  kVoice,  // missing entries of this kind take no code either
  kNoLowBeamInAirSlot,
  kLowBeamInAirSlot,
  kLightsAlarm,
  kStopVelocity,
  kTaximeter,
  kParktronic,
  kGas,
  kAddSystems,
  kAddSystemsCan,
  kCargo,
};

bool Holds(Condition c, const VariantFlags& f) {
  switch (c) {
    case kAlways:
      return true;
    case kIgnitionCorr:
      return f.VariantIgnitionCorr;
    case kAccelTiming:
      return !f.VariantNoAccelTiming;
    case kVoice:
      return !f.VariantNoVoice;
    case kNoLowBeamInAirSlot:
      return !f.VariantLowBeamInAirSlot;
    case kLowBeamInAirSlot:
      return f.VariantLowBeamInAirSlot && f.VariantLowBeamControl;
    case kLightsAlarm:
      return !f.VariantNoLightsAlarm;
    case kStopVelocity:
      return !f.VariantNoStopVelocity;
    case kTaximeter:
      return f.VariantTaximeter;
    case kParktronic:
      return !f.VariantNoParktronic;
    case kGas:
      return !f.VariantNoGas;
    case kAddSystems:
      return f.VariantAddSystems && !f.VariantHybrid;
    case kAddSystemsCan:
      return f.VariantAddSystems && f.VariantCan && !f.VariantHybrid;
    case kCargo:
      return f.VariantCargo;
  }
  return false;
}

struct Row {
  // Code on a variant with voice; entries sharing one take one code between them.
  uint16_t slot;
  uint8_t group;
  const char* ident;
  const char* en;
  const char* ru;
  Condition condition;
};

// Single entries in code order; the numbered families are made below.
// clang-format off
constexpr Row kRows[] = {
    {1, 0, "VirtLockMenu", "Virtual Lock On/Off", "Вирт. замок Вкл/Откл", kAlways},
    {2, 0, "FullTankMenu", "Refuel.until full", "Заправка до полн.", kAlways},
    {3, 0, "ToTankMenu", "Fueled l", "Заправлено л", kAlways},
    {4, 0, "InTankMenu", "Now in tank l", "Теперь в баке л", kAlways},
    {5, 0, "VentOnMenu", "Fan On/Off", "Вентилятор Вкл/Откл", kAlways},
    {6, 0, "PrognozMenu", "MileProgn.Econ", "Прогн.проб.Экон", kAlways},
    {7, 0, "InjTimeHHMenu", "% for inject.", "% на впрыск", kAlways},
    {8, 0, "ExpenseHHMenu", "% Expense", "% Расход", kAlways},
    {9, 0, "CorrUOZMenu", "IgnAngCorr", "Поправка УОЗ", kIgnitionCorr},
    {10, 0, "EBUResetMenu", "ECU reset", "Сброс ЭБУ", kAlways},
    {11, 0, "CandleDryMenu", "Spark plugs drying", "Сушка свечей", kAlways},
    {12, 0, "TankMethMenu", "Tank type Calculated/FLS/ECU FLS", "Бак тип Расчетный/ДУТ/ДУТ ЭБУ", kAlways},
    {13, 0, "LiqTemperLimitMenu", "T cool.lim", "Граница ТОЖ", kAlways},
    {14, 0, "RevolutionsLimitMenu", "Eng.speed lim", "Граница Обор.", kAlways},
    {15, 0, "VelocityLimitMenu", "Speed lim", "Граница Скор.", kAlways},
    {16, 0, "TankLimitMenu", "Fuel rem.", "Ост.бака", kAlways},
    {17, 0, "VentTempLimitMenu", "T fan on", "T Вкл.вент.", kAlways},
    {18, 0, "InjTimeLimitMenu", "Inj/expense %", "Впрыск/Расх %", kAlways},
    {19, 0, "LiqTemperReadyMenu", "Engine heat.", "Прогрев ДВС", kAlways},
    {20, 0, "Vel100Menu", "Zero to", "Разгон до", kAccelTiming},
    {21, 0, "Vel100DownMenu", "Brak.from", "Тормож. с", kAccelTiming},
    {22, 0, "Exp100ArrowLimMenu", "Arrows Exp/100", "P/100 стрелки", kAlways},
    {23, 0, "WakeTimeMenu", "Alarm", "Будильник", kAlways},
    {24, 0, "WakeActiveMenu", "Alarm Act./Pas.", "Будильник Акт./Пас.", kAlways},
    {25, 0, "Intense0Menu", "Brightn./Day", "Яркость/День", kAlways},
    {26, 0, "Intense1Menu", "Brightn./Night", "Яркость/Ночь", kAlways},
    {27, 0, "DispShowArrowMethMenu", "Dynamics Smooth/Data", "Динамика Сглаживать/Данные", kAlways},
    {28, 0, "MeasParamsHistoryFlagMenu", "Countdown", "Обратный отсчет", kAlways},
    {29, 0, "AlarmPermJournMenu", "Warnings log", "Журнал предупр.", kAlways},
    {30, 0, "SoundVolumeMenu", "Volume", "Громкость", kVoice},
    {31, 0, "FlagSoundMenu", "Sound off", "Откл.звук", kAlways},
    {32, 0, "SayParamPeriodMenu", "Auto-repeat", "Автоповтор", kVoice},
    {33, 0, "apVelMenu", "High speed", "Превыш.скорость", kAlways},
    {34, 0, "AlarmVelSecNoSayMaxMenu", "Speed thinning", "Скор.прореж.", kAlways},
    {35, 0, "apRevMenu", "High eng.speed", "Превыш.обороты", kAlways},
    {36, 0, "apTankMenu", "Fuel rem.", "Остаток бака", kAlways},
    {37, 0, "apHoloMenu", "Glaze ice", "Гололед", kNoLowBeamInAirSlot},
    {37, 0, "LightsOnMenu", "LowBeamCntr", "Упр.Бл.Свет", kLowBeamInAirSlot},
    {38, 0, "apEconomMenu", "Econometer", "Эконометр", kAlways},
    {39, 0, "apGabarMenu", "Park.lights", "Габариты", kLightsAlarm},
    {40, 0, "apLightsMenu", "Low beam", "Ближн.Свет", kLightsAlarm},
    {41, 0, "apTankFullMenu", "Full tank", "Полный бак", kAlways},
    {42, 0, "apInjTimeMenu", "%Inj/Exp", "%Впрыск/расход", kAlways},
    {43, 0, "apErrorMenu", "Fault", "Неисправность", kAlways},
    {44, 0, "apLiqTempHighMenu", "Coolant overheat", "Перегрев ОЖ", kAlways},
    {45, 0, "apLiqTempReadyMenu", "Eng.heating", "Прогрев ДВС", kAlways},
    {46, 1, "InitTripParamsMenu", "Reset trip", "Сброс Поездка", kAlways},
    {47, 1, "InitReset0ParamsMenu", "Reset Reset1", "Сброс Сброс1", kAlways},
    {48, 1, "InitReset1ParamsMenu", "Reset Reset2", "Сброс Cброс2", kAlways},
    {49, 1, "InitStopParamsMenu", "Reset Jams", "Сброс Пробки", kAlways},
    {50, 1, "InitNoStopParamsMenu", "Reset Traffic", "Сброс БезПробок", kStopVelocity},
    {51, 1, "TripMinStopMenu", "Continuous trip", "Непрер.Поездки", kStopVelocity},
    {52, 1, "TripJournMenu", "Trip log", "Журнал поездок", kAlways},
    {53, 1, "ContinueTripMenu", "Continue", "Продолжить", kAlways},
    {54, 1, "WriteTripMenu", "Save", "Записать", kAlways},
    {75, 1, "ViewTripMenu", "View", "Просмотреть", kAlways},
    {76, 1, "ViewTrip0Menu", "Last     MM:HH DD.MM", "Пoс.     ММ:ЧЧ ДД.ММ", kAlways},
    {97, 1, "TankJournMenu", "Petrol log", "Журнал заправок", kAlways},
    {98, 1, "ViewTank0Menu", "Last     MM:HH DD.MM", "Пoс.     ММ:ЧЧ ДД.ММ", kAlways},
    {119, 2, "TaxStartFinishMenu", "Turn on/off taximeter", "Включить/Выключить такс-р", kTaximeter},
    {120, 2, "TaxTarifDNMenu", "Rate Day/Night", "Тариф День/Ночь", kTaximeter},
    {121, 2, "TaxTarifNumMenu", "Rate 1/2/3/4/5", "Тариф 1/2/3/4/5", kTaximeter},
    {122, 2, "TaxClearAllSumMenu", "Total", "Всего", kTaximeter},
    {123, 2, "TaxFlagMinMenu", "Delivery/Minimum payment", "Подача/Минималка", kTaximeter},
    {124, 2, "TaxTarifStartMenu", "Deliv.cost", "Стоим.подачи", kTaximeter},
    {125, 2, "TaxTarifSumMinMenu", "Min.paiment", "Стоим.миним.", kTaximeter},
    {146, 3, "ParkOffMenu", "Short shutdown", "Кратковр.откл.", kParktronic},
    {147, 3, "ParkUseMenu_0", "Parktronic On/Off", "Парктроник Вкл/Откл", kParktronic},
    {148, 3, "ParkSenseMenu_0", "Sensitivity", "Чувствит.", kParktronic},
    {149, 3, "ParkSpeedMenu_0", "Operat.speed", "Быстродействие", kParktronic},
    {150, 3, "ParkBeepTypeMenu", "Sound type", "Тип озвуч.", kParktronic},
    {151, 3, "ParkAlwaysOnMenu", "Disable Auto/No", "Отключать Авто/Нет", kParktronic},
    {152, 3, "ParkUseMenu_1", "F.Parktronic On/Off", "П.Парктроник Вкл/Откл", kParktronic},
    {153, 3, "ParkForwConstOffMenu", "Work mode On/On 3s/R.mov", "Режим работы Вкл/Вкл3с/ДвЗад", kParktronic},
    {154, 3, "ParkSenseMenu_1", "F.Sensitivity", "П.Чувствит.", kParktronic},
    {155, 3, "ParkSpeedMenu_1", "F.Operat.speed", "П.Быстродействие", kParktronic},
    {156, 0, "InitResetOnlyGasParamsMenu", "Reset Gas", "Сброс Газ", kGas},
    {157, 0, "IntenseDayTimeMenu", "Day", "День", kAlways},
    {158, 0, "IntenseNightTimeMenu", "Night", "Ночь", kAlways},
    {159, 0, "ErrorsMenu", "ECU trouble codes", "Ошибки ЭБУ", kAlways},
    {160, 0, "BlocksABS9Menu", "ABS 8/9", "ABS 8/9", kAddSystems},
    {161, 0, "BlocksElPakNMenu", "El.package Norma", "Электропак.Норма", kAddSystems},
    {162, 0, "BlocksElPakUAZMenu", "El.package uaz", "Электропакет УАЗ", kAddSystems},
    {163, 0, "BlocksClimatUAZMenu", " Climat cntr.UAZ", "Пульт клим.уст.УАЗ", kAddSystems},
    {164, 0, "EBUInitMenu", "ECU initialization", "Инициализация ЭБУ", kAlways},
    {165, 0, "BlocksABS9UMenu", "ABS 9U", "ABS 9U", kAddSystems},
    {166, 0, "InitResetOnlyOilParamsMenu", "Reset Petrol", "Сброс Бенз", kGas},
    {167, 0, "BlocksBoschESP9Menu", "Bosch ESP9", "Bosch ESP9", kAddSystemsCan},
    {168, 0, "BlocksBoschESP91Menu", "Bosch ABS/ESP9", "Bosch ABS/ESP9", kAddSystemsCan},
    {169, 0, "BlocksBoschABSESP9Menu", "Bosch ESP9.1", "Bosch ESP9.1", kAddSystemsCan},
    {170, 0, "FullGasTankMenu", "Ref.gas until full", "Запр.Газ до полн.", kGas},
    {171, 0, "ToGasTankMenu", "Refuel.gas l", "Заправ.Газ л", kGas},
    {172, 0, "InGasTankMenu", "Now gas l", "Теперь газа л", kGas},
    {173, 0, "TareWeightMenu", "Tare weight,t", "Вес тары,т", kCargo},
    {174, 0, "CargoDensMenu", "CargoDens.t/m3", "Плотн.гр,т/м3", kCargo},
};
// clang-format on

// A journal line of the device menu: the record number right-aligned in four
// characters, five spaces, then the time and date mask.
std::string JournalLine(int number, const char* mask) {
  char head[16];
  std::snprintf(head, sizeof head, "%4d", number);
  return std::string(head) + "     " + mask;
}

struct Candidate {
  uint16_t slot;
  uint8_t group;
  std::string ident;
  std::string en;
  std::string ru;
  Condition condition;
};

// Every entry any variant can have, in code order.
const std::vector<Candidate>& Candidates() {
  static const std::vector<Candidate> all = [] {
    std::vector<Candidate> v;
    for (const Row& r : kRows) v.push_back({r.slot, r.group, r.ident, r.en, r.ru, r.condition});

    // Trip records to save into, and the trip and refuelling records to view;
    // record 0 of the viewers ("Last") is a single entry above.
    struct Family {
      uint16_t base;  // record n has code base + n
      const char* stem;
    };
    for (const Family& f :
         {Family{54, "WriteTrip"}, Family{76, "ViewTrip"}, Family{98, "ViewTank"}}) {
      for (int n = 1; n <= 20; ++n)
        v.push_back({uint16_t(f.base + n), 1, f.stem + std::to_string(n) + "Menu",
                     JournalLine(n, "MM:HH DD.MM"), JournalLine(n, "ММ:ЧЧ ДД.ММ"), kAlways});
    }

    // Taximeter tariffs 1..5: per minute and per km, by day and by night.
    struct Tariff {
      const char* ident;
      const char* en;
      const char* ru;
    };
    constexpr Tariff kTariffParts[] = {
        {"TaxTimeTarif%dDayMenu", "Rate%d D 1min", "Тар.%d Д 1мин"},
        {"TaxPathTarif%dDayMenu", "Rate%d D 1km", "Тар.%d Д 1км"},
        {"TaxTimeTarif%dNightMenu", "Rate%d N 1min", "Тар.%d Н 1мин"},
        {"TaxPathTarif%dNightMenu", "Rate%d N 1km", "Тар.%d Н 1км"}};
    for (int k = 0; k < 5; ++k) {
      for (int j = 0; j < 4; ++j) {
        char ident[40], en[40], ru[40];
        std::snprintf(ident, sizeof ident, kTariffParts[j].ident, k);
        std::snprintf(en, sizeof en, kTariffParts[j].en, k + 1);
        std::snprintf(ru, sizeof ru, kTariffParts[j].ru, k + 1);
        v.push_back({uint16_t(126 + 4 * k + j), 2, ident, en, ru, kTaximeter});
      }
    }
    std::stable_sort(v.begin(), v.end(),
                     [](const Candidate& a, const Candidate& b) { return a.slot < b.slot; });
    return v;
  }();
  return all;
}

}  // namespace

TMenuItemCatalog BuildMenuItems(const VariantFlags& flags) {
  const std::vector<Candidate>& all = Candidates();
  std::vector<TMKMenuItem> items;
  items.reserve(all.size());
  uint16_t counter = 1;
  for (std::size_t i = 0; i < all.size();) {
    std::size_t end = i;
    while (end < all.size() && all[end].slot == all[i].slot) ++end;
    // The voice entries vanish without a trace on voiceless devices; every
    // other missing entry still takes its code.
    const bool dropsCode = all[i].condition == kVoice && flags.VariantNoVoice;
    if (!dropsCode) {
      for (std::size_t k = i; k < end; ++k) {
        const Candidate& c = all[k];
        if (Holds(c.condition, flags)) items.push_back({c.ru, c.en, c.ident, counter, c.group});
      }
      ++counter;
    }
    i = end;
  }
  return TMenuItemCatalog(std::move(items));
}

const std::string& TMKMenuItem::Caption() const {
  return Caption(EnglishVersion());
}

const TMKMenuItem* TMenuItemCatalog::FindMenuItemByIdent(std::string_view ident) const {
  for (const auto& item : items_)
    if (item.Ident == ident) return &item;
  return nullptr;
}

const TMKMenuItem* TMenuItemCatalog::FindMenuItemByCode(uint16_t code) const {
  for (const auto& item : items_)
    if (item.Code == code) return &item;
  return nullptr;
}

}  // namespace tc
