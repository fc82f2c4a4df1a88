// SPDX-License-Identifier: GPL-3.0-or-later
// The parking sensors page ("Парковка"): the rear and front sensor sets.
#include "catalog/variant_flags.h"
#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "editor_core/visibility.h"
#include "model/settings_layout.h"

namespace tc {

void UpdateVariantControlsPark(const EditorContext&, Visibility&) {
  // The whole page is hidden on variants without parking sensors.
}

void AddParkSettings(std::vector<SettingDef>& s) {
  PageSettings add(s);
  const auto spin = [&](const char* name, TextPair label, FieldRef field, double min, double max,
                        double step = 1) {
    // Distances in steps of 10 cm are stored in units of 10 cm.
    add.Spin(name, label, field, min, max, step, step == 10 ? 0.1 : 1);
  };
  const TextPair use{"Использовать", "Use"};
  const TextPair sense{"Чувствительность", "Sensitivity"};
  const TextPair speed{"Быстродействие", "Speed"};
  const TextPair alarm{"Граница тревога", "Alarm limit"};
  const TextPair sensors{"Количество датчиков", "Number of sensors"};

  add.Radio("rgParkType", {"Тип ", "Type"}, layout::kParkType, Items({{"PT", "PT"}, {"PU", "PU"}}));

  // Rear.
  add.Check("cbParkUse0", use, layout::kParkUse[0]);
  spin("seParkSense0", sense, layout::kParkSense[0], 1, 7);
  spin("seParkSpeed0", speed, layout::kParkSpeed[0], 1, 3);
  spin("seParkMinLeng0", alarm, layout::kParkMinLeng[0], 30, 90, 10);
  add.Radio("rgParkBeepType", {"Тип озвучки", "Sound type"}, layout::kParkBeepType,
            Items({{"Нет", "No"}, {"Zumm", "Buzz"}, {"Пред.", "Limit"}, {"Голос", "Voice"}}));
  spin("seParkStopVel0", {"ПаркStop скорость", "ParkStop speed"}, layout::kParkStopVel[0], 0, 20);
  spin("seParkStopLeng0", {"ПаркStop cм", "ParkStop,cm"}, layout::kParkStopLeng[0], 40, 250, 10);
  spin("seParkStopLengBeep", {"Бип Stop cм", "Stop buzz cm"}, layout::kParkStopLengBeep, 40, 250,
       10);
  spin("seParkFarkopLen", {"Фаркоп см", "Tow bar cm"}, layout::kParkFarkopLen, 0, 50);
  spin("seParkProbesQntReal0", sensors, layout::kParkProbesQntReal[0], 2, 4);

  // Front.
  add.Check("cbParkUse1", use, layout::kParkUse[1]);
  spin("seParkSense1", sense, layout::kParkSense[1], 1, 7);
  spin("seParkSpeed1", speed, layout::kParkSpeed[1], 1, 3);
  spin("seParkMinLeng1", alarm, layout::kParkMinLeng[1], 30, 90, 10);
  spin("seParkStopVel1", {"Парк скорость", "Park.speed"}, layout::kParkStopVel[1], 0, 90);
  spin("seParkStopLeng1", {"Парк cм", "Park,cm"}, layout::kParkStopLeng[1], 50, 250, 10);
  add.Radio("rgParkForwConstOff", {"Режим работы", "Opration mode"}, layout::kParkForwConstOff,
            Items({{"Вкл", "On"}, {"Вкл3с", "On 3sec"}, {"ДвЗад", "Reverse"}}));
  spin("seParkProbesQntReal1", sensors, layout::kParkProbesQntReal[1], 2, 4);
}

constinit const EditorPage kParkPage{
    .name = "tsPark",
    .caption = {"Парковка", "Parctronic"},
    .shown = [](const VariantFlags& f) { return !f.VariantNoParktronic; },
    .addSettings = AddParkSettings,
    .updateVariantControls = UpdateVariantControlsPark,
};

}  // namespace tc
