// SPDX-License-Identifier: GPL-3.0-or-later
// The universal-input page ("Унив.вход/Трим"): whether the universal
// analogue input is used, its name on the device screen, and its calibration
// by two points.
#include <string>

#include "catalog/variants.h"
#include "editor_core/pages.h"
#include "editor_core/visibility.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc {

namespace {

// Equal ADC points would make the calibration divide by zero: refused.
bool WriteAdc(EditorContext& ctx, const SettingDef& d, int64_t value) {
  if (ctx.mk.GetInt(layout::kUniMeasADC[1 - d.index]) == value)
    throw TripError(TextPair{"Значения АЦП Мин и Макс должны различаться.",
                             "Min and Max ADC Values should differ."}());
  ctx.mk.SetInt(d.field, value);
  return true;
}

}  // namespace

void UpdateVariantControlsUniMeas(const EditorContext& ctx, Visibility& v) {
  const bool airWater = ctx.Flags().VariantAirWaterTemp;
  v.ShowIf("cbUseUniMeas", airWater);
  v.ShowIf("eUniMeasStr", airWater);
}

void AddUniMeasSettings(std::vector<SettingDef>& s) {
  s.push_back({.name = "cbUseUniMeas",
               .kind = ControlKind::Check,
               .label = {"Использовать", "Use"},
               .field = layout::kUseUniMeas});
  s.push_back({.name = "eUniMeasStr",
               .kind = ControlKind::Text,
               .label = {"Название", "Name"},
               .field = layout::kUserParamName,
               .max = 6});
  s.push_back({.name = "seUniMeasDat0",
               .label = {"Показания Мин", "Data Min"},
               .field = layout::kUniMeasDat[0],
               .index = 0,
               .min = -180,
               .max = 2500});
  s.push_back({.name = "seUniMeasDat1",
               .label = {"Показания Макс", "Data Max"},
               .field = layout::kUniMeasDat[1],
               .index = 1,
               .min = -180,
               .max = 2500});
  s.push_back({.name = "seUniMeasADC0",
               .label = {"АЦП Мин", "ADC Min"},
               .field = layout::kUniMeasADC[0],
               .index = 0,
               .min = 0,
               .max = 1023,
               .write = WriteAdc});
  s.push_back({.name = "seUniMeasADC1",
               .label = {"АЦП Макс", "ADC Max"},
               .field = layout::kUniMeasADC[1],
               .index = 1,
               .min = 0,
               .max = 1023,
               .write = WriteAdc});
}

constinit const EditorPage kUniMeasPage{
    .name = "tsUniMeas",
    .caption = {"Унив.вход/Трим", "Uni.input/Trim"},
    .shown = [](const VariantFlags& f) { return f.VariantAirWaterTemp || f.VariantTrim; },
    .addSettings = AddUniMeasSettings,
    .updateVariantControls = UpdateVariantControlsUniMeas,
};

}  // namespace tc
