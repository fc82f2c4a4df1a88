// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fault_journal.h"

#include <cstdio>

#include "catalog/variants.h"
#include "model/record_io.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/fixed_text.h"

namespace tc {

namespace {

constexpr StoredKind I = StoredKind::Integer;
constexpr StoredKind S = StoredKind::Scaled;

const TextPair kUnknown{"Неизвестно", "Unknown"};
const TextPair kTroubleCode{"Код ошибки", "Trouble code"};

std::string Hex(uint32_t v, int minDigits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", minDigits, unsigned(v));
  return buf;
}

}  // namespace

const std::array<StoredItem, 41> kStoredItems = {{
    {3, 1, {"Сост. топливной системы 1", "Fuel system 1 status"}, StoredKind::FuelStatus, 0, 0},
    {3, 2, {"Сост. топливной системы 2", "Fuel system 2 status"}, StoredKind::FuelStatus, 0, 0},
    {4, 0, {"Нагрузка на двигатель, %", "Calc.engine load, %"}, I, 0, 0},
    {5, 1, {"ТОЖ, С", "Eng.coolant temper., C"}, I, 0, 0},
    {6, 2, {"Краткосрочная корр.подачи топл.Б1, %", "Short term fuel trim-Bank 1, %"}, I, 0, 0},
    {8, 3, {"Краткосрочная корр.подачи топл.Б2, %", "Short term fuel trim-Bank 2, %"}, I, 0, 0},
    {7, 4, {"Долгосрочная корр.продачи топл.Б1, %", "Long term fuel trim-Bank 1, %"}, I, 0, 0},
    {9, 5, {"Долгосрочная корр.продачи топл.Б2, %", "Long term fuel trim-Bank 2, %"}, I, 0, 0},
    {10, 6, {"Давление топлива, кПа", "Fuel pressure, kPa"}, S, 10, 1},
    {11, 7, {"Давление во впускном коллекторе, кПа", "Intake manifold pressure, kPa"}, I, 0, 0},
    {12, 9, {"Обороты/мин", "Engine RPM"}, I, 0, 0},
    {13, 8, {"Скорость, км/час", "Vehicle speed, km/h"}, I, 0, 0},
    {14, 10, {"Угол опережения зажигания, ВМТ", "Timing advance"}, S, 10, 1},
    {15, 11, {"Температура впускного воздуха, С", "Intake air temperature, C"}, I, 0, 0},
    {16, 12, {"Массовый расход воздуха, кг/час", "MAF air flow rate, kg/h"}, S, 10, 1},
    {17, 13, {"Дроссель, %", "Throttle position, %"}, I, 0, 0},
    {18,
     14,
     {"Состояние вторичного воздуха", "Состояние вторичного воздуха"},
     StoredKind::SecondaryAir,
     0,
     0},
    {20, 15, {"Датчик кислорода 1, В", "Oxygen sensor voltage 1, V"}, S, 100, 2},
    {21, 16, {"Датчик кислорода 2, В", "Oxygen sensor voltage 2, V"}, S, 100, 2},
    {31, 17, {"Время с момента запуска двигателя, с", "Run time since engine start, s"}, I, 0, 0},
    {33, 18, {"Пробег с вкл. лампой неиспр., км", "Distance traveled with MIL on, km"}, I, 0, 0},
    {34,
     19,
     {"Давление в топл.рампе отн.вакуума, кПа", "Fuel Rail Press.(rel.to manifold vacuum), kPa"},
     I,
     0,
     0},
    {35, 20, {"Давление в топл.рампе (выс.диап.), кПа", "Fuel Pressure (diesel), kPa"}, S, 10, 1},
    {44, 21, {"Желаемый расход системы EGR, %", "Commanded EGR, %"}, I, 0, 0},
    {45, 22, {"Ошибка регул.расхода сис.EGR, %", "EGR Error, %"}, I, 0, 0},
    {46, 23, {"Жел.уровень продувки паров топлива, %", "Commanded evaporative purge, %"}, I, 0, 0},
    {48,
     24,
     {"Число прогревов двиг.с момента сброса ошибок", "# of warm-ups since codes cleared"},
     I,
     0,
     0},
    {49,
     25,
     {"Пробег с момента сброса ошибок, км", "Distance traveled since codes cleared, km"},
     I,
     0,
     0},
    {50, 26, {"Давление паров топ.в системе продувки", "Evap. System Vapor Pressure, Pa"}, I, 0, 0},
    {51, 27, {"Атмосферное давление, кПа", "Barometric pressure, kPa"}, I, 0, 0},
    {60, 28, {"Температура катализатора B1 S1, С", "Catalyst Temperature B1 S1, C"}, I, 0, 0},
    {61, 29, {"Температура катализатора B2 S1, С", "Catalyst Temperature B2 S1, C"}, I, 0, 0},
    {62, 30, {"Температура катализатора B1 S2, С", "Catalyst Temperature B1 S2, C"}, I, 0, 0},
    {63, 31, {"Температура катализатора B2 S2, С", "Catalyst Temperature B2 S2, C"}, I, 0, 0},
    {66, 32, {"Напряжение питания БУ, В", "Control module voltage, V"}, S, 10, 1},
    {68, 33, {"Желаемое значение лямбда", "Command equivalence ratio"}, S, 100, 2},
    {69, 34, {"Отн.положение дросс.заслонки, %", "Relative throttle position, %"}, I, 0, 0},
    {70, 35, {"Температура внешнего воздуха, C", "Ambient air temperature, C"}, I, 0, 0},
    {76, 36, {"Жел. положение привода дросселя, %", "Commanded throttle actuator, %"}, I, 0, 0},
    {77, 37, {"Время с момента вкл.лампы неиспр., мин", "Time run with MIL on, min"}, I, 0, 0},
    {78,
     38,
     {"Время с момента сброса ошибок, мин", "Time since trouble codes cleared, min"},
     I,
     0,
     0},
}};

// --- Records ----------------------------------------------------------------------------

FaultRecord ReadFaultRecord(const TMK& mk, int record) {
  return ReadRecord(mk, layout::kFaultRecords, record);
}

// --- Trouble codes ---------------------------------------------------------------------

CodeSwitches ReadCodeSwitches(const TMK& mk) {
  return {uint8_t(mk.GetInt(layout::kDecimalCodesSwitch)),
          uint8_t(mk.GetInt(layout::kLetterCodesSwitch))};
}

uint32_t ConvertKind8Code(uint32_t code) {
  if (code >= 0x5000) return 0;
  const uint32_t v = code & 0x3FF;  // offset in its 1024-code range
  return (v % 10) + ((v / 10) % 10) * 16 + ((v / 100) % 10) * 256;
}

std::string FormatTroubleCode(int kind, uint32_t code, CodeSwitches switches) {
  switch (kind) {
    case 7:
      kind = switches.letterCodes == 1 ? 0 : 1;
      break;
    case 8:
      if (code >= 0x4000) {
        code = ConvertKind8Code(code);
        kind = 0;
      } else {
        kind = switches.decimalCodes == 1 ? 2 : 6;
      }
      break;
    case 9:
      kind = switches.letterCodes == 0 ? 2 : 0;
      break;
    default:
      break;
  }
  switch (kind) {
    case 0:
      return std::string(1, "PCBU"[(code >> 14) & 3]) + Hex(code & 0x3FFF, 4);
    case 1:
      return Hex(code & 0x3FFF, 4);
    case 2:
      return std::to_string(code);
    case 3: {
      std::string s = std::to_string(code);
      if (code & 0x8000)
        s += "п";
      else if (code & 0x4000)
        s += "н";
      else if (code & 0x2000)
        s += "м";
      return s;
    }
    case 4:
      return Hex(code, 4) + (code < 0x100 || code >= 0x1000 ? "Sub" : "");
    case 5: {
      const uint32_t spn = (code & 0xFFFF) | (((code >> 21) & 7) << 16);
      const uint32_t fmi = (code >> 16) & 0x1F;
      const uint32_t count = code >> 24;
      return "SPN = " + std::to_string(spn) + "  FMI = " + std::to_string(fmi) +
             "  Q = " + (count >= 127 ? std::string("----") : std::to_string(count));
    }
    case 10:
      return std::to_string((code >> 8) & 0xFF) + "-" + std::to_string(code % 7);
    default:
      return std::string();
  }
}

// --- Stored data -----------------------------------------------------------------------

bool IsItemStored(const TMK& mk, int item) {
  if (item < 1 || item > 96) return false;
  const auto byte = mk.GetInt(layout::kFaultSupportSet[(item - 1) / 8]);
  return (byte >> (7 - (item - 1) % 8)) & 1;
}

std::string FuelSystemStatusText(int status, bool english) {
  switch (status) {
    case 1:
      return english ? "Open loop(ins.eng.T)" : "Разомкнута(Ош.Тдв)";
    case 2:
      return english ? "Closed loop(O2 sens)" : "Замкнута (ДатчО2)";
    case 4:
      return english ? "Open loop(Eng.load)" : "Разомк.(Нагр.дв.)";
    case 8:
      return english ? "Open loop(SysFault)" : "Разомк.(ОшСист)";
    case 16:
      return english ? "Closed loop(O2s Flt)" : "Замкн.(ОшДатчО2)";
    default:
      return kUnknown.Get(english);
  }
}

std::string SecondaryAirText(int value, bool english) {
  switch (value) {
    case 1:
      return english ? "Upstream of catal." : "В катализатор";
    case 2:
      return english ? "Downstream of catal" : "Из катализатора";
    case 4:
      return english ? "Off" : "Выключено";
    default:
      return kUnknown.Get(english);
  }
}

std::vector<LabelValue> StoredDataRows(const TMK& mk, int record, const CellFormat& fmt) {
  const FaultRecord rec = ReadFaultRecord(mk, record);
  std::vector<LabelValue> rows;
  if (rec.storedCode == 0) return rows;
  rows.emplace_back(kTroubleCode.Get(fmt.english), FormatTroubleCode(0, rec.storedCode));
  for (const StoredItem& s : kStoredItems) {
    if (!IsItemStored(mk, s.item)) continue;
    std::string value;
    switch (s.kind) {
      case StoredKind::FuelStatus:
        value = FuelSystemStatusText(s.value == 1 ? rec.fuelSystem1 : rec.fuelSystem2, fmt.english);
        break;
      case StoredKind::SecondaryAir:
        value = SecondaryAirText(rec.stored[size_t(s.value)], fmt.english);
        break;
      case StoredKind::Scaled:
        value = FixedText(double(rec.stored[size_t(s.value)]) / s.scale, s.decimals,
                          fmt.decimalSeparator);
        break;
      case StoredKind::Integer:
        value = std::to_string(rec.stored[size_t(s.value)]);
        break;
    }
    rows.emplace_back(s.label.Get(fmt.english), std::move(value));
  }
  return rows;
}

void ResetFaultJournal(TMK& mk) {
  for (int i = 0; i < layout::kFaultSupportSet.count; ++i)
    mk.SetInt(layout::kFaultSupportSet[i], 0);
  // Only the two codes: the stamps and the engine data stay as they were.
  const auto& records = layout::kFaultRecords;
  for (int r = 0; r < records.count; ++r) {
    mk.SetInt(records.FieldOf<&FaultRecord::code>(r), 0);
    mk.SetInt(records.FieldOf<&FaultRecord::storedCode>(r), 0);
  }
}

}  // namespace tc
