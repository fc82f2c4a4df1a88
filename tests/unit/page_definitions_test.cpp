// SPDX-License-Identifier: GPL-3.0-or-later
// The page definitions and the one visibility rule built on them: the tree
// is well formed, the layouts name pages of the tree, and a setting on a page
// the editor does not show is hidden, for every sample under every variant
// of the variant table.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "catalog/catalog_tables.h"
#include "catalog/variants.h"
#include "cli_runner.h"
#include "editor_core/editor_pages.h"
#include "editor_core/page_layouts.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/text_pair.h"

using namespace tc;

namespace {

void Walk(PageList pages, const EditorPage* parent, std::vector<const EditorPage*>& all,
          std::map<std::string, const EditorPage*>& parentOf) {
  for (const EditorPage& p : pages) {
    all.push_back(&p);
    parentOf[p.name] = parent;
    Walk(p.pages, &p, all, parentOf);
  }
}

// A sample's blocks seen through a variant chosen from the table.
struct AsVariant {
  AsVariant(const SampleImage& sample, const VariantRow& row) : ctx{mk, catalog} {
    mk.ReplaceImage(BuildSampleImage(sample.setup), sample.setup.deviceVersion);
    mk.DecodeSettingsBlocks();
    const uint8_t subtype = row.subtype == kAnySubtype ? 0 : uint8_t(row.subtype);
    try {
      catalog.SelectVariant(row.deviceType, 0, subtype);
    } catch (const ListIndexError&) {
      // A variant without protocols: the flags are selected all the same.
    }
  }
  TMK mk;
  TVariantCatalog catalog;
  EditorContext ctx;
};

// Whether the page and every page above it are shown, walking the tree
// from the top rather than asking the editor's own functions.
bool ShownFromTheTop(const std::string& page, const VariantFlags& flags,
                     const std::map<std::string, const EditorPage*>& parentOf) {
  const EditorPage* p = FindEditorPage(page);
  for (; p; p = parentOf.at(p->name))
    if (p->shown && !p->shown(flags)) return false;
  return true;
}

}  // namespace

TEST(PageDefinitions, TreeIsWellFormedAndEveryLayoutNamesOneOfItsPages) {
  std::vector<const EditorPage*> all;
  std::map<std::string, const EditorPage*> parentOf;
  Walk(EditorPages(), nullptr, all, parentOf);
  EXPECT_EQ(parentOf.size(), all.size()) << "a page name is used twice";
  for (const EditorPage* p : all) {
    EXPECT_EQ(std::string(p->name).rfind("ts", 0), 0u) << p->name;
    EXPECT_NE(std::string(p->caption.ru), "") << p->name;
    EXPECT_NE(std::string(p->caption.en), "") << p->name;
    EXPECT_EQ(FindEditorPage(p->name), p);
    EXPECT_EQ(ParentPage(*p), parentOf[p->name]) << p->name;
  }
  EXPECT_EQ(FindEditorPage("tsNoSuchPage"), nullptr);
  EXPECT_FALSE(PageOnShow("tsNoSuchPage", VariantFlags{}));

  // Every setting belongs to a page of the tree.
  for (const auto& d : SettingsSchema()) EXPECT_NE(FindEditorPage(d.page), nullptr) << d.name;
  // The layouts are shown on pages of the tree and take their caption from
  // there: the x6 page's English caption is the tab's, "Displays x ".
  for (const CellLayout& l : CellLayouts()) {
    ASSERT_NE(l.page, nullptr) << l.key;
    EXPECT_EQ(FindEditorPage(l.page->name), l.page) << l.key;
  }
  EXPECT_STREQ(LayoutOf(PreviewScreen::X6).page->caption.en, "Displays x ");
  EXPECT_STREQ(FindSetting("x6.2.6")->label.en, "Displays x  2, cell 6");
  EXPECT_STREQ(FindSetting("x6.2.6")->label.ru, "Дисплей х6 2, ячейка 6");
}

