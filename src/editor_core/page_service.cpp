// SPDX-License-Identifier: GPL-3.0-or-later
// The service page ("ТО"): thousands of kilometres left until the next
// replacements, two reminder dates, the engine-hours limit, three reminders
// named by the user and a switch per reminder. Variants with a short service
// list keep one general interval, the service date and the engine hours.
#include <iterator>
#include <string>
#include <string_view>

#include "catalog/variants.h"
#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "editor_core/visibility.h"
#include "model/settings_layout.h"
#include "model/tmk.h"

namespace tc {

namespace {

struct Reminder {
  const char* counter;  // spin edit, or nullptr for the dates and engine hours
  const char* name;     // name field of a reminder the user names, or nullptr
  const char* check;
  TextPair caption;
};

// In the order of their bits in the reminder flag word.
const Reminder kReminders[] = {
    {"seAirFiltCntK", nullptr, "cbAirFiltCntK", {"Замена.возд.ф.", "Air filt.repl."}},
    {"seKPPOilCntK", nullptr, "cbKPPOilCntK", {"Замена мас.КПП", "Gearbox oil ch"}},
    {"seForsTOCntK", "eForsTOCntK", "cbForsTOCntK", {"Напоминание 3", "Reminder 3"}},
    {"seGRMStrapCntK", "eGRMStrapCntK", "cbGRMStrapCntK", {"Напоминание 4", "Reminder 4"}},
    {"seCoolLiqCntK", nullptr, "cbCoolLiqCntK", {"Замена охл.жидк.", "Coolant repl."}},
    {"seEngOilCntK", nullptr, "cbEngOilCntK", {"Замена масла дв.", "Eng.oil change"}},
    {"seCandleCntK", "eCandleCntK", "cbCandleCntK", {"Напоминание 7", "Reminder 7"}},
    {nullptr, nullptr, "cbTO", {"Дата след.ТО", "TS date"}},
    {nullptr, nullptr, "cbOSAGO", {"Дата опл.ОСАГО", "Insurance"}},
    {nullptr, nullptr, "cbMotoHour", {"Моточасы", "Eng.hours"}},
};

// The switch of each reminder above, in the same order.
constexpr BitField kReminderSwitches[] = {
    layout::kServiceAirFilterOn, layout::kServiceGearboxOilOn, layout::kServiceReminder3On,
    layout::kServiceReminder4On, layout::kServiceCoolantOn,    layout::kServiceEngineOilOn,
    layout::kServiceReminder7On, layout::kServiceDateTOOn,     layout::kServiceDateOSAGOOn,
    layout::kServiceMotoHoursOn,
};
static_assert(std::size(kReminderSwitches) == std::size(kReminders));

// Any change of a switch also clears the top bits of the word.
void ClearHighReminderBits(EditorContext& ctx, const SettingDef&, int64_t) {
  const BitField cleared = layout::kServiceFlagsCleared;
  ctx.mk.SetInt(cleared.field, int64_t(cleared.Insert(uint64_t(ctx.mk.GetInt(cleared.field)), 0)));
}

const char* Joined(const TextPair& t, bool english, const char* suffix) {
  return InternName(std::string(t.Get(english)) + suffix);
}

}  // namespace

void UpdateVariantControlsService(const EditorContext& ctx, Visibility& v) {
  const bool shortService = ctx.Flags().VariantShortService;
  v.ShowIf("seAirFiltCntK", !shortService);
  v.ShowIf("seTOCntK", shortService);
  if (!shortService) return;
  for (const Reminder& r : kReminders) {
    if (std::string_view(r.check) == "cbMotoHour") continue;
    if (r.counter) v.Hide(r.counter);
    if (r.name) v.Hide(r.name);
    v.Hide(r.check);
  }
  v.Hide("deOSAGO");
}

void AddServiceSettings(std::vector<SettingDef>& s) {
  for (int i = 0; i < 7; ++i) {
    const Reminder& r = kReminders[i];
    const bool named = r.name != nullptr;
    s.push_back({.name = r.counter,
                 .label = named ? TextPair{Joined(r.caption, false, ", тыс.км"),
                                           Joined(r.caption, true, ", th.km")}
                                : r.caption,
                 .field = layout::kServiceCounters[i],
                 .index = i,
                 .min = 0,
                 .max = 99});
    if (i == 0) {
      // The general service interval of the short list, in tenths.
      s.push_back({.name = "seTOCntK",
                   .label = {"ТО тыс.км", "TS th.km"},
                   .field = layout::kServiceCounters[0],
                   .scale = 10,
                   .min = 0,
                   .max = 9.9,
                   .step = 0.1,
                   .decimals = 1});
    }
    if (named) {
      s.push_back(
          {.name = r.name,
           .kind = ControlKind::Text,
           .label = {Joined(r.caption, false, ": название"), Joined(r.caption, true, ": name")},
           .field = layout::kServiceNames[i == 2   ? 0
                                          : i == 3 ? 1
                                                   : 2],
           .max = 15});
    }
  }
  s.push_back({.name = "deTO",
               .kind = ControlKind::Date,
               .label = {"Дата след.ТО", "TS date"},
               .field = layout::kDateTO});
  s.push_back({.name = "deOSAGO",
               .kind = ControlKind::Date,
               .label = {"Дата опл.ОСАГО", "Insurance"},
               .field = layout::kDateOSAGO});
  s.push_back({.name = "seMotoHourLim",
               .label = {"Моточасы", "Eng.hours"},
               .field = layout::kMotoHourLim,
               .min = 0,
               .max = 3000});
  for (int i = 0; i < int(std::size(kReminders)); ++i) {
    const Reminder& r = kReminders[i];
    const BitField on = kReminderSwitches[i];
    s.push_back(
        {.name = r.check,
         .kind = ControlKind::Check,
         .label = {Joined(r.caption, false, ": использ."), Joined(r.caption, true, ": use")},
         .field = on.field,
         .bit = on.first,
         .bits = on.count,
         .index = i,
         .afterStore = ClearHighReminderBits});
  }
}

constinit const EditorPage kServicePage{
    .name = "tsTO",
    .caption = {"ТО", "TS"},
    .addSettings = AddServiceSettings,
    .updateVariantControls = UpdateVariantControlsService,
};

}  // namespace tc
