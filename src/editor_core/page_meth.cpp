// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_core/page_meth.h"

#include <algorithm>

#include "catalog/variants.h"
#include "editor_core/option_bits.h"
#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "editor_core/setting_value.h"
#include "editor_core/visibility.h"
#include "model/tmk.h"

namespace tc {

using layout::kSpeedSource;

namespace {

// Protocols without an ECU speed signal: universal, carburettor and one
// boat engine.
constexpr uint8_t kNoEcuSpeed[] = {0xFF, 0xFE, 0xE1};

const std::vector<SettingItem> kEcuSensor = Items({{"ЭБУ", "ECU"}, {"Датч.", "Sens"}});
const std::vector<SettingItem> kEcuInjector = Items({{"ЭБУ", "ECU"}, {"Форс.", "Inj"}});

bool Offers(const EditorContext& ctx, uint8_t lo, uint8_t hi) {
  const auto& list = ctx.catalog.Protocols();
  return std::any_of(list.begin(), list.end(),
                     [&](const auto& p) { return p->Code >= lo && p->Code <= hi; });
}

TextPair SlotLabel(const EditorContext& ctx, const SettingDef& def) {
  static const TextPair kUnused[8] = {
      {"Основной подтип протокола", "Main protocol subtype"},
      {"Доп. подтип протокола 1", "Additional protocol subtype 1"},
      {"Доп. подтип протокола 2", "Additional protocol subtype 2"},
      {"Доп. подтип протокола 3", "Additional protocol subtype 3"},
      {"Доп. подтип протокола 4", "Additional protocol subtype 4"},
      {"Доп. подтип протокола 5", "Additional protocol subtype 5"},
      {"Доп. подтип протокола 6", "Additional protocol subtype 6"},
      {"Доп. подтип протокола 7", "Additional protocol subtype 7"},
  };
  const SubtypeSlot slot = ProtocolSubtypeSlot(ctx, def.index);
  return slot.Used() ? slot.caption : kUnused[def.index];
}

std::vector<SettingItem> SlotItems(const EditorContext& ctx, const SettingDef& def) {
  std::vector<SettingItem> items;
  int64_t i = 0;
  for (const TextPair& t : ProtocolSubtypeSlot(ctx, def.index).items) items.push_back({t, i++});
  return items;
}

void AfterProtocol(EditorContext& ctx, const SettingDef&, int64_t previous) {
  ProtocolChanged(ctx, true, int(previous));
}

void AfterLockOrSpeed(EditorContext& ctx, const SettingDef&, int64_t) {
  ApplyVirtualLockRule(ctx);
}

SettingDef SubtypeSetting(const char* name, int slot) {
  return {.name = name,
          .kind = ControlKind::Combo,
          .field = layout::SubtypeField(slot),
          .index = slot,
          .dynamicItems = SlotItems,
          .dynamicLabel = SlotLabel};
}

}  // namespace

// --- Rules ------------------------------------------------------------------------

void ProtocolChanged(EditorContext& ctx, bool resetSubtypes, int previous) {
  if (resetSubtypes) {
    ctx.mk.SetInt(kPreviousProtocol, previous);
    for (int k = 0; k < 8; ++k) ctx.mk.SetInt(layout::SubtypeField(k), 0);
  }
  ctx.catalog.SelectProtocol(int(ctx.mk.GetInt(kProtocolNumber)));
}

SubtypeSlot ProtocolSubtypeSlot(const EditorContext& ctx, int slot) {
  SubtypeSlot s;
  const TProtBase* p = ctx.Protocol();
  if (!p || slot < 0 || slot >= kSlotCount || !p->SlotUsed(slot)) return s;
  s.caption = p->SlotCaption[size_t(slot)];
  s.items = p->SlotChoices(slot);
  return s;
}

std::vector<SettingItem> ProtocolDefinitionItems(const EditorContext& ctx, const SettingDef&) {
  std::vector<TextPair> texts = {{"Авт.", "Auto"}};
  // Automatic detection is offered for a family when the variant speaks at
  // least one of its protocols.
  if (Offers(ctx, 102, 105)) texts.push_back({"АвтOBD", "AutoOBD"});
  if (ctx.Flags().VariantVag && Offers(ctx, 82, 96)) texts.push_back({"АвтVAG", "AutoVAG"});
  if (Offers(ctx, 121, 128)) texts.push_back({"АвтOpl", "AutoOpl"});
  texts.push_back({"Руч.", "Man."});
  std::vector<SettingItem> items;
  for (size_t i = 0; i < texts.size(); ++i) items.push_back({texts[i], int64_t(i)});
  return items;
}

std::vector<SettingItem> ProtocolItems(const EditorContext& ctx, const SettingDef&) {
  std::vector<SettingItem> items;
  int64_t i = 0;
  for (const auto& p : ctx.catalog.Protocols()) items.push_back({p->NameText, i++});
  return items;
}

std::vector<SettingItem> SpeedSourceItems(const EditorContext& ctx, const SettingDef&) {
  const TProtBase* p = ctx.Protocol();
  const bool ecu = !p || std::find(std::begin(kNoEcuSpeed), std::end(kNoEcuSpeed), p->Code) ==
                             std::end(kNoEcuSpeed);
  std::vector<SettingItem> items = {{{"ЭБУ", "ECU"}, 0, ecu}, {{"Датч.", "Sens"}, 1}};
  if (ctx.Flags().VariantNmeaSpeed) items.push_back({{"NMEA", "NMEA"}, int64_t(items.size())});
  if (ctx.Flags().VariantGpsSpeed) items.push_back({{"GPS", "GPS"}, int64_t(items.size())});
  return items;
}

std::vector<SettingItem> LockLevelItems(const EditorContext& ctx, const SettingDef&) {
  std::vector<SettingItem> items = {{{"1", "1"}, 1}, {{"2", "2"}, 2}, {{"3", "3"}, 3}};
  if (ctx.Flags().VariantNoLockType) items.push_back({{"Стрт", "Strt"}, 4});
  return items;
}

std::vector<SettingItem> TankMethodItems(const EditorContext& ctx, const SettingDef&) {
  // The device stores the position in the list it offers, like the protocol
  // definition: on variants without "ДУТ" the ECU sensors move up by one.
  std::vector<TextPair> texts = {{"Расчетный", "Расчетный"}};
  if (!ctx.Flags().VariantNoFls) texts.push_back({"ДУТ", "ДУТ"});
  static const TextPair kEcu[3] = {
      {"ДУТ ЭБУ", "ДУТ ЭБУ"}, {"ДУТ ЭБУ2", "ДУТ ЭБУ2"}, {"ДУТ ЭБУ3", "ДУТ ЭБУ3"}};
  const int sensors = ctx.Protocol() ? std::clamp(ctx.Protocol()->EcuLevelSensors, 0, 3) : 0;
  for (int i = 0; i < sensors; ++i) texts.push_back(kEcu[i]);
  std::vector<SettingItem> items;
  for (size_t i = 0; i < texts.size(); ++i) items.push_back({texts[i], int64_t(i)});
  return items;
}

void ApplyVirtualLockRule(EditorContext& ctx) {
  if (!ctx.Flags().VariantSpeedNeedsVirtualLock || OptionBitSet(ctx.mk, kOptVirtualLock)) return;
  const auto items = SpeedSourceItems(ctx);
  if (ctx.mk.GetInt(kSpeedSource) == items.back().stored) ctx.mk.SetInt(kSpeedSource, 0);
}

void UpdateInjectorControls(const EditorContext& ctx, Visibility& v) {
  const TMK& mk = ctx.mk;
  const bool injector = mk.GetInt(layout::kRevolutionsSource) != 0 ||
                        mk.GetInt(layout::kGasSource) != 0 ||
                        mk.GetInt(layout::kExpenseSource) != 0;
  v.ShowIf("rgForsPosFlag", injector);
  v.ShowIf("rgForsCoef", injector);
}

void UpdateVariantControlsMeth(const EditorContext& ctx, Visibility& v) {
  const VariantFlags& f = ctx.Flags();
  const TProtBase* p = ctx.Protocol();
  v.ShowIf("cbLightsOn", f.VariantLowBeamControl);
  v.ShowIf("rgAirWaterShow", f.VariantAirWaterTemp || f.VariantTrim);
  v.ShowIf("rgLockType", !f.VariantNoLockType);
  v.ShowIf("rgAirTemperMeth", !f.VariantLowBeamInAirSlot && !f.VariantPowerReserve);
  for (const char* n : {"rgRevolutionsMeth", "rgExpenseMeth", "rgGasMeth"})
    v.ShowIf(n, !f.VariantNoInjectorInput);
  v.ShowIf("cbUseTank2", f.VariantSecondTank);
  // Sources and choices that only some protocols have.
  v.ShowIf("rgGabarType", p && p->ShowLightsType);
  v.ShowIf("rgUaccMeth", p && p->ShowVoltageSource);
  v.ShowIf("sgTrimMeth", p && p->ShowTrimSource);
  v.ShowIf("rgAirTemperGetMeth", p && p->ShowAirTempSource);
  static const char* kSlots[8] = {"cbProtTypeMain", "cbProtTypeAdd1", "cbProtTypeAdd2",
                                  "cbProtTypeAdd3", "cbProtTypeAdd4", "cbProtTypeAdd5",
                                  "cbProtTypeAdd6", "cbProtTypeAdd7"};
  for (int k = 0; k < 8; ++k) v.ShowIf(kSlots[k], ProtocolSubtypeSlot(ctx, k).Used());

  // Controls that follow other stored choices.
  v.ShowIf("rgLockTypeLevel", OptionBitSet(ctx.mk, kOptVirtualLock));
  v.ShowIf("rgGabarInvPol", !OptionBitSet(ctx.mk, kOptLightsFromEcu));
  const auto definitions = ProtocolDefinitionItems(ctx);
  v.ShowIf("cbProtocol", ctx.mk.GetInt(kProtocolDefinition) == definitions.back().stored);
}

// --- Settings -------------------------------------------------------------------------

void AddMethSettings(std::vector<SettingDef>& s) {
  const auto radio = [&](const char* name, TextPair label, FieldRef field,
                         std::vector<SettingItem> items, bool gas = false) {
    s.push_back({.name = name,
                 .kind = ControlKind::Radio,
                 .label = label,
                 .field = field,
                 .items = std::move(items),
                 .gas = gas});
  };
  const auto bitRadio = [&](const char* name, TextPair label, const BitField& option,
                            std::vector<SettingItem> items, bool gas = false,
                            AfterStoreFn afterStore = nullptr) {
    s.push_back({.name = name,
                 .kind = ControlKind::Radio,
                 .label = label,
                 .field = option.field,
                 .bit = option.first,
                 .bits = option.count,
                 .items = std::move(items),
                 .afterStore = afterStore,
                 .gas = gas});
  };
  const auto check = [&](const char* name, TextPair label, const BitField& option,
                         bool inverted = false, bool gas = false) {
    s.push_back({.name = name,
                 .kind = ControlKind::Check,
                 .label = label,
                 .field = option.field,
                 .bit = option.first,
                 .bits = option.count,
                 .inverted = inverted,
                 .gas = gas});
  };

  // Signal sources.
  s.push_back({.name = "rgVelocityMeth",
               .kind = ControlKind::Radio,
               .label = {"Скорость", "Speed"},
               .field = kSpeedSource,
               .dynamicItems = SpeedSourceItems,
               .afterStore = AfterLockOrSpeed});
  radio("rgRevolutionsMeth", {"Обороты", "Engine speed"}, layout::kRevolutionsSource, kEcuInjector);
  radio("rgExpenseMeth", {"Расход бензина", "Petrol expense"}, layout::kExpenseSource,
        kEcuInjector);
  radio("rgGasMeth", {"Расход газа", "Gas expense"}, layout::kGasSource, kEcuInjector, true);
  radio("rgUaccMeth", {"Напряжение аккумулятора", "Battery voltage"}, layout::kUaccSource,
        kEcuSensor);
  radio("rgAirTemperGetMeth", {"Твоздуха", "Air temper."}, layout::kAirTemperSource, kEcuSensor);
  radio("sgTrimMeth", {"Трим", "Trim"}, layout::kTrimSource, kEcuSensor);
  radio("rgPrognozMeth", {"Прогноз пробега", "Mileage progn."}, layout::kPrognozMeth,
        Items({{"Средн", "Aver."}, {"10 км", "10 km"}, {"Ручн.", "Man."}}));
  s.push_back({.name = "seK100Manual",
               .label = {"К-т потреб. топлива (Р/100 руч.)", "Expense/100 manual coef."},
               .field = layout::kK100Manual,
               .scale = 10,
               .min = 1.0,
               .max = 99.9,
               .step = 1,
               .decimals = 1});

  // Protocol.
  s.push_back({.name = "cbProtocolSelectMeth",
               .kind = ControlKind::Combo,
               .label = {"Способ опр. протокола", "Protocol definition"},
               .field = kProtocolDefinition,
               .dynamicItems = ProtocolDefinitionItems});
  s.push_back({.name = "cbProtocol",
               .kind = ControlKind::Combo,
               .label = {"Протокол", "Protocol"},
               .field = kProtocolNumber,
               .dynamicItems = ProtocolItems,
               .storeOnLeave = true,
               .afterStore = AfterProtocol});
  s.push_back(SubtypeSetting("cbProtTypeMain", 0));
  s.push_back(SubtypeSetting("cbProtTypeAdd1", 1));
  s.push_back(SubtypeSetting("cbProtTypeAdd2", 2));
  s.push_back(SubtypeSetting("cbProtTypeAdd3", 3));
  s.push_back(SubtypeSetting("cbProtTypeAdd4", 4));
  s.push_back(SubtypeSetting("cbProtTypeAdd5", 5));
  s.push_back(SubtypeSetting("cbProtTypeAdd6", 6));
  s.push_back(SubtypeSetting("cbProtTypeAdd7", 7));

  // Tank.
  s.push_back({.name = "cbTankMeth",
               .kind = ControlKind::Combo,
               .label = {"Бак тип", "Tank type"},
               .field = layout::kTankMeth,
               .dynamicItems = TankMethodItems});
  s.push_back({.name = "cbTankMode",
               .kind = ControlKind::Combo,
               .label = {"Бак", "Tank"},
               .field = layout::kTankMode,
               .items = Items({{"Калибров.2", "Calibr.2"},
                               {"Калибров.7", "Calibr.7"},
                               {"Тарирован.", "Tare"},
                               {"Некалибр.", "Not calibr."}})});
  check("cbUseTank2", {"Использовать бак 2", "Use tank 2"}, kOptUseTank2);
  check("cbCorrTankByAcc", {"Компенсац. Uбс", "Compens. V batt."}, kOptNoTankVoltageComp, true);
  s.push_back({.name = "seTankContFull",
               .label = {"Полный бак (бензин), л", "Full tank (petrol), l"},
               .field = layout::kTankContFull,
               .min = 16,
               .max = 2040});
  s.push_back({.name = "seGazContFull",
               .label = {"Полный бак (газ), л", "Full tank (gas), l"},
               .field = layout::kGazContFull,
               .min = 10,
               .max = 300,
               .gas = true});

  // Ignition lock and parking lights.
  // The lock type decides whether the last speed source may stay.
  bitRadio("rgLockType", {"Замок зажигания", "Ignition lock"}, kOptVirtualLock,
           Items({{"Физич.", "Phys."}, {"Вирт.", "Virt."}}), false, AfterLockOrSpeed);
  s.push_back({.name = "rgLockTypeLevel",
               .kind = ControlKind::Radio,
               .label = {"Уровень виртуального замка", "Ignition lock level"},
               .field = layout::kLockLevel,
               .dynamicItems = LockLevelItems});
  bitRadio("rgGabarType", {"Габариты", "Parking lights"}, kOptLightsFromEcu,
           Items({{"Физич.", "Phys"}, {"ЭБУ", "ECU"}}));
  bitRadio("rgGabarInvPol", {"Полярность входа Габариты", "Park.lights level"}, kOptLightsInverse,
           Items({{"1 (Прямая)", "Straight(1)"}, {"0 (Инверсная)", "Inverse(0)"}}));

  // Options.
  check("cbGasOil", {"Включить режим Газ/Бензин", "Gas/Petrol mode on"}, kOptGasPetrolMode, false,
        true);
  check("cbLightsOn", {"Включить управление ближним светом", "Low beam conrtrol on"},
        kOptLowBeamControl);
  radio("rgAirTemperMeth", {"Алгоритм измерения Т воздуха", "Air temper.measurement algor."},
        layout::kAirTemperMeth, Items({{"Обычн.", "Norm"}, {"Динамич.", "Dyn."}}));
  radio("rgAirWaterShow", {"Подпись температуры", "Temperature signature"}, layout::kAirWaterShow,
        Items({{"воз", "air"}, {"вод", "wat"}, {"дв.", "eng"}}));
  bitRadio("rgGasCalcExp", {"Расход ГБО", "Gas eq.cons."}, kOptGasVariant2,
           Items({{"Вар.1", "Var 1"}, {"Вар.2", "Var 2"}}), true);
}

constinit const EditorPage kMethPage{
    .name = "tsMeth",
    .caption = {"Источники", "Resources"},
    .addSettings = AddMethSettings,
    .updateVariantControls = UpdateVariantControlsMeth,
};

}  // namespace tc
