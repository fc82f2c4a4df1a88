// SPDX-License-Identifier: GPL-3.0-or-later
// The sounds page ("Озвуч.сообщения"): volume, silence, greeting and repeat
// settings, and how each warning is announced the first and following times.
#include "editor_core/page_voice.h"

#include <array>
#include <string>

#include "catalog/protocol.h"
#include "catalog/variants.h"
#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "editor_core/setting_value.h"
#include "editor_core/visibility.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc {

namespace {

const std::array<WarningRow, kWarningCount> kWarnings = {{
    {{"Высокое U АКБ", "High batt.volt."}, true},
    {{"Низкое U АКБ", "Low batt.volt."}, true},
    {{"Превыш.скорость", "High speed"}, true},
    {{"Превыш.обороты", "High eng.speed"}, true},
    {{"Остаток бака", "Fuel rem."}, true},
    {{"Гололед", "Glaze ice"}, true},
    {{"Выполнить ТО", "Make TS"}, false},
    {{"Разгон", "Acceleration"}, true},
    {{"Торможение", "Brakihg"}, true},
    {{"Неисправность", "Fault"}, false},
    {{"Перегрев ОЖ", "Coolant overheat"}, true},
    {{"Эконометр", "Econometer"}, true},
    {{"Габариты", "PArk.lights"}, false},
    {{"Полный бак", "Full tank"}, false},
    {{"%Впрыск/расход", "%Inj/Exp"}, false},
    {{"Прогрев ДВС", "Eng.heat."}, false},
    {{"Ближн.Свет", "Low beam"}, false},
    {{"Сажевый фильтр", "Diesel filter"}, false},
    {{"Перегрев ВВБ", "HVB overheat"}, true},
    {{"Перегрев АКПП", "AT overheat"}, true},
    {{"Перегрев масла ДВС", "Eng.overheat"}, true},
    {{"Износ масла АКПП", "AT iol deter."}, false},
    {{"Перегрев ретардера", "Retard.overheat"}, true},
    {{"Перегрев инвертора", "Inv.overheat"}, true},
}};

constexpr int kHvbWarning = 18;
constexpr int kInverterWarning = 23;

// Which group of a warning's byte a setting is.
enum class Group { First, Next, FirstOnly };

// What a mode group stands for, kept in the setting's index: the warning,
// the group, and for the shared byte which of its two meanings (diesel
// filter, or water in the fuel / the engine pump).
struct ModeRole {
  int warning = 0;
  Group group = Group::First;
  bool pair = false;
};

constexpr int kGroupCount = 3;

constexpr int RoleIndex(const ModeRole& r) {
  return r.warning + kWarningCount * (int(r.group) + (r.pair ? kGroupCount : 0));
}

ModeRole RoleOf(const SettingDef& d) {
  const int rest = d.index / kWarningCount;
  return {d.index % kWarningCount, Group(rest % kGroupCount), rest >= kGroupCount};
}

BitField BitsOf(Group g) {
  switch (g) {
    case Group::First:
      return layout::kWarnFirst;
    case Group::Next:
      return layout::kWarnNext;
    case Group::FirstOnly:
      break;
  }
  return layout::kWarnFirstOnly;
}

std::vector<SettingItem> ModeItems(const EditorContext& ctx, const SettingDef&) {
  // Without a voice the spoken modes cannot be chosen.
  const bool voice = !ctx.Flags().VariantNoVoice;
  const TextPair why{"на этом варианте МК: он не произносит сообщений",
                     "on this device variant: it has no voice"};
  return {{{"О", "O"}, 0},
          {{"Н", "N"}, 1},
          {{"Б", "B"}, 2},
          {{"М", "M"}, 3, voice, why},
          {{"Г", "V"}, 4, voice, why}};
}

// A warning announced once shows the mode of its first group.
int64_t ReadMode(const EditorContext& ctx, const SettingDef& d) {
  const uint64_t b = uint64_t(ctx.mk.GetInt(d.field));
  const BitField shown = RoleOf(d).group == Group::Next ? layout::kWarnNext : layout::kWarnFirst;
  return int64_t(shown.Extract(b));
}

bool PairShown(const EditorContext& ctx) {
  return ctx.ProtocolCode() == kWaterInFuelProtocol || ctx.EnginePumpProtocol();
}

// The byte is written whole from its two groups (the spare bits become 0);
// a warning with no next group repeats its first mode there.
bool WriteMode(EditorContext& ctx, const SettingDef& d, int64_t mode) {
  if (mode < 0 || mode > 4) throw RangeError();
  const ModeRole role = RoleOf(d);
  const int k = role.warning;
  if (k == kSharedWarning) {
    // The diesel-filter group owns the byte unless the protocol gives it the
    // other meaning; the water-in-fuel / engine-pump pair owns it while shown.
    if (role.pair ? !PairShown(ctx) : ctx.ProtocolCode() == kWaterInFuelProtocol) return false;
  }
  const uint64_t b = uint64_t(ctx.mk.GetInt(d.field));
  const uint64_t m = uint64_t(mode);
  const uint64_t first = role.group == Group::Next ? layout::kWarnFirst.Extract(b) : m;
  const uint64_t next = role.group == Group::First ? layout::kWarnNext.Extract(b) : m;
  const int64_t v = int64_t(layout::kWarnNext.Insert(layout::kWarnFirst.Insert(0, first), next));
  ctx.mk.SetInt(d.field, v);
  // On trim variants the inverter warning stands for both bytes.
  if (k == kInverterWarning && ctx.Flags().VariantTrim)
    ctx.mk.SetInt(layout::kWarnModes[kHvbWarning], v);
  return true;
}

TextPair PairLabel(const EditorContext& ctx, const SettingDef&) {
  if (ctx.ProtocolCode() == kWaterInFuelProtocol) return {"Вода в топливе", "Water in fuel"};
  return {"Помпа ДВС", "Engine pump"};
}

std::vector<SettingItem> FlagSoundItems(const EditorContext& ctx, const SettingDef&) {
  std::vector<SettingItem> items = Items({{"Да", "Yas"}, {"Нет", "No"}, {"Замок", "Lock"}});
  if (!ctx.Flags().VariantNoVoice) items.push_back({{"ОтГол", "VoiceOff"}, 3});
  return items;
}

SettingDef ModeGroup(const char* name, const TextPair& label, FieldRef field, ModeRole role) {
  const BitField bits = BitsOf(role.group).On(field);
  return {.name = name,
          .kind = ControlKind::Radio,
          .label = label,
          .field = bits.field,
          .bit = bits.first,
          .bits = bits.count,
          .index = RoleIndex(role),
          .dynamicItems = ModeItems,
          .columns = 5,
          .read = ReadMode,
          .write = WriteMode};
}

}  // namespace

