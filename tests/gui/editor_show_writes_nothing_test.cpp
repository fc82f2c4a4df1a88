// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the editor and looking at every page is no edit: no byte of any
// block changes until the user changes something, whatever the sample
// holds, including values the pages show otherwise than stored (a hot
// menu with a gap). The one store on opening is the tank page's rule for a
// tare point count beyond the table.
#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "editor/settings_binder.h"
#include "editor_core/edit_session.h"
#include "editor_core/page_hotmenu.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "editor_fixture.h"
#include "model/settings_layout.h"

using namespace tc;
using namespace tc::test;

namespace {

class EditorShowTest : public SettingsEditorTest {
 protected:
  // Brings every page and sub-page to the front in turn.
  static int ShowEveryPage(QTabWidget* pages) {
    int shown = 0;
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      QCoreApplication::processEvents();
      ++shown;
      for (QTabWidget* inner :
           pages->widget(i)->findChildren<QTabWidget*>(Qt::FindDirectChildrenOnly))
        shown += ShowEveryPage(inner);
    }
    return shown;
  }
  void CheckShowingWritesNothing(const std::string& what) {
    const Blocks before = EditedBlocks(mk_);
    const auto image = mk_.Image();
    const bool accepted = RunEditor([&](TMK_SetParamsDlg& dlg) {
      EXPECT_GT(ShowEveryPage(dlg.PageControl()), 20) << what;
      EXPECT_EQ(EditedBlocks(mk_), before) << what;
      dlg.CancelButton()->click();
    });
    EXPECT_FALSE(accepted) << what;
    EXPECT_EQ(EditedBlocks(mk_), before) << what;
    EXPECT_EQ(mk_.Image(), image) << what;
  }
};

}  // namespace

TEST_F(EditorShowTest, ShowingEveryPageOfEverySampleChangesNoByte) {
  bool english = false;
  for (const SampleImage& sample : SampleImages()) {
    SetEnglishVersion(english);
    english = !english;
    Load(sample.setup);
    CheckShowingWritesNothing(sample.name);
  }
}

TEST_F(EditorShowTest, ValuesShownOtherwiseThanStoredAreNotRewritten) {
  Load("v8002-8k");
  // A gap in a hot menu is shown closed.
  WriteHotMenu(mk_, 1, {52, 0, 97});
  mk_.EncodeBlock(10);
  CheckShowingWritesNothing("v8002-8k with a gap in a hot menu");
}

// A tare point count beyond the table is no count: the tank page's loading
// rule stores 0 as soon as the editor opens, showing the pages changes
// nothing more, Cancel puts the stored count back and OK keeps the 0.
TEST_F(EditorShowTest, ATareCountBeyondTheTableIsStoredAsNoPoints) {
  Load("v8002-8k");
  mk_.SetInt(layout::kTarirLeng, 70);
  mk_.EncodeBlock(4);
  const auto image = mk_.Image();
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    EXPECT_EQ(mk_.GetInt(layout::kTarirLeng), 0);
    const Blocks opened = EditedBlocks(mk_);
    EXPECT_GT(ShowEveryPage(dlg.PageControl()), 20);
    EXPECT_EQ(EditedBlocks(mk_), opened);
    ShowPage(dlg, "tsOil");
    EXPECT_EQ(Find<QDoubleSpinBox>(dlg, "seTarirLeng")->value(), 0);
    auto* table = Find<QTableWidget>(dlg, "sgTarir");
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 1)->text(), "");
    // Choosing a count is an edit like any other.
    Find<QDoubleSpinBox>(dlg, "seTarirLeng")->setValue(2);
    EXPECT_EQ(mk_.GetInt(layout::kTarirLeng), 2);
    EXPECT_EQ(table->rowCount(), 2);
    dlg.CancelButton()->click();
  });
  EXPECT_EQ(mk_.GetInt(layout::kTarirLeng), 70);
  EXPECT_EQ(mk_.Image(), image);
  EXPECT_TRUE(RunEditor([&](TMK_SetParamsDlg& dlg) { dlg.OkButton()->click(); }));
  mk_.DecodeBlock(4);
  EXPECT_EQ(mk_.GetInt(layout::kTarirLeng), 0);
}

namespace {
struct CountingPart : TEditorPart {
  int loads = 0, refreshes = 0;
  void Load() override { ++loads; }
  void Refresh(const Visibility&) override { ++refreshes; }
};
}  // namespace

// Pages built when first shown make their controls after the window was
// filled: each must show what the others would.
TEST_F(EditorShowTest, ControlsMadeAfterTheWindowWasFilledLoadThemselves) {
  Load("v8003-32k");
  TSettingsEditSession session(doc_);
  EditorContext& ctx = session.Context();
  QWidget window;
  TSettingsBinder b(ctx, &window);
  b.SetEnglish(true);
  b.Control("seVelocityLimit");
  b.RefreshStates();
  b.LoadControls();

  auto* tank = qobject_cast<QDoubleSpinBox*>(b.Control("seTankLimit"));
  ASSERT_NE(tank, nullptr);
  const SettingDef& tankDef = *FindSetting("seTankLimit");
  EXPECT_EQ(tank->value(), GetNumber(ctx, tankDef));  // the value at once
  QWidget* trim = b.Control("seTrimLowLimit");        // hidden on this variant
  QLabel text;
  b.AddText(&text, {"Текст", "Text"});
  CountingPart part;
  b.AddPart(&part);
  ASSERT_FALSE(ControlVisibility(ctx).Visible("seTrimLowLimit"));

  // Captions, visibility and parts follow once the events at hand have run.
  QCoreApplication::processEvents();
  EXPECT_EQ(b.Label("seTankLimit")->text(), QString::fromUtf8(SettingLabel(ctx, tankDef).en));
  EXPECT_FALSE(trim->isVisibleTo(&window));
  EXPECT_TRUE(tank->isVisibleTo(&window));
  EXPECT_EQ(text.text(), "Text");
  EXPECT_EQ(part.loads, 1);
  EXPECT_EQ(part.refreshes, 1);
  b.LoadLate();  // nothing is late any more
  EXPECT_EQ(part.loads, 1);

  // A late control stores like any other, and the store reloads every part.
  const Blocks before = EditedBlocks(mk_);
  tank->setValue(tank->value() == 21 ? 22 : 21);
  emit tank->editingFinished();
  EXPECT_EQ(GetNumber(ctx, tankDef), tank->value());
  EXPECT_NE(EditedBlocks(mk_), before);
  EXPECT_EQ(part.loads, 2);
  session.Cancel();
}