TEST(PageDefinitions, NoSettingOfAHiddenPageIsVisibleForAnySampleOrVariant) {
  std::vector<const EditorPage*> all;
  std::map<std::string, const EditorPage*> parentOf;
  Walk(EditorPages(), nullptr, all, parentOf);
  int hiddenSeen = 0, shownSeen = 0;
  for (const SampleImage& sample : SampleImages()) {
    for (const VariantRow& row : VariantRows()) {
      AsVariant v(sample, row);
      SCOPED_TRACE(sample.name + " as " + std::to_string(row.deviceType) + "/" +
                   std::to_string(row.subtype));
      const VariantFlags& flags = v.ctx.Flags();
      const Visibility visible = ControlVisibility(v.ctx);
      for (const auto& d : SettingsSchema()) {
        const bool pageShown = ShownFromTheTop(d.page, flags, parentOf);
        EXPECT_EQ(PageOnShow(d.page, flags), pageShown) << d.page;
        if (pageShown) {
          ++shownSeen;
          continue;
        }
        ++hiddenSeen;
        EXPECT_FALSE(visible.Visible(d.name)) << d.name << " on hidden page " << d.page;
      }
    }
  }
  // Both kinds of page occur, so neither half of the check is empty.
  EXPECT_GT(hiddenSeen, 0);
  EXPECT_GT(shownSeen, 0);
}

TEST(PageDefinitions, HiddenPagesOfTheSamplesHideTheirSettings) {
  const auto hidden = [](const char* sample, const char* page) {
    const SampleSetup setup = SampleSetupByName(sample);
    TMK mk;
    mk.ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
    mk.DecodeSettingsBlocks();
    TVariantCatalog catalog;
    // The sample's own variant, as opening the file selects it.
    catalog.SelectVariant(mk.DeviceVersion, uint8_t(mk.GetInt(layout::kProtocolNumber)),
                          uint8_t(mk.LayoutVersion()));
    EditorContext ctx{mk, catalog};
    const Visibility v = ControlVisibility(ctx);
    int count = 0;
    for (const SettingDef* d : SettingsOfPage(page)) count += v.Visible(d->name) ? 0 : 1;
    return count;
  };
  // No parking sensors on this variant: all 19 parking settings are hidden.
  ASSERT_EQ(SettingsOfPage("tsPark").size(), 19u);
  EXPECT_EQ(hidden("ve01-32k", "tsPark"), 19);
  EXPECT_EQ(hidden("v104-8k", "tsPark"), 0);
  // The universal input page is shown only with the air/water temperature
  // input or the trim; its calibration goes with it.
  const size_t uniMeas = SettingsOfPage("tsUniMeas").size();
  for (const char* sample : {"v104-8k", "v8002-8k", "v8003-32k"})
    EXPECT_EQ(hidden(sample, "tsUniMeas"), int(uniMeas)) << sample;
  EXPECT_LT(hidden("ve01-32k", "tsUniMeas"), int(uniMeas));
}

namespace {
class PageVisibilityCli : public tc::testing::TempDirTest {};
}  // namespace

TEST_F(PageVisibilityCli, SettingsAndSetNotesCallSettingsOfHiddenPagesHidden) {
  const std::string file = P("ve01.dvkps");
  ASSERT_EQ(tc::testing::RunCli("sample ve01-32k --out " + file).status, 0);
  const auto r = tc::testing::RunCli("settings " + file + " --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  // The page is listed under its tab's caption, every line of it hidden.
  const size_t park = r.out.find("# tsPark: Parctronic\n");
  ASSERT_NE(park, std::string::npos);
  const size_t end = r.out.find("# ", park + 1);
  int lines = 0, hiddenLines = 0;
  for (size_t at = r.out.find('\n', park) + 1; at < end; at = r.out.find('\n', at) + 1) {
    ++lines;
    hiddenLines += r.out.compare(r.out.find('\n', at) - 9, 9, "\t(hidden)") == 0 ? 1 : 0;
  }
  EXPECT_EQ(lines, 19);
  EXPECT_EQ(hiddenLines, 19);
  EXPECT_NE(r.out.find("# tsDisplays6: Displays x \n"), std::string::npos);

  const auto set = tc::testing::RunCli("set " + file + " seParkSense0=3 --lang en");
  ASSERT_EQ(set.status, 0) << set.out;
  EXPECT_NE(set.out.find("note: the editor does not show seParkSense0"), std::string::npos)
      << set.out;
}