const WarningRow& Warning(int k) {
  return kWarnings[size_t(k)];
}

void UpdateVariantControlsVoice(const EditorContext& ctx, Visibility& v) {
  const VariantFlags& f = ctx.Flags();
  const TProtBase* p = ctx.Protocol();
  for (const char* n : {"seSoundVolume", "rgSayHelloMode", "seSayParamPeriod"})
    v.ShowIf(n, !f.VariantNoVoice);
  const auto showWarning = [&](int k, bool shown) {
    v.ShowIf("rgWarnFirst_" + std::to_string(k), shown);
    if (kWarnings[size_t(k)].hasNext) v.ShowIf("rgWarnNext_" + std::to_string(k), shown);
  };
  showWarning(12, !f.VariantNoLightsAlarm);
  showWarning(16, !f.VariantNoLightsAlarm);
  showWarning(5, !f.VariantLowBeamInAirSlot && !f.VariantPowerReserve);
  showWarning(kSharedWarning, f.VariantVag);
  v.ShowIf("rgWarnWaterFirst_17", PairShown(ctx));
  v.ShowIf("rgWarnNext_17", PairShown(ctx));
  // What the protocol's capability bytes show.
  showWarning(15, p && p->ShowWarmUp);
  showWarning(9, p && p->ShowFault);
  showWarning(19, p && p->ShowAtOil);
  showWarning(20, p && p->ShowEngineOil);
  showWarning(kHvbWarning, (p && p->IsHybrid) && !f.VariantTrim);
  showWarning(kInverterWarning, (p && p->IsHybrid) || f.VariantTrim);
}

void AddVoiceSettings(std::vector<SettingDef>& s) {
  PageSettings add(s);
  add.Spin("seSoundVolume", {"Громкость", "Sound volume"}, layout::kSoundVolume, 0, 8);
  s.push_back({.name = "rgFlagSound",
               .kind = ControlKind::Radio,
               .label = {"Откл.звук", "Sound off"},
               .field = layout::kFlagSound,
               .dynamicItems = FlagSoundItems});
  s.push_back({.name = "rgSayHelloMode",
               .kind = ControlKind::Radio,
               .label = {"Произносить \"Здравствуйте\"", "Say \"Hello\""},
               .field = layout::kSayHelloMode,
               .items = Items({{"Вкл.", "On"}, {"Раз в сутки", "Once a day"}, {"Откл.", "Off"}})});
  add.Spin("seSayParamPeriod",
           {"Период автоповтора озвуч. параметров  (4=откл)",
            "Period of auto.rep. of the sound of parameters (4=Off)"},
           layout::kSayParamPeriod, 4, 99);
  add.Spin("seAlarmVelSecNoSayMax",
           {"Прореживание сообщений о превыш. скорости, мин (-1=П) ",
            "Thinning out reports of speeding(-1=N)"},
           layout::kAlarmVelSecNoSayMax, -1, 99);
  add.Spin("seSayEconomPeriod", {"Эконометр период", "Econometer period"}, layout::kSayEconomPeriod,
           1, 20);
  add.Check("cbSoundKeys", {"Вкл. звук при нажатии кнопок", "Sound on when key pressed"},
            layout::kSoundKeys);
  add.Check("cbSoundLock", {"Вкл. звук при включении замка зажигания", "Sound on when lock on"},
            layout::kSoundLock);

  for (int k = 0; k < kWarningCount; ++k) {
    const WarningRow& w = kWarnings[size_t(k)];
    const std::string n = std::to_string(k);
    const FieldRef field = layout::kWarnModes[k];
    s.push_back(ModeGroup(InternName("rgWarnFirst_" + n), w.name, field,
                          {k, w.hasNext ? Group::First : Group::FirstOnly}));
    if (w.hasNext)
      s.push_back(ModeGroup(InternName("rgWarnNext_" + n), w.name, field, {k, Group::Next}));
  }
  // The second meaning of warning 17's byte, with both groups.
  const TextPair water{"Вода в топливе", "Water in fuel"};
  s.push_back(ModeGroup("rgWarnWaterFirst_17", water, layout::kWarnWaterInFuel,
                        {kSharedWarning, Group::First, true}));
  s.back().dynamicLabel = PairLabel;
  s.push_back(ModeGroup("rgWarnNext_17", water, layout::kWarnWaterInFuel,
                        {kSharedWarning, Group::Next, true}));
  s.back().dynamicLabel = PairLabel;
}

constinit const EditorPage kVoicePage{
    .name = "tsVoice",
    .caption = {"Озвуч.сообщения", "Sounds"},
    .addSettings = AddVoiceSettings,
    .updateVariantControls = UpdateVariantControlsVoice,
};

}  // namespace tc
