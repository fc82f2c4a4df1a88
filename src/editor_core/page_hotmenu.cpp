// SPDX-License-Identifier: GPL-3.0-or-later
// The hot menus page ("Горячие меню"): packing, insert, delete, clear and
// move of the four ten-entry lists, the insert tree of each menu, and the
// text form of the lists for the command line.
#include "editor_core/page_hotmenu.h"

#include <algorithm>
#include <initializer_list>

#include "catalog/variants.h"
#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "editor_core/setting_value.h"
#include "editor_core/visibility.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/text_pair.h"

namespace tc {

namespace {

constexpr TextPair kCaptions[kHotMenuCount] = {
    {"Параметры", "Parameters"},
    {"Средние", "Average"},
    {"Таксометр", "Taximeter"},
    {"Парктроник", "Parktronic"},
};
constexpr const char* kNames[kHotMenuCount] = {"sghmParams", "sghmAver", "sghmTax", "sghmPark"};

// --- The insert trees --------------------------------------------------------------

// Builds a tree from names: items are looked up in the catalogue, missing
// ones are left out.
class TreeBuilder {
 public:
  TreeBuilder(const TMenuItemCatalog& items, const VariantFlags& flags)
      : items_(items), flags_(flags) {}

  void Items(std::vector<HotMenuNode>& into, std::initializer_list<const char*> names) const {
    for (const char* n : names) Item(into, n);
  }
  void Item(std::vector<HotMenuNode>& into, const std::string& ident) const {
    // Ice warnings make no sense where the air-temperature input is used
    // otherwise or the variant measures no outside air.
    if (ident == "apHoloMenu" && (flags_.VariantLowBeamInAirSlot || flags_.VariantPowerReserve))
      return;
    if (const TMKMenuItem* i = items_.FindMenuItemByIdent(ident))
      into.push_back({i->CaptionRu, i->CaptionEn, i->Code, i->Ident, {}});
  }
  // A numbered family: stem + first .. stem + last + "Menu".
  void Family(std::vector<HotMenuNode>& into, const char* stem, int first, int last) const {
    for (int n = first; n <= last; ++n) Item(into, stem + std::to_string(n) + "Menu");
  }
  static std::vector<HotMenuNode>& Category(std::vector<HotMenuNode>& into, TextPair caption) {
    into.push_back({caption.ru, caption.en, 0, "", {}});
    return into.back().children;
  }

