// SPDX-License-Identifier: GPL-3.0-or-later
// The display options page ("Разное"): start screen, refresh rate,
// brightness and colour-scheme control, backlight levels, arrow dynamics,
// and which displays of each kind are in use.
#include "editor_core/page_divers.h"

#include <string>
#include <string_view>
#include <utility>

#include "catalog/variants.h"
#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "editor_core/visibility.h"
#include "model/settings_layout.h"

namespace tc {

namespace {

std::vector<SettingItem> MethodItems(const EditorContext&, const SettingDef&) {
  return Items({{"Руч.", "Man."}, {"Время", "Time"}, {"Габар.", "P.lights"}});
}
std::vector<SettingItem> BrightnessItems(const EditorContext& ctx, const SettingDef& d) {
  auto items = MethodItems(ctx, d);
  // Without the injector input there is no parking-lights input either.
  items[2].enabled = !ctx.Flags().VariantNoInjectorInput;
  items[2].whyDisabled = {"на этом варианте МК: у него нет входа габаритов",
                          "on this device variant: it has no parking-lights input"};
  return items;
}

}  // namespace

const std::vector<DisplayGroup>& DisplayGroups() {
  static const std::vector<DisplayGroup> groups = {
      {"4", {"x4", "x4"}, 6, 0, {}},
      {"9", {"x9", "x9"}, 3, 0, {}},
      {"7", {"x7", "x7"}, 4, 0, {}},
      {"G", {"Графики", "Graphics"}, 8, 0, {}},
      {"A", {"Стрелки", "Arrows"}, 8, 0, {}},
      {"S",
       {"Средние", "Average"},
       9,
       0,
       {{"Поездка", "Trip"},
        {"Сброс 1", "Reset1"},
        {"Сброс 2", "Reset2"},
        {"Общие", "Total"},
        {"В пробках", "In jams"},
        {"Без пробок", "In traffic"},
        {"Таксометр", "Taximeter"},
        {"Бензин", "Petrol"},
        {"Газ", "Gas"}}},
      {"1", {"x1", "x1"}, 40, 8, {}},
      {"6", {"x6", "x6"}, 2, 0, {}},
  };
  return groups;
}

FieldRef DisplayMaskField(const DisplayGroup& g, int display, int* bit) {
  static const std::pair<const char*, FieldRef> kFields[] = {
      {"4", layout::kShowDisp4},     {"9", layout::kShowDisp9},     {"7", layout::kShowDisp7},
      {"G", layout::kShowDispGraph}, {"A", layout::kShowDispArrow}, {"S", layout::kShowDispAver},
      {"6", layout::kShowDisp6},
  };
  if (std::string_view(g.key) == "1") {
    *bit = display % 32;
    return layout::kShowDisp1[display / 32];
  }
  *bit = display;
  for (const auto& [key, f] : kFields)
    if (std::string_view(g.key) == key) return f;
  return {};
}

void UpdateVariantControlsDivers(const EditorContext& ctx, Visibility& v) {
  const VariantFlags& f = ctx.Flags();
  v.ShowIf("cbShowDisp_S_4", !f.VariantNoStopVelocity);
  v.ShowIf("cbShowDisp_S_5", !f.VariantNoStopVelocity);
  v.ShowIf("cbShowDisp_S_6", f.VariantTaximeter);
  // "Бензин" and "Газ" are gas controls.
}

void AddDiversSettings(std::vector<SettingDef>& s) {
  PageSettings add(s);
  const auto radio = [&](SettingDef d) {
    d.kind = ControlKind::Radio;
    s.push_back(std::move(d));
  };
  const auto time = [&](const char* name, TextPair label, FieldRef field) {
    s.push_back({.name = name, .kind = ControlKind::Time, .label = label, .field = field});
  };

  add.Check("cbDispShowTitle", {"Заставка показывать", "Show title"}, layout::kDispShowTitle);
  add.Check("cbShowDispName", {"Подпись дисп. показывать", "Show display names"},
            layout::kShowDispName);
  radio({.name = "rgDispSpeed",
         .label = {"Скорость вывода информации, раз/сек", "Information output speed, time/sec"},
         .field = layout::kDispSpeed,
         .items = Items({{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}})});
  // Brightness and colour-scheme control share byte 372, a half each.
  radio({.name = "rgIntenseMeth",
         .label = {"Управление яркостью дисплея", "Display brightness control"},
         .field = layout::kIntenseMeth.field,
         .bit = layout::kIntenseMeth.first,
         .bits = layout::kIntenseMeth.count,
         .dynamicItems = BrightnessItems});
  radio({.name = "rgColorMeth",
         .label = {"Управление цветовой схемой", "Display color scheme control"},
         .field = layout::kColorMeth.field,
         .bit = layout::kColorMeth.first,
         .bits = layout::kColorMeth.count,
         .dynamicItems = MethodItems});
  time("meIntenseDayTime", {"Время вкл. ДНЕВНОЙ яркости", "Day brightness on time"},
       layout::kIntenseDayTime);
  time("meIntenseNightTime", {"Время вкл. НОЧНОЙ яркости", "Night brightness on time"},
       layout::kIntenseNightTime);
  add.Spin("seIntense0", {"Яркость подсветки (День)", "Backlight brightness (Day)"},
           layout::kIntense[0], 0, 4);
  add.Spin("seIntense1", {"Яркость подсветки (Ночь)", "Backlight brightness (Night)"},
           layout::kIntense[1], 0, 4);
  radio({.name = "rgActiveColorScheme",
         .label = {"Цветовая схема в руч. режиме", "Color scheme in manual mode"},
         .field = layout::kActiveColorScheme,
         .items = Items({{"День", "Day"}, {"Ночь", "Night"}})});
  radio({.name = "rgDispShowArrowMeth_0",
         .label = {"Динамика (При показе стрелок)", "Dynamics (when showing arrows)"},
         .field = layout::kArrowsSmoothed.field,
         .bit = layout::kArrowsSmoothed.first,
         .items = Items({{"Данные", "Data"}, {"Сглаживать", "Smooth"}})});
  radio({.name = "rgDispShowArrowMeth_1",
         .label = {"Прогрессбар", "Progressbar"},
         .field = layout::kProgressBarLimits.field,
         .bit = layout::kProgressBarLimits.first,
         .items = Items({{"Макс.", "Max"}, {"Границы", "Limits"}})});
  add.Spin("seExpPBLim", {"Мновенный расход Предел, л/час ", "Mom.Fuel Cns Limit, l/h"},
           layout::kExpPBLim, 3, 99);
  radio({.name = "sgDispVar4",
         .label = {"Тип х4", "x4 type"},
         .field = layout::kDispVar4,
         .items = Items({{"1", "1"}, {"2", "2"}})});
  radio({.name = "sgDispVar9",
         .label = {"Тип х9", "x9 type"},
         .field = layout::kDispVar9,
         .items = Items({{"1", "1"}, {"2", "2"}})});

  // One check box per display, bit n of its group's mask for display n + 1.
  for (const DisplayGroup& g : DisplayGroups()) {
    for (int i = 0; i < g.count; ++i) {
      int bit = 0;
      const FieldRef field = DisplayMaskField(g, i, &bit);
      TextPair label = g.names.empty() ? TextPair{"", ""} : g.names[size_t(i)];
      if (g.names.empty()) {
        const int n = g.perColumn ? i % g.perColumn + 1 : i + 1;
        const char* t = InternName("#" + std::to_string(n));
        label = {t, t};
      }
      const bool gas = std::string_view(g.key) == "S" && i >= 7;
      s.push_back({.name = InternName("cbShowDisp_" + std::string(g.key) + "_" + std::to_string(i)),
                   .kind = ControlKind::Check,
                   .label = label,
                   .field = field,
                   .bit = bit,
                   .index = i,
                   .gas = gas});
    }
  }
}

constinit const EditorPage kDiversPage{
    .name = "tsDivers",
    .caption = {"Разное", "Divers"},
    .addSettings = AddDiversSettings,
    .updateVariantControls = UpdateVariantControlsDivers,
};

}  // namespace tc
