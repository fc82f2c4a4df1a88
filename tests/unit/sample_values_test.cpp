// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in samples picture working devices: every setting the editor
// shows holds a value the editor itself could have stored. The model's
// defaults are another matter: they are the device's factory bytes.
#include <gtest/gtest.h>

#include <string>

#include "editor_core/edit_session.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_document.h"

namespace tc {
namespace {

std::unique_ptr<SettingsDocument> OpenSample(const std::string& name) {
  const SampleSetup setup = SampleSetupByName(name);
  return OpenSettingsDocument(BuildSampleImage(setup), setup.deviceVersion);
}

TEST(SampleValues, EveryShownSettingHoldsAValueTheEditorTakes) {
  for (const SampleImage& sample : SampleImages()) {
    auto doc = OpenSample(sample.name);
    TSettingsEditSession session(*doc);
    EditorContext& ctx = session.Context();
    const Visibility shown = ControlVisibility(ctx);
    int checked = 0;
    for (const SettingDef& d : SettingsSchema()) {
      if (!shown.Visible(d.name) || d.readOnly) continue;
      const std::string where = sample.name + " " + d.name + " = " + FormatValue(ctx, d, true);
      switch (d.kind) {
        case ControlKind::Spin: {
          const Limits lim = SettingLimits(ctx, d);
          EXPECT_TRUE(WithinLimits(ctx, d, GetNumber(ctx, d)))
              << where << " (limits " << lim.min << ".." << lim.max << ")";
          break;
        }
        case ControlKind::Radio:
        case ControlKind::Combo: {
          const auto items = SettingItems(ctx, d);
          const int i = ItemIndexOf(items, ReadStored(ctx, d), -1);
          EXPECT_GE(i, 0) << where << " (no item)";
          if (i >= 0) {
            EXPECT_TRUE(items[size_t(i)].enabled) << where << " (a disabled item)";
          }
          break;
        }
        case ControlKind::Time:
        case ControlKind::Date: {
          // What the field shows is taken back unchanged.
          const std::string text = FormatValue(ctx, d, true);
          EXPECT_NO_THROW(EXPECT_FALSE(SetFromText(ctx, d, text)) << where) << where;
          break;
        }
        default:
          // Structured kinds show no value outside their items ("?").
          EXPECT_EQ(FormatValue(ctx, d, true).find('?'), std::string::npos) << where;
          break;
      }
      ++checked;
    }
    EXPECT_GT(checked, 150) << sample.name;
  }
}

}  // namespace
}  // namespace tc