 private:
  const TMenuItemCatalog& items_;
  const VariantFlags& flags_;
};

void ParamsTree(const TreeBuilder& t, std::vector<HotMenuNode>& root) {
  t.Items(TreeBuilder::Category(root, {"Управление", "Control"}),
          {"VirtLockMenu", "FullTankMenu", "ToTankMenu", "InTankMenu", "VentOnMenu", "PrognozMenu",
           "InjTimeHHMenu", "ExpenseHHMenu", "CorrUOZMenu", "CandleDryMenu", "EBUInitMenu",
           "EBUResetMenu"});
  t.Items(TreeBuilder::Category(root, {"Источники", "Resources"}),
          {"TankMethMenu", "LightsOnMenu", "IntenseDayTimeMenu", "IntenseNightTimeMenu"});
  t.Items(TreeBuilder::Category(root, {"Границы", "Limits"}),
          {"LiqTemperLimitMenu", "RevolutionsLimitMenu", "VelocityLimitMenu", "TankLimitMenu",
           "VentTempLimitMenu", "InjTimeLimitMenu", "LiqTemperReadyMenu", "Vel100Menu",
           "Vel100DownMenu", "Exp100ArrowLimMenu"});
  t.Items(TreeBuilder::Category(root, {"Время", "Time"}), {"WakeTimeMenu", "WakeActiveMenu"});
  auto& display = TreeBuilder::Category(root, {"Дисплей", "Display"});
  t.Items(display, {"Intense0Menu", "Intense1Menu"});
  t.Items(TreeBuilder::Category(display, {"Стрелочные", "Arrow"}), {"DispShowArrowMethMenu"});
  t.Items(TreeBuilder::Category(display, {"Графические", "Graphic"}),
          {"MeasParamsHistoryFlagMenu"});
  t.Items(TreeBuilder::Category(root, {"Озвуч.сообщения", "Voice messages"}),
          {"AlarmPermJournMenu", "SoundVolumeMenu", "FlagSoundMenu", "SayParamPeriodMenu",
           "apVelMenu", "AlarmVelSecNoSayMaxMenu", "apRevMenu", "apTankMenu", "apHoloMenu",
           "apEconomMenu", "apGabarMenu", "apLightsMenu", "apTankFullMenu", "apInjTimeMenu",
           "apErrorMenu", "apLiqTempHighMenu", "apLiqTempReadyMenu"});
  t.Items(TreeBuilder::Category(root, {"ТО", "TS"}),
          {"ErrorsMenu", "BlocksABS9Menu", "BlocksElPakNMenu", "BlocksElPakUAZMenu",
           "BlocksClimatUAZMenu", "BlocksABS9UMenu"});
}

void AverTree(const TreeBuilder& t, std::vector<HotMenuNode>& root) {
  t.Items(root, {"InitTripParamsMenu", "InitReset0ParamsMenu", "InitReset1ParamsMenu",
                 "InitStopParamsMenu", "InitNoStopParamsMenu", "InitResetOnlyParamsMenu",
                 "TripMinStopMenu", "TripJournMenu"});
  auto& trips = TreeBuilder::Category(root, {"Журнал поездок", "Trip log"});
  t.Items(trips, {"ContinueTripMenu", "WriteTripMenu"});
  t.Family(TreeBuilder::Category(trips, {"Записать", "Save"}), "WriteTrip", 1, 20);
  t.Item(trips, "ViewTripMenu");
  t.Family(TreeBuilder::Category(trips, {"Просмотреть", "View"}), "ViewTrip", 0, 20);
  t.Item(root, "TankJournMenu");
  t.Family(TreeBuilder::Category(root, {"Журнал заправок", "Petrol log"}), "ViewTank", 0, 20);
}

void TaxTree(const TreeBuilder& t, std::vector<HotMenuNode>& root) {
  t.Items(root, {"TaxStartFinishMenu", "TaxTarifDNMenu", "TaxTarifNumMenu", "TaxClearAllSumMenu",
                 "TaxFlagMinMenu", "TaxTarifStartMenu", "TaxTarifSumMinMenu"});
  for (int k = 0; k <= 4; ++k) {
    const std::string n = std::to_string(k);
    for (const char* part :
         {"TaxTimeTarif%Day", "TaxPathTarif%Day", "TaxTimeTarif%Night", "TaxPathTarif%Night"}) {
      std::string ident = part;
      ident.replace(ident.find('%'), 1, n);
      t.Item(root, ident + "Menu");
    }
  }
}

void ParkTree(const TreeBuilder& t, std::vector<HotMenuNode>& root) {
  t.Items(TreeBuilder::Category(root, {"Парковка", "Parking"}),
          {"ParkOffMenu", "ParkUseMenu_0", "ParkSenseMenu_0", "ParkSpeedMenu_0", "ParkBeepTypeMenu",
           "ParkAlwaysOnMenu"});
  t.Items(TreeBuilder::Category(root, {"Парковка вперед", "Front parling"}),
          {"ParkUseMenu_1", "ParkForwConstOffMenu", "ParkSenseMenu_1", "ParkSpeedMenu_1"});
}

template <typename Match>
const HotMenuNode* FindNode(const std::vector<HotMenuNode>& tree, const Match& match) {
  for (const HotMenuNode& n : tree) {
    if (n.IsItem() && match(n)) return &n;
    if (const HotMenuNode* c = FindNode(n.children, match)) return c;
  }
  return nullptr;
}

// --- Text form -----------------------------------------------------------------------

// "52 TripJournMenu (Trip log)", or the code alone when the catalogue does
// not hold it.
std::string EntryText(const TMenuItemCatalog& items, uint16_t code, bool english) {
  std::string t = std::to_string(code);
  if (const TMKMenuItem* i = items.FindMenuItemByCode(code))
    t += " " + i->Ident + " (" + i->Caption(english) + ")";
  return t;
}

std::string FormatHotMenu(const EditorContext& ctx, const SettingDef& d, bool english) {
  std::string text;
  for (uint16_t code : PackHotMenu(ReadHotMenu(ctx.mk, d.index))) {
    if (!code) break;
    if (!text.empty()) text += ", ";
    text += EntryText(ctx.catalog.MenuItems(), code, english);
  }
  return text.empty() ? "-" : text;
}

void CollectItems(const std::vector<HotMenuNode>& tree, std::vector<const HotMenuNode*>& into) {
  for (const HotMenuNode& n : tree) {
    if (n.IsItem()) into.push_back(&n);
    CollectItems(n.children, into);
  }
}

// One entry of the text: a code, an identifier, both ("52 TripJournMenu"),
// with the caption in brackets after them as `get` prints it, or a caption
// alone in either language ("Fan On/Off").
const HotMenuNode& ParseHotMenuEntry(const EditorContext& ctx, int menu,
                                     const std::vector<HotMenuNode>& tree,
                                     const std::string& part) {
  const bool english = EnglishVersion();
  const auto noItem = [&](const std::string& what) {
    return TripError("'" + what + "' " +
                     TextPair{"— не пункт горячего меню", "is no item of the hot menu"}() + " \"" +
                     HotMenuCaption(menu).Get(english) + "\" " +
                     TextPair{"в этом варианте МК (tripconf-cli catalog --list menu называет "
                              "пункты меню МК)",
                              "on this device variant (tripconf-cli catalog --list menu names "
                              "the device menu items)"}());
  };
  const auto notOne = [&] {
    return TripError("'" + part + "' " +
                     TextPair{"— не один пункт меню: укажите код, идентификатор или название "
                              "пункта (например 52, TripJournMenu или 52 TripJournMenu), "
                              "пункты — через запятую",
                              "is not one menu item: give an item's code, identifier or caption "
                              "(e.g. 52, TripJournMenu or 52 TripJournMenu), items separated by "
                              "commas"}());
  };
  std::vector<const HotMenuNode*> items;
  CollectItems(tree, items);
  const auto captionOf = [&](const HotMenuNode& n, const std::string& text) {
    if (text == n.ru || text == n.en) return true;
    const TMKMenuItem* i = ctx.catalog.MenuItems().FindMenuItemByCode(n.code);
    return i && (text == i->Caption(false) || text == i->Caption(true));
  };
  // A caption alone names the item, unless it names several.
  std::vector<const HotMenuNode*> byCaption;
  for (const HotMenuNode* n : items)
    if (captionOf(*n, part) &&
        std::none_of(byCaption.begin(), byCaption.end(),
                     [&](const HotMenuNode* m) { return m->code == n->code; }))
      byCaption.push_back(n);
  if (byCaption.size() == 1) return *byCaption[0];
  if (byCaption.size() > 1) {
    std::string codes;
    for (const HotMenuNode* n : byCaption)
      codes += (codes.empty() ? "" : ", ") + std::to_string(n->code);
    throw TripError(
        "'" + part + "' " +
        TextPair{"— название нескольких пунктов меню (", "names several menu items ("}() + codes +
        TextPair{"); укажите код", "); give the code"}());
  }
  const auto entry = SplitListEntry(part);
  if (!entry) throw notOne();
  const HotMenuNode* node = nullptr;
  if (entry->code) {
    const int code = *entry->code;
    node = code > 0 && code <= 0xFFFF ? FindInTree(tree, uint16_t(code)) : nullptr;
    if (!node) throw noItem(std::to_string(code));
    if (!entry->name.empty() && entry->name != node->ident) throw notOne();
  } else {
    node = FindInTree(tree, entry->name);
    if (!node) throw noItem(entry->name);
  }
  // A caption after the item is only read back, but it must be the item's.
  if (entry->caption && !captionOf(*node, *entry->caption)) throw notOne();
  return *node;
}

bool ParseHotMenu(EditorContext& ctx, const SettingDef& d, const std::string& raw) {
  const int menu = d.index;
  const std::string text = TrimBlanks(raw);
  const auto tree = HotMenuInsertTree(menu, ctx.catalog.MenuItems(), ctx.Flags());
  std::vector<uint16_t> codes;
  if (!text.empty() && text != "-") {
    for (const std::string& part : SplitListEntries(text)) {
      if (part.empty())
        throw TripError("'" + raw + "' " +
                        TextPair{"содержит пустой элемент; перечислите пункты меню через запятую",
                                 "has an empty entry; give menu items separated by commas"}());
      codes.push_back(ParseHotMenuEntry(ctx, menu, tree, part).code);
    }
  }
  // The device holds ten rows; storing the first ten would lose the rest
  // without the user choosing which.
  if (codes.size() > size_t(kHotMenuRows))
    throw TripError(TextPair{"в горячем меню не больше десяти пунктов, а указано ",
                             "a hot menu holds at most ten items, not "}() +
                    std::to_string(codes.size()) +
                    TextPair{"; уберите лишние", "; leave some out"}());
  HotMenu entries{};
  std::copy(codes.begin(), codes.end(), entries.begin());
  // The same list with a gap elsewhere shows the same: nothing to store.
  if (entries == PackHotMenu(ReadHotMenu(ctx.mk, menu))) return false;
  WriteHotMenu(ctx.mk, menu, entries);
  return true;
}

}  // namespace

TextPair HotMenuCaption(int menu) {
  return kCaptions[menu];
}
const char* HotMenuSettingName(int menu) {
  return kNames[menu];
}

HotMenu ReadHotMenu(const TMK& mk, int menu) {
  HotMenu e{};
  const FieldArray f = layout::kHotMenus.Row(menu);
  for (int k = 0; k < kHotMenuRows; ++k) e[size_t(k)] = uint16_t(mk.GetInt(f[k]));
  return e;
}

namespace {
void WriteHotMenuRow(TMK& mk, int menu, const HotMenu& entries) {
  const FieldArray f = layout::kHotMenus.Row(menu);
  for (int k = 0; k < kHotMenuRows; ++k) mk.SetInt(f[k], entries[size_t(k)]);
}
}  // namespace

void WriteHotMenu(TMK& mk, int menu, const HotMenu& entries) {
  WriteHotMenuRow(mk, menu, entries);
  // The page packs all four menus after every change, so a gap a menu was
  // stored with (a device default leaves one) goes with any edit.
  for (int m = 0; m < kHotMenuCount; ++m)
    if (m != menu) WriteHotMenuRow(mk, m, PackHotMenu(ReadHotMenu(mk, m)));
}

HotMenu PackHotMenu(const HotMenu& entries) {
  HotMenu packed{};
  size_t n = 0;
  for (uint16_t c : entries)
    if (c) packed[n++] = c;
  return packed;
}

uint16_t InsertHotMenuEntry(HotMenu& e, int row, uint16_t code) {
  if (row < 0 || row >= kHotMenuRows) throw RangeError();
  const uint16_t dropped = e.back();
  std::copy_backward(e.begin() + row, e.end() - 1, e.end());
  e[size_t(row)] = code;
  return dropped;
}

void DeleteHotMenuEntry(HotMenu& e, int row) {
  if (row < 0 || row >= kHotMenuRows) throw RangeError();
  e[size_t(row)] = 0;
  e = PackHotMenu(e);
}

void ClearHotMenu(HotMenu& e) {
  e.fill(0);
}

void MoveHotMenuEntry(HotMenu& e, int from, int to) {
  if (from < 0 || from >= kHotMenuRows || to < 0 || to >= kHotMenuRows) throw RangeError();
  if (from < to)
    std::rotate(e.begin() + from, e.begin() + from + 1, e.begin() + to + 1);
  else if (from > to)
    std::rotate(e.begin() + to, e.begin() + from, e.begin() + from + 1);
}

std::vector<HotMenuNode> HotMenuInsertTree(int menu, const TMenuItemCatalog& items,
                                           const VariantFlags& flags) {
  const TreeBuilder t(items, flags);
  std::vector<HotMenuNode> root;
  switch (menu) {
    case 0:
      ParamsTree(t, root);
      break;
    case 1:
      AverTree(t, root);
      break;
    case 2:
      TaxTree(t, root);
      break;
    case 3:
      ParkTree(t, root);
      break;
    default:
      break;
  }
  return root;
}

const HotMenuNode* FindInTree(const std::vector<HotMenuNode>& tree, uint16_t code) {
  return FindNode(tree, [&](const HotMenuNode& n) { return n.code == code; });
}
const HotMenuNode* FindInTree(const std::vector<HotMenuNode>& tree, const std::string& ident) {
  return FindNode(tree, [&](const HotMenuNode& n) { return n.ident == ident; });
}

std::string HotMenuEntryCaption(const TMenuItemCatalog& items, uint16_t code, bool english) {
  if (!code) return "";
  if (const TMKMenuItem* i = items.FindMenuItemByCode(code)) return i->Caption(english);
  return "? " + std::to_string(code);
}

std::string HotMenuDroppedNote(const TMenuItemCatalog& items, int menu, uint16_t dropped,
                               bool english) {
  const std::string item = HotMenuEntryCaption(items, dropped, english);
  const std::string caption = HotMenuCaption(menu).Get(english);
  if (english)
    return "The hot menu \"" + caption + "\" was full: \"" + item +
           "\" was pushed out of its last row.";
  return "Горячее меню «" + caption + "» было заполнено: пункт «" + item +
         "» вытеснен из последней строки.";
}

std::string InsertIntoHotMenu(EditorContext& ctx, int menu, int row, uint16_t code, bool english) {
  HotMenu e = PackHotMenu(ReadHotMenu(ctx.mk, menu));
  const uint16_t dropped = InsertHotMenuEntry(e, row, code);
  WriteHotMenu(ctx.mk, menu, PackHotMenu(e));
  return dropped ? HotMenuDroppedNote(ctx.catalog.MenuItems(), menu, dropped, english) : "";
}

namespace {

std::vector<RowChoice> Choices(const std::vector<HotMenuNode>& nodes) {
  std::vector<RowChoice> out;
  for (const HotMenuNode& n : nodes)
    out.push_back(
        {.ru = n.ru, .en = n.en, .id = n.code, .name = n.ident, .choices = Choices(n.children)});
  return out;
}

}  // namespace

std::vector<RowColumn> THotMenuRows::Columns() const {
  return {{.width = 28, .handle = true, .centred = true}, {}};
}

std::string THotMenuRows::Cell(int row, int column, bool english) const {
  if (column == 0) return std::to_string(row + 1);
  // Shown packed; a gap left in the stored list is closed by the next edit
  // of the menu, so that merely showing it rewrites nothing.
  const HotMenu packed = PackHotMenu(ReadHotMenu(ctx_.mk, menu_));
  return HotMenuEntryCaption(ctx_.catalog.MenuItems(), packed[size_t(row)], english);
}

RowEdit THotMenuRows::MoveRow(int from, int to) {
  HotMenu e = PackHotMenu(ReadHotMenu(ctx_.mk, menu_));
  MoveHotMenuEntry(e, from, to);
  const HotMenu before = ReadHotMenu(ctx_.mk, menu_);
  WriteHotMenu(ctx_.mk, menu_, PackHotMenu(e));
  return {ReadHotMenu(ctx_.mk, menu_) != before, ""};
}

std::vector<RowChoice> THotMenuRows::RowMenu(int) const {
  static const char* const kInsertPopup = "pmHotMenuInsert";
  const auto tree = HotMenuInsertTree(menu_, ctx_.catalog.MenuItems(), ctx_.Flags());
  return {{.ru = "Вставить пункт",
           .en = "Insert item",
           .choices = Choices(tree),
           .popupName = kInsertPopup},
          {.ru = "Удалить пункт", .en = "Delete item", .id = kDelete},
          {.ru = "Очистить список", .en = "Clear all", .id = kClear}};
}

RowEdit THotMenuRows::RunChoice(int row, int id, bool english) {
  const HotMenu before = ReadHotMenu(ctx_.mk, menu_);
  std::string note;
  if (id > 0) {
    note = InsertIntoHotMenu(ctx_, menu_, row, uint16_t(id), english);
  } else {
    HotMenu e = PackHotMenu(before);
    if (id == kDelete)
      DeleteHotMenuEntry(e, row);
    else if (id == kClear)
      ClearHotMenu(e);
    WriteHotMenu(ctx_.mk, menu_, PackHotMenu(e));
  }
  return {ReadHotMenu(ctx_.mk, menu_) != before, note};
}

void UpdateVariantControlsHotMenu(const EditorContext&, Visibility&) {
  // The four menus are always shown; a menu whose items the variant lacks
  // simply offers nothing to insert.
}

namespace {
// Every entry as stored, empty ones included: a gap is a difference.
SettingValue HotMenuValue(const EditorContext& ctx, const SettingDef& def) {
  SettingValue v;
  for (uint16_t code : ReadHotMenu(ctx.mk, def.index)) v.numbers.push_back(code);
  return v;
}
}  // namespace

void AddHotMenuSettings(std::vector<SettingDef>& s) {
  for (int m = 0; m < kHotMenuCount; ++m)
    s.push_back({.name = kNames[m],
                 .kind = ControlKind::CodeList,
                 .label = kCaptions[m],
                 .field = layout::kHotMenus(m, 0),
                 .index = m,
                 .format = FormatHotMenu,
                 .parse = ParseHotMenu,
                 .value = HotMenuValue,
                 .covers = {layout::kHotMenus.Row(m)}});
}

constinit const EditorPage kHotMenuPage{
    .name = "tsHotMenu",
    .caption = {"Горячие меню", "Hot menu"},
    .addSettings = AddHotMenuSettings,
    .updateVariantControls = UpdateVariantControlsHotMenu,
};

}  // namespace tc
