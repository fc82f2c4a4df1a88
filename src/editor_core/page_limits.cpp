// SPDX-License-Identifier: GPL-3.0-or-later
// The limits page ("Границы"): the thresholds of the device's warnings, the
// acceleration and braking timer speeds, the battery mode, and the hybrid,
// cargo and trim limits.
#include <algorithm>

#include "catalog/protocol.h"
#include "catalog/variants.h"
#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "editor_core/setting_value.h"
#include "editor_core/visibility.h"
#include "model/settings_layout.h"
#include "model/tmk.h"

namespace tc {

namespace {

constexpr int kCargoProtocol = 0x0E;
constexpr double kTrimMin = -9;
constexpr double kTrimMax = 90;

Limits FanLimits(const EditorContext& ctx, const SettingDef&) {
  // Hybrid drives run their engine cooling much cooler.
  return ctx.EnginePumpProtocol() ? Limits{25, 60} : Limits{75, 115};
}

// The trim limits keep low < high. The low limit stops one short of the
// high limit's maximum so that raising it can always raise the high limit.
Limits TrimLowLimits(const EditorContext&, const SettingDef&) {
  return {kTrimMin, kTrimMax - 1};
}
Limits TrimHighLimits(const EditorContext& ctx, const SettingDef&) {
  const double low = double(ctx.mk.GetInt(layout::kTrimLowLimit));
  // A low limit stored outside its own limits (a damaged or foreign
  // device) does not lock the high one: it takes anything the low limit
  // could lie below, and storing it moves the low limit under it.
  if (low < kTrimMin || low > kTrimMax - 1) return {kTrimMin + 1, kTrimMax};
  return {std::clamp(low + 1, kTrimMin + 1, kTrimMax), kTrimMax};
}

}  // namespace

// After the trim low limit is stored: a high limit at or below it becomes
// low + 1, stored at once, so the stored pair always keeps low < high.
void ApplyTrimRule(EditorContext& ctx) {
  const int64_t low = ctx.mk.GetInt(layout::kTrimLowLimit);
  if (ctx.mk.GetInt(layout::kTrimHighLimit) <= low)
    ctx.mk.SetInt(layout::kTrimHighLimit, std::min<int64_t>(low + 1, int64_t(kTrimMax)));
}

// After the trim high limit is stored: a low limit at or above it (only one
// stored outside its limits can be) becomes high - 1.
void ApplyTrimHighRule(EditorContext& ctx) {
  const int64_t high = ctx.mk.GetInt(layout::kTrimHighLimit);
  if (ctx.mk.GetInt(layout::kTrimLowLimit) >= high)
    ctx.mk.SetInt(layout::kTrimLowLimit, std::max<int64_t>(high - 1, int64_t(kTrimMin)));
}

void UpdateVariantControlsLimits(const EditorContext& ctx, Visibility& v) {
  const VariantFlags& f = ctx.Flags();
  const TProtBase* p = ctx.Protocol();
  v.ShowIf("seStopVelocityLimit", !f.VariantNoStopVelocity);
  v.ShowIf("seVel100Down", !f.VariantNoAccelTiming);
  const bool cargo = f.VariantCargo || ctx.ProtocolCode() == kCargoProtocol;
  v.ShowIf("seTareWeight", cargo);
  v.ShowIf("seCargoDens", cargo);
  v.ShowIf("rg24VMode", f.Variant24V);
  v.ShowIf("seTrimLowLimit", f.VariantTrim);
  v.ShowIf("seTrimHighLimit", f.VariantTrim);
  v.ShowIf("seVAGSFilterLimit", f.VariantVag);
  // What the protocol's capability bytes show.
  v.ShowIf("seOilAKPPTemperLimit", p && p->ShowAtOil);
  v.ShowIf("seOilEngTemperLimit", p && p->ShowEngineOil);
  v.ShowIf("seVentTempLimit", p && p->ShowFanLimit);
  const bool hybrid = p && p->IsHybrid;
  // The trim limits and the trim source use the bytes of the inverter and
  // HVB limits and of the HVB heating switch: one meaning per variant.
  for (const char* n : {"seInvTemperLimit", "seHVBTemperLimit", "cbHybridCoolHVB"})
    v.ShowIf(n, hybrid && !f.VariantTrim);
  v.ShowIf("cbHybrUse6VentSpeed", hybrid);
  v.ShowIf("seHybrVentSpeedStep", hybrid);
  v.ShowIf("seAddCoolingTemper", hybrid && p->ShowAddCooling);
}

void AddLimitsSettings(std::vector<SettingDef>& s) {
  PageSettings add(s);

  add.Spin("seLiqTemperLimit", {"ТОЖ, С", "Coolant temper., C"}, layout::kLiqTemperLimit, 30, 150);
  add.Spin("seRevolutionsLimit", {"Обороты двиг., об/мин * 100", "Engine speed, rpm*100"},
           layout::kRevolutionsLimit, 25, 80);
  // Stored in units of 2 km/h.
  add.Spin("seVelocityLimit", {"Скорость, км/час", "Speed, km/h"}, layout::kVelocityLimit, 40, 200,
           2, 0.5);
  add.Spin("seStopVelocityLimit", {"Скорость  пробки, км/час", "Jam speed, km/h"},
           layout::kStopVelocityLimit, 0, 200, 2);
  add.Spin("seTankLimit", {"Остаток бака, л", "Fuel rem., l"}, layout::kTankLimit, 5, 99, 2);
  add.Spin("seUaccLowLimit", {"Низкое напряжение АКБ, В", "Low batt.voltage, V"},
           layout::kUaccLowLimit, 9.0, 13.9, 2, 10, 1);
  add.Spin("seUaccHighLimit", {"Высокое напряжение АКБ, В", "High batt.voltage, V"},
           layout::kUaccHighLimit, 14.0, 16.0, 2, 10, 1);
  add.Spin("seVentTempLimit", {"Т вкл. вентилятора, С", "Fan on temper., C"},
           layout::kVentTempLimit, 75, 115);
  s.back().limits = FanLimits;
  add.Spin("seInjTimeLimit", {"Превыш. времени впр. на ХХ ,%", "High inj.time on idle, %"},
           layout::kInjTimeLimit, 1, 99);
  add.Spin("seLiqTemperReady", {"Т прогрева двигателя, С", "Engine heat.temper, C"},
           layout::kLiqTemperReady, 10, 110);
  add.Spin("seVel100", {"Разгон до, км/час", "Zero to km/h"}, layout::kVel100, 40, 200, 2);
  add.Spin("seVel100Down", {"Торможение с, км/час", "Braking from km/h"}, layout::kVel100Down, 40,
           200, 2);
  add.Spin("seVAGSFilterLimit", {"Наполнение сажевого фильтра, %", "Diesel filter filling, %"},
           layout::kVAGSFilterLimit, 5, 60);
  add.Spin("seOilAKPPTemperLimit", {"Т масла АКПП, С", "AT oil temper., C"},
           layout::kOilAKPPTemperLimit, 80, 150);
  add.Spin("seOilEngTemperLimit", {"Т масла ДВС, С", "Engine  oil temper., C"},
           layout::kOilEngTemperLimit, 30, 150);
  add.Spin("seCVTFDeteriorLim", {"Износ масла АКПП * 1000", "AT oil deterior. *1000"},
           layout::kCVTFDeteriorLim, 10, 100);
  add.Spin("seRetarderOilTemperLimit", {"Т масла ретардера, С", "Retarder oil temper., C"},
           layout::kRetarderOilTemperLimit, 30, 200);

  // Hybrid drives.
  add.Spin("seInvTemperLimit", {"Т инвертора", "Inverter temper., C"}, layout::kInvTemperLimit, 50,
           120);
  add.Spin("seHVBTemperLimit", {"Т ВВБ", "HVB temper., C"}, layout::kHVBTemperLimit, 40, 80);
  add.Spin("seAddCoolingTemper", {"Т Доп.Охл.ДВС", "Eng.add.cool.temper., C"},
           layout::kAddCoolingTemper, 90, 100);
  add.Check("cbHybridCoolHVB", {"Нагр.ВВБ", "HVB heating"}, layout::kHybridCoolHVB);
  add.Check("cbHybrUse6VentSpeed", {"Исп. 6 скорость вент. ВВБ", "Use 6 speed HVB fan"},
            layout::kHybrUse6VentSpeed);
  add.Spin("seHybrVentSpeedStep",
           {"Шаг Т при расчете скорости вент.ВВБ ", "T step on fan speed calc"},
           layout::kHybrVentSpeedStep, 1, 3);

  add.Radio("rgExp100ArrowLim",
            {"Показ расхода/100 на стрелочн. диспл.", "Expense/100 on arrow display"},
            layout::kExp100ArrowLim, Items({{"24/80", "24/80"}, {"24", "24"}, {"80", "80"}}));
  s.push_back({.name = "rg24VMode",
               .kind = ControlKind::Radio,
               .label = {"Режим работы с АКБ", "Use battery"},
               .field = layout::kOpt24V.field,
               .bit = layout::kOpt24V.first,
               .items = Items({{"12В", "12V"}, {"24В", "24V"}})});

  // Cargo (block 13).
  add.Spin("seTareWeight", {"Вес тары, т", "Tare weight, t"}, layout::kTareWeight, 0, 999.9, 1, 10,
           1);
  add.Spin("seCargoDens", {"Плотность груза, т/м3", "Cargo dens., t/m3"}, layout::kCargoDens, 0,
           999.9, 1, 10, 1);

  // Trim: a low limit at or above the high one raises the high one at once.
  add.Spin("seTrimLowLimit", {"Нижний предел", "Low limit"}, layout::kTrimLowLimit, kTrimMin,
           kTrimMax);
  s.back().limits = TrimLowLimits;
  s.back().afterStore = [](EditorContext& ctx, const SettingDef&, int64_t) { ApplyTrimRule(ctx); };
  add.Spin("seTrimHighLimit", {"Верхний предел", "High limit"}, layout::kTrimHighLimit, kTrimMin,
           kTrimMax);
  s.back().limits = TrimHighLimits;
  s.back().afterStore = [](EditorContext& ctx, const SettingDef&, int64_t) {
    ApplyTrimHighRule(ctx);
  };
}

constinit const EditorPage kLimitsPage{
    .name = "tsLim",
    .caption = {"Границы", "Limits"},
    .addSettings = AddLimitsSettings,
    .updateVariantControls = UpdateVariantControlsLimits,
};

}  // namespace tc
