// SPDX-License-Identifier: GPL-3.0-or-later
// Finding settings by caption, name and item text, over every sample.
#include "editor_core/setting_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_document.h"

using namespace tc;

namespace {
std::unique_ptr<SettingsDocument> OpenSample(const std::string& sample) {
  const SampleSetup setup = SampleSetupByName(sample);
  return OpenSettingsDocument(BuildSampleImage(setup), setup.deviceVersion);
}
struct Doc {
  explicit Doc(const std::string& sample) : doc(OpenSample(sample)) {}
  std::vector<std::string> Find(std::string_view query) {
    std::vector<std::string> names;
    for (const SearchHit& h : SearchSettings(ctx, shown, query)) names.push_back(h.def->name);
    return names;
  }
  bool Has(std::string_view query, const std::string& name) {
    const auto n = Find(query);
    return std::find(n.begin(), n.end(), name) != n.end();
  }
  std::unique_ptr<SettingsDocument> doc;
  EditorContext ctx{doc->Model(), doc->Variant()};
  Visibility shown = ControlVisibility(ctx);
};
}  // namespace

TEST(SettingSearch, FoldsCaseAndYoInBothAlphabets) {
  EXPECT_EQ(FoldForSearch("ЁЛКА Ёлка ёлка"), FoldForSearch("елка елка елка"));
  EXPECT_EQ(FoldForSearch("VelocityLIMIT"), FoldForSearch("velocitylimit"));
  // Bytes that are no UTF-8 stay as they are rather than stopping the search.
  EXPECT_EQ(FoldForSearch("\xff\xd0"), (std::u32string{0xff, 0xd0}));
}

// Over every sample: a setting's own name finds it first exactly when the
// editor shows it, so hidden settings are never found.
TEST(SettingSearch, EveryShownSettingIsFoundFirstByItsNameAndNoHiddenOne) {
  int hidden = 0;
  for (const SampleImage& s : SampleImages()) {
    Doc d(s.name);
    const Visibility v = ControlVisibility(d.ctx);
    for (const SettingDef& def : SettingsSchema()) {
      const auto found = d.Find(def.name);
      if (v.Visible(def.name)) {
        ASSERT_FALSE(found.empty()) << s.name << " " << def.name;
        EXPECT_EQ(found.front(), def.name) << s.name;
      } else {
        ++hidden;
        EXPECT_EQ(std::find(found.begin(), found.end(), def.name), found.end())
            << s.name << ": hidden " << def.name << " was found";
      }
      // Lower case finds the same.
      if (v.Visible(def.name)) {
        std::string lower = def.name;
        for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
        const auto again = d.Find(lower);
        ASSERT_FALSE(again.empty());
        EXPECT_EQ(again.front(), def.name);
      }
    }
  }
  EXPECT_GT(hidden, 0) << "no sample hides a setting: the check above checked nothing";
}

TEST(SettingSearch, CaptionsInEitherLanguageNamePartsAndItems) {
  Doc d("v8003-32k");
  // Russian caption in capitals, English caption, a part of the name.
  EXPECT_TRUE(d.Has("ГРОМКОСТЬ", "seSoundVolume"));
  EXPECT_TRUE(d.Has("sound volume", "seSoundVolume"));
  EXPECT_TRUE(d.Has("VelocityLim", "seVelocityLimit"));
  // Words of one query may come from both languages and the name.
  EXPECT_TRUE(d.Has("скорость speed limit", "seVelocityLimit"));
  // An item's text finds the setting that offers it.
  EXPECT_TRUE(d.Has("Straight", "rgGabarInvPol"));
  EXPECT_TRUE(d.Has("ИНВЕРСНАЯ", "rgGabarInvPol"));
  // Every word must be met somewhere.
  EXPECT_FALSE(d.Has("громкость zebra", "seSoundVolume"));
  EXPECT_TRUE(d.Find("").empty());
  EXPECT_TRUE(d.Find("  ,, ").empty());
  EXPECT_TRUE(d.Find("qqqxqqq").empty());
}

TEST(SettingSearch, WholeWordsRankBeforeStartsAndStartsBeforeParts) {
  Doc d("v8003-32k");
  const Visibility v = ControlVisibility(d.ctx);
  // "limit": a whole word of seVelocityLimit's name; "limi" only starts it.
  const auto whole = SearchSettings(d.ctx, v, "limit");
  const auto start = SearchSettings(d.ctx, v, "limi");
  const auto rankOf = [](const std::vector<SearchHit>& hits, const char* name) {
    for (const SearchHit& h : hits)
      if (std::string(h.def->name) == name) return h.rank;
    return -1;
  };
  ASSERT_GE(rankOf(whole, "seVelocityLimit"), 0);
  ASSERT_GE(rankOf(start, "seVelocityLimit"), 0);
  EXPECT_LT(rankOf(whole, "seVelocityLimit"), rankOf(start, "seVelocityLimit"));
  // Results come best first.
  EXPECT_TRUE(std::is_sorted(whole.begin(), whole.end(),
                             [](const auto& a, const auto& b) { return a.rank < b.rank; }));
  // "olume" lies inside "volume": found, but after a whole-word match would be.
  const auto inside = SearchSettings(d.ctx, v, "olume");
  ASSERT_GE(rankOf(inside, "seSoundVolume"), 0);
  EXPECT_GT(rankOf(inside, "seSoundVolume"),
            rankOf(SearchSettings(d.ctx, v, "volume"), "seSoundVolume"));
}

TEST(SettingSearch, ResultTextNamesEveryPageAboveTheSettingAndItsValue) {
  Doc d("v8003-32k");
  const SettingDef& speed = *FindSetting("seVelocityLimit");
  const std::string t = SearchResultText(d.ctx, speed, true);
  EXPECT_NE(t.find(" › Speed, km/h ("), std::string::npos) << t;
  EXPECT_EQ(t.back(), ')');
  // A setting on a sub-page carries the captions of both pages.
  for (const SettingDef& def : SettingsSchema()) {
    const std::string r = SearchResultText(d.ctx, def, false);
    EXPECT_NE(r.find(" › "), std::string::npos) << def.name;
    // Long values are cut, never the page path or the caption.
    EXPECT_LE(r.size(), 400u) << def.name;
  }
}
