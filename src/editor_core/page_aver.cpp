// SPDX-License-Identifier: GPL-3.0-or-later
// The averages page ("Средние"): prices for the trip cost, the automatic
// reset periods of the average counters and the trip journal options.
#include <string>

#include "catalog/variants.h"
#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "editor_core/visibility.h"
#include "model/settings_layout.h"

namespace tc {

namespace {

// "Ручн." (0), then 1..99 days; with `prohibited`, "Запр." (-1) first.
std::vector<SettingItem> PeriodItems(bool prohibited) {
  std::vector<SettingItem> items;
  if (prohibited) items.push_back({{"Запр.", "Proh."}, -1});
  items.push_back({{"Ручн.", "Man."}, 0});
  for (int n = 1; n <= 99; ++n) {
    const char* t = InternName(std::to_string(n));
    items.push_back({{t, t}, n});
  }
  return items;
}

}  // namespace

void UpdateVariantControlsAver(const EditorContext&, Visibility&) {
  // The gas price and the gas/petrol period are gas controls.
}

void AddAverSettings(std::vector<SettingDef>& s) {
  const auto price = [&](const char* name, TextPair label, FieldRef field, double max, double scale,
                         int decimals, bool gas = false) {
    s.push_back({.name = name,
                 .label = label,
                 .field = field,
                 .scale = scale,
                 .min = 0,
                 .max = max,
                 .decimals = decimals,
                 .gas = gas});
  };
  price("sePriceExpense", {"Бензин, 1л", "Petrol,1l"}, layout::kPriceExpense, 99.9, 10, 1);
  price("sePriceTime", {"Время, 1час", "Time, 1h"}, layout::kPriceTime, 999, 1, 0);
  price("sePricePath", {"Пробег, 1км", "Path,1km"}, layout::kPricePath, 99.9, 10, 1);
  price("sePriceGas", {"Газ, 1л", "Gas,1l"}, layout::kPriceGas, 99.9, 10, 1, true);

  const auto period = [&](const char* name, TextPair label, FieldRef field, bool prohibited,
                          bool gas = false) {
    s.push_back({.name = name,
                 .kind = ControlKind::Combo,
                 .label = label,
                 .field = field,
                 .items = PeriodItems(prohibited),
                 .storeOnLeave = true,
                 .gas = gas});
  };
  period("cbResetPeriod0", {"1", "1"}, layout::kResetPeriod0, false);
  period("cbResetPeriod1", {"2", "2"}, layout::kResetPeriod1, true);
  period("cbResetPeriodOnly", {"Г/Б", "G/P"}, layout::kResetPeriodOnly, true, true);

  // Stored in units of 5 minutes.
  s.push_back({.name = "seTripMinStop",
               .label = {"Непрерывание поезки, мин", "continuous trips"},
               .field = layout::kTripMinStop,
               .scale = 0.2,
               .min = 0,
               .max = 995,
               .step = 5});
  s.push_back(
      {.name = "cbTripJournAuto",
       .kind = ControlKind::Check,
       .label = {"Автоматическая запись в журнал поездок", "automatic recording in the trip log"},
       .field = layout::kTripJournAuto});
  s.push_back({.name = "cbTripShowFlag",
               .kind = ControlKind::Check,
               .label = {"Показ поездки", "showing the trip"},
               .field = layout::kTripShowFlag});
}

constinit const EditorPage kAverPage{
    .name = "tsAver",
    .caption = {"Средние", "Average"},
    .addSettings = AddAverSettings,
    .updateVariantControls = UpdateVariantControlsAver,
};

}  // namespace tc
