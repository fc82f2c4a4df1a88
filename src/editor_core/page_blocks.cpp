// SPDX-License-Identifier: GPL-3.0-or-later
// The additional systems page ("Допсистемы"): the system list by variant
// and protocol, the selection bits, the "Показывать" rule, and the text form
// of the selection for the command line.
#include "editor_core/page_blocks.h"

#include <algorithm>
#include <span>
#include <string>

#include "catalog/variants.h"
#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "editor_core/setting_value.h"
#include "editor_core/visibility.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/text_pair.h"

namespace tc {

namespace {

// Polled through a separate additional-devices unit.
constexpr SystemEntry kAddDevices[] = {{93, "Доп.устройства"}};

constexpr SystemEntry kCommon[] = {
    {8, "Иммо АПС-4"},
    {10, "Иммо АПС-6"},
    {11, "Иммо АПС-6.1Люкс"},
    {12, "Отопитель/Климат"},
    {13, "ЭМУР Калуга"},
    {14, "ЭМУР Махачкала"},
    {15, "ЭМУР Mando"},
    {16, "СНПБ (подушки)"},
    {17, "Электропак.Приора"},
    {18, "Электропак.Норма"},
    {19, "Электропак.Люкс"},
    {20, "МДВ Калина Люкс"},
    {21, "ABS 5.3"},
    {22, "ABS 8/9"},
    {23, "ABS 9У"},
    {24, "Бл.Упр.Стеклоочист."},
    {26, "СНПБ Ш-Н(подушки)"},
    {31, "Электропакет УАЗ"},
    {32, "Пульт клим.уст.УАЗ"},
    {34, "UAZ AWD Dymos"},
    {35, "UAZ AWD Dymos2"},
    {51, "ABS Largus"},
    {52, "ЭП Largus"},
    {66, "Электропак. УАЗ 1"},
    {67, "Под.Нива TRW"},
    {68, "Под.Нива Siemens"},
    {116, "Duster ABS 1"},
    {117, "Duster подушки 1"},
    {118, "Duster ЭМУР 1"},
};

constexpr SystemEntry kCan[] = {
    {25, "Таката (подушки)"},    {27, "Bosch ESP9"},
    {28, "Bosch ABS/ESP9"},      {29, "АКПП Jatco AY-K3"},
    {30, "Электропакет Гранта"}, {36, "Клим.уст. Visteon"},
    {37, "АКПП AMT ZF 2180"},    {38, "ABS Ford"},
    {39, "АКПП Ford"},           {40, "HEC (приборка) Ford"},
    {41, "ЭГУР Ford"},           {42, "HCM (фары) Ford"},
    {43, "FACM (впрыск) Ford"},  {44, "AWD Ford"},
    {45, "АКПП Niss2"},          {46, "CVT Outlander"},
    {47, "АКПП Pajero"},         {48, "АКПП Captiva"},
    {49, "АКПП SsangYong"},      {50, "АКПП Hover H5"},
    {53, "АКПП Niss3"},          {54, "АКПП Outl 3.0"},
    {55, "Веста ABS9"},          {56, "Веста под.Takata"},
    {57, "Веста приб.панель"},   {58, "Веста ЭМУР"},
    {59, "Веста ЭП BCM"},        {60, "Веста ЭП EMM"},
    {61, "X-Ray ABS 9.1"},       {62, "X-Ray EPS"},
    {63, "X-Ray приб.панель"},   {64, "X-Ray ЭП BCM"},
    {65, "X-Ray подушки"},       {69, "АКПП Hyund/Kia"},
    {71, "АКПП Mazda1"},         {72, "АКПП Mazda23"},
    {73, "АКПП Suzuki1"},        {74, "CVT Outlander16"},
    {75, "АКПП Astra"},          {76, "Климат.Valeo"},
    {77, "Bosch ESP9.1"},
};

// Only with a protocol of a hybrid drive. The GS450H unit stands twice.
constexpr SystemEntry kHybrid[] = {
    {78, "HV ECU Estima20"},    {79, "HV Battery Prius2"},  {80, "HV ECU Prius3"},
    {140, "HV ECU Prius5"},     {81, "Климат Тойота"},      {82, "HV ECU Aqua"},
    {84, "HV ECU RX450H"},      {85, "HV ECU ES300H"},      {115, "HV ECU RX400H"},
    {119, "HV ECU Camry5"},     {141, "HV ECU Camry4"},     {120, "HV ECU Sai"},
    {121, "HV ECU Harrier"},    {130, "HV control Prius2"}, {143, "HV ECU GS450H"},
    {131, "Сист.рекупер.2"},    {136, "Подушки Тойота"},    {142, "HV ECU Prius51"},
    {134, "HV ECU Prius35"},    {143, "HV ECU GS450H"},     {149, "ECU Estima10"},
    {145, "HV contr.Estima10"}, {144, "HV batt.Estima10"},  {150, "HV ECU Prius52"},
    {151, "MotGen Prius51"},
};

constexpr SystemEntry kCanFurther[] = {
    {83, "Веста Эра-Глонас"},
    {86, "АКПП Niss4"},
    {87, "АКПП Niss1"},
    {88, "АКПП Chery QR019"},
    {89, "АКПП Kuga1"},
    {133, "АКПП Kuga2"},
    {90, "АКПП Niss5"},
    {91, "АКПП Suzuki2"},
    {92, "АКПП Suzuki3"},
    {94, "Duster Упр.впрыском"},
    {95, "Duster ABS"},
    {96, "Duster приборка"},
    {97, "Duster ЦЭКБС"},
    {98, "Duster подушки"},
    {99, "Duster климат"},
    {100, "Duster АКПП"},
    {101, "Duster ЭМУР"},
    {102, "Duster коммутация"},
    {103, "Duster полн.привод"},
    {104, "Duster Радио"},
    {105, "Duster телематика"},
    {106, "Duster HandsFree"},
    {107, "Duster Multimedia"},
    {108, "CVT Patriot"},
    {109, "АКПП Hyund/Kia3"},
    {110, "АКПП A13 Bonus/Very"},
    {111, "АКПП Chery A16 Arr 3"},
    {112, "CVT Geely Emgr EC7"},
    {113, "CVT Punch VT2"},
    {114, "CVT TCU"},
    {122, "Creta конд."},
    {123, "Creta ус.руля"},
    {124, "Creta ABS"},
    {125, "Creta подушки"},
    {126, "Creta ЭП BCM"},
    {127, "Creta приборка"},
    {128, "Creta смарт-ключ"},
    {129, "Creta соед.блок"},
    {132, "АКПП Hyund/Kia3"},
    {137, "АКПП Punch 6L60"},
    {139, "ABS Тойота"},
    {138, "УАЗ селектор АКПП"},
    {146, "Рено саж.фильтр"},
    {147, "АКПП Volvo XC60"},
    {148, "АКПП Skoda"},
    {152, "ABS APG"},
    {153, "TPMS HyundKia1"},
    {154, "TPMS HyundKia2"},
    {155, "TPMS Peugeot"},
    {156, "TPMS Mazda"},
    {157, "TPMS Mitsu"},
    {158, "TPMS Opel"},
    {159, "TPMS Renault"},
    {160, "TPMS Suzuki"},
    {161, "TPMS Toyota"},
    {162, "TPMS Ford"},
    {163, "TPMS Honda"},
    {164, "TPMS Jeep"},
};

// The device keeps room for this many entries.
constexpr size_t kMaxSystems = 200;

FieldRef SelectionByte(int code) {
  if (code < 0 || code >= 8 * layout::kUsedBlocks.count) throw RangeError();
  return layout::kUsedBlocks[code / 8];
}

bool Listed(const std::vector<SystemEntry>& list, int code) {
  return std::any_of(list.begin(), list.end(),
                     [&](const SystemEntry& e) { return e.code == code; });
}

// --- Settings ----------------------------------------------------------------------

std::string FormatUsedBlocks(const EditorContext& ctx, const SettingDef&, bool) {
  std::string text;
  for (const SystemEntry& e : UsedSystems(ctx.mk, SystemList(ctx))) {
    if (!text.empty()) text += ", ";
    text += std::to_string(e.code) + " (" + e.name + ")";
  }
  return text.empty() ? "-" : text;
}

// One entry of the text: a code (with the name in brackets after it, as
// `get` prints it) or a name of the list.
int ParseSystem(const std::vector<SystemEntry>& list, const std::string& part) {
  std::vector<int> codes;
  for (const SystemEntry& e : list)
    if (part == e.name && std::find(codes.begin(), codes.end(), e.code) == codes.end())
      codes.push_back(e.code);
  if (codes.size() == 1) return codes[0];
  if (codes.size() > 1) {
    std::string list_;
    for (size_t i = 0; i < codes.size(); ++i)
      list_ += (i ? (i + 1 == codes.size() ? TextPair{" и ", " and "}() : std::string(", "))
                  : std::string()) +
               std::to_string(codes[i]);
    throw TripError("'" + part + "' " + TextPair{"— название систем", "names the systems"}() + " " +
                    list_ + TextPair{"; укажите код", "; give the code"}());
  }
  // A name that is no system's, or a code with something else after it.
  const auto entry = SplitListEntry(part);
  const bool codeFirst = part[0] >= '0' && part[0] <= '9';
  if (!codeFirst || !entry || !entry->code) {
    if (codeFirst)
      throw TripError("'" + part + "' " +
                      TextPair{"— не одна система: укажите код или название системы (например "
                               "143 или 143 (HV ECU GS450H)), системы — через запятую",
                               "is not one system: give a system's code or name (e.g. 143 or "
                               "143 (HV ECU GS450H)), systems separated by commas"}());
    throw TripError("'" + part + "' " +
                    TextPair{"— не дополнительная система этого варианта МК и протокола "
                             "(tripconf-cli settings ФАЙЛ показывает выбранные; укажите коды "
                             "или названия)",
                             "is no additional system of this device variant and protocol "
                             "(tripconf-cli settings FILE shows the selected ones; give codes or "
                             "names)"}());
  }
  const int code = *entry->code;
  // A name after the code is only read back, but it must be the system's.
  const bool named = !entry->name.empty() ||
                     (entry->caption && std::none_of(list.begin(), list.end(), [&](const auto& e) {
                        return e.code == code && *entry->caption == e.name;
                      }));
  if (named)
    throw TripError(
        "'" + part + "' " +
        TextPair{"— не одна система: после кода ", "is not one system: after the code "}() +
        std::to_string(code) +
        TextPair{" может стоять только её название в скобках",
                 " only its own name may follow, in brackets"}());
  if (!Listed(list, code))
    throw TripError(TextPair{"системы", "system"}() + " " + std::to_string(code) + " " +
                    TextPair{"нет в списке дополнительных систем этого варианта МК и протокола",
                             "is not in the list of additional systems for this device variant "
                             "and protocol"}());
  return code;
}

bool ParseUsedBlocks(EditorContext& ctx, const SettingDef&, const std::string& raw) {
  const std::vector<SystemEntry> list = SystemList(ctx);
  const std::string text = TrimBlanks(raw);
  std::vector<int> chosen;
  if (!text.empty() && text != "-") {
    for (const std::string& part : SplitListEntries(text)) {
      if (part.empty())
        throw TripError("'" + raw + "' " +
                        TextPair{"содержит пустой элемент; перечислите системы через запятую",
                                 "has an empty entry; give systems separated by commas"}());
      chosen.push_back(ParseSystem(list, part));
    }
  }
  bool changed = false;
  for (const SystemEntry& e : list) {
    const bool on = std::find(chosen.begin(), chosen.end(), e.code) != chosen.end();
    if (SystemSelected(ctx.mk, e.code) == on) continue;
    SelectSystem(ctx.mk, e.code, on);
    changed = true;
  }
  return changed;
}

// The first "Показывать" group shows fewer bits than a choice replaces; the
// list/types choice keeps its own bit.
int64_t ReadBlocksShow(const EditorContext& ctx, const SettingDef&) {
  const BitField shown = layout::kBlocksShowItem;
  return int64_t(shown.Extract(uint64_t(ctx.mk.GetInt(shown.field))));
}

void AfterBlocksShow(EditorContext& ctx, const SettingDef& d, int64_t) {
  ApplyBlocksShow(ctx.mk, SystemList(ctx), ctx.Protocol(), int(ReadStored(ctx, d)));
}

}  // namespace

std::vector<SystemEntry> BuildSystemList(const VariantFlags& flags, const TProtBase* protocol) {
  std::vector<SystemEntry> list;
  const auto add = [&](std::span<const SystemEntry> group) {
    for (const SystemEntry& e : group)
      if (list.size() < kMaxSystems) list.push_back(e);
  };
  if (flags.VariantCan && flags.VariantAddDevices) add(kAddDevices);
  add(kCommon);
  if (flags.VariantCan) {
    add(kCan);
    if (protocol && protocol->IsHybrid) add(kHybrid);
    add(kCanFurther);
  }
  return list;
}

std::vector<SystemEntry> SystemList(const EditorContext& ctx) {
  return BuildSystemList(ctx.Flags(), ctx.Protocol());
}

bool SystemSelected(const TMK& mk, int code) {
  return (mk.GetInt(SelectionByte(code)) >> (code % 8)) & 1;
}

void SelectSystem(TMK& mk, int code, bool selected) {
  const FieldRef f = SelectionByte(code);
  const int64_t bit = int64_t{1} << (code % 8);
  const int64_t v = mk.GetInt(f);
  mk.SetInt(f, selected ? (v | bit) : (v & ~bit));
}

void ToggleSystem(TMK& mk, int code) {
  SelectSystem(mk, code, !SystemSelected(mk, code));
}

std::vector<SystemEntry> UsedSystems(const TMK& mk, const std::vector<SystemEntry>& list) {
  std::vector<SystemEntry> used;
  for (const SystemEntry& e : list)
    if (SystemSelected(mk, e.code) && !Listed(used, e.code)) used.push_back(e);
  return used;
}

void ApplyBlocksShow(TMK& mk, const std::vector<SystemEntry>& list, const TProtBase* protocol,
                     int item) {
  if (item == kBlocksShowAll) {
    for (const SystemEntry& e : list) SelectSystem(mk, e.code, true);
  } else if (item == kBlocksShowProtocol) {
    const auto own = protocol ? protocol->Blocks() : std::span<const uint8_t>{};
    for (const SystemEntry& e : list)
      SelectSystem(mk, e.code, std::find(own.begin(), own.end(), e.code) != own.end());
  }
}

namespace {
const TextPair kNameColumn{"Название", "Name"};
}  // namespace

void TSystemRows::Rebuild() {
  list_ = SystemList(ctx_);
}

std::vector<RowColumn> TSystemRows::Columns() const {
  return {{.caption = kNameColumn}, {.caption = {"Выбр.", "Sel."}, .width = 44, .centred = true}};
}

std::string TSystemRows::Cell(int row, int column, bool) const {
  const SystemEntry& e = list_[size_t(row)];
  if (column == 0) return e.name;
  return SystemSelected(ctx_.mk, e.code) ? "V" : "";
}

RowEdit TSystemRows::ActivateRow(int row) {
  if (row < 0 || row >= RowCount()) return {};
  ToggleSystem(ctx_.mk, list_[size_t(row)].code);
  return {true, ""};
}

std::vector<RowColumn> TUsedSystemRows::Columns() const {
  return {{.caption = kNameColumn}};
}

void TUsedSystemRows::Sync() {
  used_ = UsedSystems(ctx_.mk, all_.List());
}

std::string TUsedSystemRows::Cell(int row, int, bool) const {
  return used_[size_t(row)].name;
}

RowEdit TUsedSystemRows::ActivateRow(int row) {
  if (row < 0 || row >= RowCount()) return {};
  SelectSystem(ctx_.mk, used_[size_t(row)].code, false);
  return {true, ""};
}

void UpdateVariantControlsBlocks(const EditorContext& ctx, Visibility& v) {
  // The page itself is hidden without additional systems; so are its
  // settings, which the command line then marks.
  if (ctx.Flags().VariantAddSystems) return;
  for (const char* name : {"sgUsedBlocks", "rgBlocksShow", "rgBlocksShowList"}) v.Hide(name);
}

namespace {
// System codes start at 8: the set's first byte holds the page's display
// modes instead, which are settings of their own.
constexpr FieldArray kSystemCodeBytes{layout::kUsedBlocks[1], layout::kUsedBlocks.count - 1,
                                      layout::kUsedBlocks.stride};
constexpr int kFirstSystemCode = 8;

// The codes of the selected systems, in code order.
SettingValue UsedBlocksValue(const EditorContext& ctx, const SettingDef&) {
  SettingValue v;
  for (int code = kFirstSystemCode; code < 8 * layout::kUsedBlocks.count; ++code)
    if (SystemSelected(ctx.mk, code)) v.numbers.push_back(code);
  return v;
}
}  // namespace

void AddBlocksSettings(std::vector<SettingDef>& s) {
  s.push_back({.name = "sgUsedBlocks",
               .kind = ControlKind::CodeSet,
               .label = {"Выбранные допсистемы", "Selected add.systems"},
               .field = layout::kUsedBlocks[0],
               .format = FormatUsedBlocks,
               .parse = ParseUsedBlocks,
               .value = UsedBlocksValue,
               .covers = {kSystemCodeBytes}});
  s.push_back(
      {.name = "rgBlocksShow",
       .kind = ControlKind::Radio,
       .label = {"Показывать", "Show"},
       .field = layout::kBlocksShowStored.field,
       .bit = layout::kBlocksShowStored.first,
       .bits = layout::kBlocksShowStored.count,
       .items = Items({{"Все", "All"}, {"Протокол", "Protocol"}, {"Подключ.", "Connected"}}),
       .columns = 1,
       .afterStore = AfterBlocksShow,
       .read = ReadBlocksShow});
  s.push_back({.name = "rgBlocksShowList",
               .kind = ControlKind::Radio,
               .label = {"Показывать", "Show"},
               .field = layout::kBlocksShowList.field,
               .bit = layout::kBlocksShowList.first,
               .bits = layout::kBlocksShowList.count,
               .items = Items({{"Списком", "List"}, {"По типам", "By types"}}),
               .columns = 1});
}

constinit const EditorPage kBlocksPage{
    .name = "tsBlocks",
    .caption = {"Допсистемы", "Add.systems"},
    .shown = [](const VariantFlags& f) { return f.VariantAddSystems; },
    .addSettings = AddBlocksSettings,
    .updateVariantControls = UpdateVariantControlsBlocks,
};

}  // namespace tc
