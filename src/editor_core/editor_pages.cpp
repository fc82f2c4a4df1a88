#include "editor_core/editor_pages.h"

#include "catalog/variant_flags.h"
#include "editor_core/page_corr_sources.h"

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

// The display page's own page control: colour schemes, display layouts, hot
// menus, the info panel and the remaining display options.
std::vector<EditorPage> DisplayPages() {
  return {
      Page("tsColors", {"Цветовые схемы", "Color schemes"},
           {Page("tsColorDigital", {"Цифровые дисплеи", "Digital displays"},
                 {Page("tsColorX1X7", {"x1,  x7", "x1,  x7"}),
                  Page("tsColorX4X9", {"x4, x9", "x4, x9"}),
                  Page("tsColorX6X3", {"x6, x3", "x6, x3"})}),
            Page("tsColorMenu", {"Меню", "Menu"}), Page("tsColorGraph", {"Графики", "Graphics"}),
            Page("tsColorArrow", {"Стрелочный дисплей", "Arrow display"})}),
      ShownIf(Page("tsDisplays1", {"Дисплеи х1", "Displays x 1"}),
              [](const VariantFlags& f) { return f.VariantDisplays1; }),
      Page("tsDisplays4", {"Дисплеи х4", "Displays x 4"},
           {Page("tsDisplays4a", {"Дисплеи 1 .. 3", "Displays 1 .. 3"}),
            Page("tsDisplays4b", {"Дисплеи 4 .. 6", "Displays 4 .. 6"})}),
      Page("tsDisplays9", {"Дисплеи х9", "Displays x 9"}),
      Page("tsDisplays7", {"Дисплеи х7", "Displays x 7"},
           {Page("tsDisplays7a", {"Дисплеи 1, 2", "Displays 1, 2"}),
            Page("tsDisplays7b", {"Дисплеи 3, 4", "Displays 3, 4"})}),
      ShownIf(Page("tsDisplays3", {"Дисплеи х3", "Displays x 3"}),
              [](const VariantFlags& f) { return f.VariantDisplays3; }),
      Page("tsGraphDisplays", {"Граф. дисплеи", "Graph.Displays"}),
      Page("tsArrowDisplays", {"Стрел. дисплеи", "Arrow Dispalys"},
           {Page("tsArrowDisplays1", {"Дисплеи 1 .. 3", "Displays 1 .. 3"}),
            Page("tsArrowDisplays2", {"Дисплеи 4 .. 6", "Displays 4 .. 6"}),
            Page("tsArrowDisplays3", {"Дисплеи 7, 8", "Displays 7, 8"})}),
      Page("tsDisplays6", {"Дисплей х6", "Displays x "}),
      Page("tsHotMenu", {"Горячие меню", "Hot menu"}),
      ShownIf(Page("tsInfoPanel", {"Доп.панель", "Info.panel"}),
              [](const VariantFlags& f) { return f.VariantInfoPanel; }),
      Page("tsDivers", {"Разное", "Divers"}),
  };
}

std::vector<EditorPage> MainPages() {
  return {
      WithSettings(Page("tsCorr", {"Поправки", "Correction"}), AddCorrSettings,
                   UpdateVariantControlsCorr),
      WithSettings(Page("tsMeth", {"Источники", "Resources"}), AddMethSettings,
                   UpdateVariantControlsMeth),
      Page("tsLim", {"Границы", "Limits"}),
      Page("tsDisp", {"Дисплей", "Display"}, DisplayPages()),
      Page("tsVoice", {"Озвуч.сообщения", "Sounds"}),
      Page("tsAver", {"Средние", "Average"}),
      ShownIf(Page("tsPark", {"Парковка", "Parctronic"}),
              [](const VariantFlags& f) { return !f.VariantNoParktronic; }),
      Page("tsOil", {"Бак", "Fuel"}),
      Page("tsTO", {"ТО", "TS"}),
      ShownIf(Page("tsBlocks", {"Допсистемы", "Add.systems"}),
              [](const VariantFlags& f) { return f.VariantAddSystems; }),
      ShownIf(Page("tsUniMeas", {"Унив.вход/Трим", "Uni.input/Trim"}),
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
