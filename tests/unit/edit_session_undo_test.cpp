// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of the editor's stores, page rules' changes included, on the
// core edit session.
#include <gtest/gtest.h>

#include "catalog/variants.h"
#include "editor_core/edit_session.h"
#include "editor_core/page_colors.h"
#include "editor_core/page_hotmenu.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tmk.h"

using namespace tc;

namespace {
using Blocks = std::vector<std::vector<uint8_t>>;
Blocks Snapshot(const TMK& mk) {
  Blocks b;
  for (int n : kEditedBlocks) b.emplace_back(mk.Block(n).begin(), mk.Block(n).end());
  return b;
}

class EditUndo : public ::testing::Test {
 protected:
  void SetUp() override {
    const SampleSetup setup = SampleSetupByName("v8003-32k");
    doc_ = OpenSettingsDocument(BuildSampleImage(setup), setup.deviceVersion);
  }
  void Set(TSettingsEditSession& s, const char* name, const std::string& value) {
    ASSERT_TRUE(SetFromText(s.Context(), *FindSetting(name), value)) << name << "=" << value;
    s.Checkpoint();
  }
  std::string Get(TSettingsEditSession& s, const char* name) {
    return FormatValue(s.Context(), *FindSetting(name), true);
  }
  std::unique_ptr<SettingsDocument> doc_;
};
}  // namespace

TEST_F(EditUndo, TrimStoreIsUndoneWithTheHighLimitItsRuleRaised) {
  TSettingsEditSession s(*doc_);
  // The sample holds 120 for both, above the limits: the low one first.
  Set(s, "seTrimLowLimit", "10");
  Set(s, "seTrimHighLimit", "20");
  const Blocks beforeRule = Snapshot(s.Model());
  // The low limit at the high one raises the high one in the same store.
  Set(s, "seTrimLowLimit", "40");
  ASSERT_EQ(Get(s, "seTrimHighLimit"), "41");

  ASSERT_TRUE(s.Undo());
  EXPECT_EQ(Get(s, "seTrimLowLimit"), "10");
  EXPECT_EQ(Get(s, "seTrimHighLimit"), "20");
  EXPECT_EQ(Snapshot(s.Model()), beforeRule);

  ASSERT_TRUE(s.Redo());
  EXPECT_EQ(Get(s, "seTrimLowLimit"), "40");
  EXPECT_EQ(Get(s, "seTrimHighLimit"), "41");
  EXPECT_FALSE(s.Redo());
}

TEST_F(EditUndo, UndoStopsAtTheOpeningStateAndANewStoreEndsRedo) {
  TSettingsEditSession s(*doc_);
  const Blocks opening = Snapshot(s.Model());
  EXPECT_FALSE(s.CanUndo());
  EXPECT_FALSE(s.Undo());
  // Nothing changed: no step.
  EXPECT_FALSE(s.Checkpoint());
  EXPECT_FALSE(s.CanUndo());

  Set(s, "seVelocityCorr", "7.5");
  Set(s, "seAllPathStart", "1234");
  const Blocks two = Snapshot(s.Model());
  ASSERT_TRUE(s.Undo());
  ASSERT_TRUE(s.Undo());
  EXPECT_EQ(Snapshot(s.Model()), opening);
  EXPECT_FALSE(s.Undo());
  EXPECT_EQ(Snapshot(s.Model()), opening);
  ASSERT_TRUE(s.Redo());
  ASSERT_TRUE(s.Redo());
  EXPECT_EQ(Snapshot(s.Model()), two);

  // After an undo, a new store makes what was undone unreachable.
  ASSERT_TRUE(s.Undo());
  Set(s, "seVelocityCorr", "-3.0");
  EXPECT_FALSE(s.CanRedo());
  EXPECT_FALSE(s.Redo());
  ASSERT_TRUE(s.Undo());
  ASSERT_TRUE(s.Undo());
  EXPECT_EQ(Snapshot(s.Model()), opening);
}

// A store made by a part (not through a setting) since the last checkpoint
// is not lost: undo records it first, then takes it back.
TEST_F(EditUndo, ChangesOfPartsAndRulesAreStepsOfTheirOwn) {
  TSettingsEditSession s(*doc_);
  EditorContext& c = s.Context();
  std::vector<Blocks> states{Snapshot(s.Model())};

  // Hot menu: inserting packs the list.
  HotMenu m = ReadHotMenu(c.mk, 0);
  ClearHotMenu(m);
  WriteHotMenu(c.mk, 0, PackHotMenu(m));
  s.Checkpoint();
  states.push_back(Snapshot(s.Model()));

  // The tare table, as its part stores a row.
  ASSERT_TRUE(SetFromText(c, *FindSetting("sgTarir"), "0:0, 10:12, 20:25"));
  s.Checkpoint();
  states.push_back(Snapshot(s.Model()));

  // The colour schemes back to the factory's, with no checkpoint after it.
  SetPaletteColour(c, 0, 3, {1, 2, 3});
  ResetColourSchemes(c);
  const Blocks reset = Snapshot(s.Model());

  for (size_t i = states.size(); i-- > 0;) {
    ASSERT_TRUE(s.Undo()) << i;
    EXPECT_EQ(Snapshot(s.Model()), states[i]) << "after undoing to state " << i;
  }
  EXPECT_FALSE(s.Undo());
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(s.Redo());
    EXPECT_EQ(Snapshot(s.Model()), states[i]);
  }
  ASSERT_TRUE(s.Redo());
  EXPECT_EQ(Snapshot(s.Model()), reset);
}

TEST_F(EditUndo, UndoingAProtocolChangeSelectsTheProtocolAgainAndCancelRestoresAll) {
  const auto image = doc_->Model().Image();
  const int protocol = doc_->Variant().CurrentProtocolNumber();
  {
    TSettingsEditSession s(*doc_);
    const Blocks opening = Snapshot(s.Model());
    const int index = GetIndex(s.Context(), *FindSetting("cbProtocol"));
    Set(s, "cbProtocol", index == 0 ? "#1" : "#0");
    ASSERT_NE(doc_->Variant().CurrentProtocolNumber(), protocol);
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(doc_->Variant().CurrentProtocolNumber(), protocol);
    EXPECT_EQ(Snapshot(s.Model()), opening);
    ASSERT_TRUE(s.Redo());
    EXPECT_NE(doc_->Variant().CurrentProtocolNumber(), protocol);
    Set(s, "seVelocityCorr", "7.5");
    ASSERT_TRUE(s.Undo());
    s.Cancel();
    EXPECT_EQ(Snapshot(s.Model()), opening);
    EXPECT_EQ(doc_->Variant().CurrentProtocolNumber(), protocol);
  }
  EXPECT_EQ(doc_->Model().Image(), image);
}
