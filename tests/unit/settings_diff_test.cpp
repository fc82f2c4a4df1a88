// SPDX-License-Identifier: GPL-3.0-or-later
// Comparing two documents setting by setting: typed values, the extents
// the memory map gives each setting, and the bytes no setting covers.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "editor_core/edit_session.h"
#include "editor_core/page_hotmenu.h"
#include "editor_core/page_tank.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_report.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "schema_values.h"

namespace tc {
namespace {

constexpr const char* kSamples[] = {"v104-8k", "v8002-8k", "v8003-32k", "ve01-32k"};

std::unique_ptr<SettingsDocument> OpenSample(const char* name) {
  const SampleSetup setup = SampleSetupByName(name);
  return OpenSettingsDocument(BuildSampleImage(setup), setup.deviceVersion);
}

EditorContext Ctx(SettingsDocument& d) {
  return {d.Model(), d.Variant()};
}

std::set<std::string> Named(const SettingsComparison& c) {
  std::set<std::string> names;
  for (const auto& d : c.settings) names.insert(d.def->name);
  return names;
}

bool Overlap(const SettingDef& x, const SettingDef& y) {
  return ExtentsOverlap(SettingExtent(x), SettingExtent(y));
}

// For every setting the editor shows on every sample: a document changed in
// that setting alone, compared with the untouched one, names that setting
// with the old and new values it shows; any other setting it names shares
// a byte with it or shows another value through a page rule; no changed
// byte is left without a name (only the previous protocol number, which no
// control shows, moves with the protocol).
TEST(SettingsDiff, ChangingOneSettingNamesExactlyIt) {
  int checked = 0;
  for (const char* sample : kSamples) {
    auto before = OpenSample(sample);
    EditorContext cb = Ctx(*before);
    const Visibility visible = ControlVisibility(cb);
    for (const SettingDef& d : SettingsSchema()) {
      if (!visible.Visible(d.name)) continue;
      const std::string other = OtherValue(cb, d);
      if (other.empty()) continue;
      SCOPED_TRACE(std::string(sample) + " " + d.name + "=" + other);
      auto after = OpenSample(sample);
      TSettingsEditSession session(*after);
      EditorContext& ca = session.Context();
      const std::string oldText = FormatValue(cb, d, true);
      SetFromText(ca, d, other);
      const std::string newText = FormatValue(ca, d, true);
      if (ReadValue(ca, d) == ReadValue(cb, d)) continue;  // the value it held already
      const SettingsComparison c = CompareSettings(cb, ca, true);
      const auto it = std::find_if(c.settings.begin(), c.settings.end(),
                                   [&](const NamedDifference& n) { return n.def == &d; });
      ASSERT_NE(it, c.settings.end());
      if (oldText != newText) {
        EXPECT_EQ(it->a, oldText);
        EXPECT_EQ(it->b, newText);
      }
      for (const NamedDifference& n : c.settings) {
        if (n.def == &d || Overlap(d, *n.def)) continue;
        EXPECT_TRUE(n.note.empty()) << n.def->name << ": " << n.note;
        EXPECT_NE(ReadValue(cb, *n.def), ReadValue(ca, *n.def)) << n.def->name;
      }
      for (const ByteRange& r : c.bytes) {
        const bool previousProtocol = r.block == layout::kPreviousProtocol.block &&
                                      r.first >= layout::kPreviousProtocol.offset &&
                                      r.last < layout::kPreviousProtocol.offset + 2u;
        EXPECT_TRUE(previousProtocol)
            << "block " << r.block << " bytes " << r.first << ".." << r.last;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 1000);
}

TEST(SettingsDiff, TheSameSettingsCompareEqualAcrossDocuments) {
  for (const char* sample : kSamples) {
    auto a = OpenSample(sample);
    auto b = OpenSample(sample);
    const SettingsComparison c = CompareSettings(Ctx(*a), Ctx(*b), false);
    EXPECT_TRUE(c.settings.empty()) << sample << ": " << c.settings.front().def->name;
    EXPECT_TRUE(c.bytes.empty()) << sample;
  }
}

// The comparisons that used to come out wrong, each as a user meets it.
TEST(SettingsDiff, StructuredSettingsAreComparedByTheirValues) {
  auto a = OpenSample("v104-8k");
  EditorContext ca = Ctx(*a);
  const auto changed = [&](auto edit) {
    auto b = OpenSample("v104-8k");
    TSettingsEditSession s(*b);
    edit(s.Context());
    return CompareSettings(ca, s.Context(), true);
  };

  // One tare sensor value: the table is named, not a raw byte.
  auto c = changed([](EditorContext& ctx) {
    ctx.mk.SetInt(layout::kTareSensor[1], ctx.mk.GetInt(layout::kTareSensor[1]) + 1);
  });
  EXPECT_EQ(Named(c), std::set<std::string>{"sgTarir"});
  EXPECT_TRUE(c.bytes.empty());
  EXPECT_NE(c.settings[0].a, c.settings[0].b);
  EXPECT_TRUE(c.settings[0].note.empty());

  // Rows beyond the point count: the table shows the same, and says which
  // of its bytes differ instead of printing two equal numbers.
  c = changed([](EditorContext& ctx) {
    const int last = layout::kTarePointsMax - 1;
    ctx.mk.SetInt(layout::kTareSensor[last], 1234);
  });
  ASSERT_EQ(Named(c), std::set<std::string>{"sgTarir"});
  EXPECT_EQ(c.settings[0].a, c.settings[0].b);
  EXPECT_NE(c.settings[0].note.find("block 4 bytes 278..279"), std::string::npos)
      << c.settings[0].note;

  // A hot menu packed anew shows the same entries; the stored forms say
  // where the gap moved. (Setting the list it shows stores nothing, so the
  // packing is done as the page's store does it.)
  c = changed(
      [](EditorContext& ctx) { WriteHotMenu(ctx.mk, 0, PackHotMenu(ReadHotMenu(ctx.mk, 0))); });
  ASSERT_EQ(Named(c), std::set<std::string>{"sghmParams"});
  EXPECT_NE(c.settings[0].a.find("[2,3,31,15,6,8,0,28,0,0]"), std::string::npos) << c.settings[0].a;
  EXPECT_NE(c.settings[0].b.find("[2,3,31,15,6,8,28,0,0,0]"), std::string::npos) << c.settings[0].b;

  // The system list's display mode shares byte 20 with the system set,
  // which does not cover it.
  c = changed([](EditorContext& ctx) { SetFromText(ctx, *FindSetting("rgBlocksShowList"), "#1"); });
  EXPECT_EQ(Named(c), std::set<std::string>{"rgBlocksShowList"});

  // A text is its characters; the bytes after its terminator are not.
  c = changed([](EditorContext& ctx) {
    const FieldRef name = layout::kUserParamName;
    FieldRef last = name;
    last.type = FieldType::u8;
    last.offset = uint16_t(name.offset + name.length - 1);
    ctx.mk.SetInt(last, 0x41);
    FieldRef first = last;
    first.offset = name.offset;
    ctx.mk.SetInt(first, 0);
  });
  const SettingDef* nameSetting = nullptr;
  for (const SettingDef& d : SettingsSchema())
    if (d.field.block == layout::kUserParamName.block &&
        d.field.offset == layout::kUserParamName.offset)
      nameSetting = &d;
  ASSERT_NE(nameSetting, nullptr);
  EXPECT_TRUE(Named(c).count(nameSetting->name));
}

TEST(SettingsDiff, ExtentsComeFromTheMap) {
  const SettingDef& table = *FindSetting("sgTarir");
  const auto extent = SettingExtent(table);
  EXPECT_EQ(extent.size(), size_t(layout::kTareLitres.Size() + 2 * layout::kTareSensor.Size()));
  const SettingDef& menu = *FindSetting("sghmParams");
  EXPECT_EQ(SettingExtent(menu).size(), size_t(2 * layout::kHotMenus.cols));
  // A bit group covers its bits only.
  const SettingDef& list = *FindSetting("rgBlocksShowList");
  ASSERT_EQ(SettingExtent(list).size(), 1u);
  EXPECT_EQ(SettingExtent(list)[0].mask, 0x80);
  EXPECT_FALSE(Overlap(list, *FindSetting("sgUsedBlocks")));
}

}  // namespace
}  // namespace tc
