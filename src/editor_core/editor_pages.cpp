#include "editor_core/editor_pages.h"

#include "catalog/variant_flags.h"
#include "editor_core/pages.h"

namespace tc {

namespace {

EditorPage Page(const char* name, TextPair caption, std::vector<EditorPage> pages = {}) {
  return {.name = name, .caption = caption, .pages = std::move(pages)};
}
EditorPage ShownIf(EditorPage p, bool (*shown)(const VariantFlags&)) {
  p.shown = shown;
  return p;
}
EditorPage WithSettings(EditorPage p, void (*add)(std::vector<SettingDef>&),
                        void (*update)(const EditorContext&, Visibility&)) {
  p.addSettings = add;
  p.updateVariantControls = update;
  return p;
}

// A display layout page: its cell settings, and the rule that hides the
// cells of layouts the variant does not show.
EditorPage Layout(EditorPage p, void (*add)(std::vector<SettingDef>&)) {
  return WithSettings(std::move(p), add, UpdateVariantControlsLayouts);
}

// The pages that split the previews of one layout. Their captions, like the
// x7 layout's, have no English wording and read the same in both languages.
const TextPair kDisplays1To3{"Дисплеи 1 .. 3", "Дисплеи 1 .. 3"};
const TextPair kDisplays4To6{"Дисплеи 4 .. 6", "Дисплеи 4 .. 6"};
const TextPair kDisplays7To8{"Дисплеи 7, 8", "Дисплеи 7, 8"};

// The display page's own page control: colour schemes, display layouts, hot
// menus, the info panel and the remaining display options.
std::vector<EditorPage> DisplayPages() {
  return {
      WithSettings(Page("tsColors", {"Цветовые схемы", "Color schemes"},
                        {Page("tsColorDigital", {"Цифровые дисплеи", "Digital displays"},
                              {Page("tsColorX1X7", {"x1,  x7", "x1,  x7"}),
                               Page("tsColorX4X9", {"x4, x9", "x4, x9"}),
                               Page("tsColorX6X3", {"x6, x3", "x6, x3"})}),
                         Page("tsColorMenu", {"Меню", "Menu"}),
                         Page("tsColorGraph", {"Графики", "Graphics"}),
                         Page("tsColorArrow", {"Стрелочный дисплей", "Arrow display"})}),
                   AddColorsSettings, nullptr),
      ShownIf(Layout(Page("tsDisplays1", {"Дисплеи х1", "Displays x 1"}), AddDisplays1Settings),
              [](const VariantFlags& f) { return f.VariantDisplays1; }),
      Layout(Page("tsDisplays4", {"Дисплеи х4", "Displays x 4"},
                  {Page("tsDisplays4a", kDisplays1To3), Page("tsDisplays4b", kDisplays4To6)}),
             AddDisplays4Settings),
      Layout(Page("tsDisplays9", {"Дисплеи х9", "Displays x 9"}), AddDisplays9Settings),
      Layout(Page("tsDisplays7", {"Дисплеи х7", "Дисплеи х7"},
                  {Page("tsDisplays7a", {"Дисплеи 1, 2", "Дисплеи 1, 2"}),
                   Page("tsDisplays7b", {"Дисплеи 3, 4", "Дисплеи 3, 4"})}),
             AddDisplays7Settings),
      ShownIf(Layout(Page("tsDisplays3", {"Дисплеи х3", "Displays x 3"}), AddDisplays3Settings),
              [](const VariantFlags& f) { return f.VariantDisplays3; }),
      Layout(Page("tsGraphDisplays", {"Граф. дисплеи", "Graph.Displays"},
                  {Page("tsGraphDisplays1", kDisplays1To3), Page("tsGraphDisplays2", kDisplays4To6),
                   Page("tsGraphDisplays3", kDisplays7To8)}),
             AddGraphDisplaysSettings),
      Layout(Page("tsArrowDisplays", {"Стрел. дисплеи", "Arrow Dispalys"},
                  {Page("tsArrowDisplays1", kDisplays1To3), Page("tsArrowDisplays2", kDisplays4To6),
                   Page("tsArrowDisplays3", kDisplays7To8)}),
             AddArrowDisplaysSettings),
      Layout(Page("tsDisplays6", {"Дисплей х6", "Displays x "}), AddDisplays6Settings),
      WithSettings(Page("tsHotMenu", {"Горячие меню", "Hot menu"}), AddHotMenuSettings,
                   UpdateVariantControlsHotMenu),
      ShownIf(Layout(Page("tsInfoPanel", {"Доп.панель", "Info.panel"}), AddInfoPanelSettings),
              [](const VariantFlags& f) { return f.VariantInfoPanel; }),
      WithSettings(Page("tsDivers", {"Разное", "Divers"}), AddDiversSettings,
                   UpdateVariantControlsDivers),
  };
}

std::vector<EditorPage> MainPages() {
  return {
      WithSettings(Page("tsCorr", {"Поправки", "Correction"}), AddCorrSettings,
                   UpdateVariantControlsCorr),
      WithSettings(Page("tsMeth", {"Источники", "Resources"}), AddMethSettings,
                   UpdateVariantControlsMeth),
      WithSettings(Page("tsLim", {"Границы", "Limits"}), AddLimitsSettings,
                   UpdateVariantControlsLimits),
      Page("tsDisp", {"Дисплей", "Display"}, DisplayPages()),
      WithSettings(Page("tsVoice", {"Озвуч.сообщения", "Sounds"}), AddVoiceSettings,
                   UpdateVariantControlsVoice),
      WithSettings(Page("tsAver", {"Средние", "Average"}), AddAverSettings,
                   UpdateVariantControlsAver),
      ShownIf(WithSettings(Page("tsPark", {"Парковка", "Parctronic"}), AddParkSettings,
                           UpdateVariantControlsPark),
              [](const VariantFlags& f) { return !f.VariantNoParktronic; }),
      WithSettings(Page("tsOil", {"Бак", "Fuel"}), AddTankSettings, UpdateVariantControlsTank),
      WithSettings(Page("tsTO", {"ТО", "TS"}), AddServiceSettings, UpdateVariantControlsService),
      ShownIf(WithSettings(Page("tsBlocks", {"Допсистемы", "Add.systems"}), AddBlocksSettings,
                           UpdateVariantControlsBlocks),
              [](const VariantFlags& f) { return f.VariantAddSystems; }),
      ShownIf(WithSettings(Page("tsUniMeas", {"Унив.вход/Трим", "Uni.input/Trim"}),
                           AddUniMeasSettings, UpdateVariantControlsUniMeas),
              [](const VariantFlags& f) { return f.VariantAirWaterTemp || f.VariantTrim; }),
      // Service information is kept for the developers and never shown.
      ShownIf(Page("tsServiceInfo", {"Служ.информ.", "ServiceInfo"}),
              [](const VariantFlags&) { return false; }),
  };
}

const EditorPage* FindIn(const std::vector<EditorPage>& pages, std::string_view name) {
  for (const auto& p : pages) {
    if (name == p.name) return &p;
    if (const EditorPage* c = FindIn(p.pages, name)) return c;
  }
  return nullptr;
}

}  // namespace

const std::vector<EditorPage>& EditorPages() {
  static const std::vector<EditorPage> pages = MainPages();
  return pages;
}

bool PageShown(const EditorPage& page, const VariantFlags& flags) {
  return !page.shown || page.shown(flags);
}

const EditorPage* FindEditorPage(std::string_view name) {
  return FindIn(EditorPages(), name);
}

}  // namespace tc
