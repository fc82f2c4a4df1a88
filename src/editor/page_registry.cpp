// The one table that joins each page of the editor's page tree to the
// function that lays out its controls.
#include "editor/editor_page_builders.h"

namespace tc {

namespace {

constexpr struct {
  const char* page;
  PageBuilder build;
} kBuilders[] = {
    {"tsCorr", BuildCorrPage},     {"tsMeth", BuildMethPage},       {"tsLim", BuildLimitsPage},
    {"tsVoice", BuildVoicePage},   {"tsAver", BuildAverPage},       {"tsPark", BuildParkPage},
    {"tsDivers", BuildDiversPage}, {"tsHotMenu", BuildHotMenuPage}, {"tsBlocks", BuildBlocksPage},
};

}  // namespace

PageBuilder FindPageBuilder(std::string_view pageName) {
  for (const auto& b : kBuilders)
    if (pageName == b.page) return b.build;
  return nullptr;
}

}  // namespace tc
