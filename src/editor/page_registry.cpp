// The one table that joins each page of the editor's page tree to the
// function that lays out its controls.
#include "editor/editor_page_builders.h"

namespace tc {

namespace {

constexpr struct {
  const char* page;
  PageBuilder build;
} kBuilders[] = {
    {"tsCorr", BuildCorrPage},
    {"tsMeth", BuildMethPage},
    {"tsLim", BuildLimitsPage},
    {"tsVoice", BuildVoicePage},
    {"tsAver", BuildAverPage},
    {"tsPark", BuildParkPage},
    {"tsDivers", BuildDiversPage},
    {"tsColors", BuildColorsPage},
    {"tsDisplays1", BuildDisplays1Page},
    {"tsDisplays4a", BuildDisplays4aPage},
    {"tsDisplays4b", BuildDisplays4bPage},
    {"tsDisplays9", BuildDisplays9Page},
    {"tsDisplays7a", BuildDisplays7aPage},
    {"tsDisplays7b", BuildDisplays7bPage},
    {"tsDisplays3", BuildDisplays3Page},
    {"tsGraphDisplays1", BuildGraphDisplays1Page},
    {"tsGraphDisplays2", BuildGraphDisplays2Page},
    {"tsGraphDisplays3", BuildGraphDisplays3Page},
    {"tsArrowDisplays1", BuildArrowDisplays1Page},
    {"tsArrowDisplays2", BuildArrowDisplays2Page},
    {"tsArrowDisplays3", BuildArrowDisplays3Page},
    {"tsDisplays6", BuildDisplays6Page},
    {"tsInfoPanel", BuildInfoPanelPage},
    {"tsOil", BuildTankPage},
    {"tsTO", BuildServicePage},
    {"tsUniMeas", BuildUniMeasPage},
    {"tsHotMenu", BuildHotMenuPage},
    {"tsBlocks", BuildBlocksPage},
};

}  // namespace

PageBuilder FindPageBuilder(std::string_view pageName) {
  for (const auto& b : kBuilders)
    if (pageName == b.page) return b.build;
  return nullptr;
}

}  // namespace tc
