// SPDX-License-Identifier: GPL-3.0-or-later
// The corrections page ("Поправки"): sensor and clock corrections, the
// starting totals, and the injector and tachometer settings.
#include "catalog/variants.h"
#include "editor_core/page_kit.h"
#include "editor_core/page_meth.h"
#include "editor_core/pages.h"
#include "editor_core/visibility.h"
#include "model/settings_layout.h"

namespace tc {

void UpdateVariantControlsCorr(const EditorContext& ctx, Visibility& v) {
  const VariantFlags& f = ctx.Flags();
  v.ShowIf("seVelocityCorr", !f.VariantNoVelocityCorr);
  v.ShowIf("seAirTemperCorr", !f.VariantLowBeamInAirSlot);
  UpdateInjectorControls(ctx, v);
}

void AddCorrSettings(std::vector<SettingDef>& s) {
  const auto percent = [&](const char* name, TextPair label, FieldRef field, bool gas) {
    s.push_back({.name = name,
                 .kind = ControlKind::Spin,
                 .label = label,
                 .field = field,
                 .conversion = Conversion::Percent,
                 .min = -99.0,
                 .max = 999.9,
                 .step = 1,
                 .decimals = 1,
                 .gas = gas});
  };
  percent("seVelocityCorr", {"Скорость, %", "Speeed, %"}, layout::kVelocityCorr, false);
  percent("seExpenseCorr", {"Расхода бензина, %", "Petrol expense, %"}, layout::kExpenseCorr,
          false);
  percent("seGazExpenseCorr", {"Расход газа, %", "Gas expense, %"}, layout::kGazExpenseCorr, true);
  s.push_back({.name = "seAirTemperCorr",
               .label = {"Температура воздуха, С", "Air temper., C"},
               .field = layout::kAirTemperCorr,
               .min = -20,
               .max = 20});
  s.push_back({.name = "seAccCorr",
               .label = {"Напряжение АКБ, В", "Battery voltage, V"},
               .field = layout::kAccCorr,
               .scale = 10,
               .min = -0.7,
               .max = 0.7,
               .step = 0.1,
               .decimals = 1});
  s.push_back({.name = "seTimeCorr",
               .label = {"Время (секунд в сутки)", "Tume (sec. per day)"},
               .field = layout::kTimeCorr,
               .min = -30,
               .max = 30});
  s.push_back({.name = "seAllPathStart",
               .label = {"Начальный пробег, км", "initial mileage, km"},
               .field = layout::kAllPathStart,
               .min = 0,
               .max = 999999});
  s.push_back({.name = "seAllTimeStart",
               .label = {"Начальное вр. раб, час", "Initial time, h"},
               .field = layout::kAllTimeStart,
               .min = 0,
               .max = 99999});
  s.push_back({.name = "seForsCoefCarb",
               .label = {"Имп. на оборот", "Pulses by rev."},
               .field = layout::kForsCoefCarb,
               .scale = 2,
               .min = 0.5,
               .max = 12.0,
               .step = 0.5,
               .decimals = 1,
               .typing = false});
  s.push_back({.name = "rgForsPosFlag",
               .kind = ControlKind::Radio,
               .label = {"Полярность форсунки", "Polarity"},
               .field = layout::kForsPosFlag,
               .items = Items({{"+", "+"}, {"-", "-"}}),
               .columns = 2});
  // The tachometer divider: 1, 2 or 4; anything else counts as 4.
  s.push_back({.name = "rgForsCoef",
               .kind = ControlKind::Radio,
               .label = {"Тахометр", "Tachometer"},
               .field = layout::kForsCoef,
               .items = {{{"1", "1"}, 1}, {{"2", "2"}, 2}, {{"4", "4"}, 4}},
               .fallbackItem = 2,
               .columns = 3});
}

constinit const EditorPage kCorrPage{
    .name = "tsCorr",
    .caption = {"Поправки", "Correction"},
    .addSettings = AddCorrSettings,
    .updateVariantControls = UpdateVariantControlsCorr,
};

}  // namespace tc
