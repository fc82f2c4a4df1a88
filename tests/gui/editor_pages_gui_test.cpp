// SPDX-License-Identifier: GPL-3.0-or-later
// The limits, sounds, averages, parking and display-options pages driven
// through their widgets for three variants: stores on leave and click, OK
// writing the blocks, Cancel putting them back, visibility and disabled
// items; and the editor-part hook of the binder.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string_view>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "editor_fixture.h"
#include "model/settings_layout.h"
#include "util/conversions.h"

using namespace tc;
using namespace tc::test;

namespace {

class EditorPagesTest : public SettingsEditorTest {
 protected:
  static void ShowSubPage(TMK_SetParamsDlg& dlg, const char* outer, const char* inner) {
    ShowPage(dlg, outer);
    auto* pc = dlg.Page(outer)->findChild<QTabWidget*>();
    pc->setCurrentWidget(dlg.Page(inner));
    QCoreApplication::processEvents();
  }
  static void TypeTimeAndLeave(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
  }
  // Whether a page tab of the main page control is offered.
  static bool TabShown(TMK_SetParamsDlg& dlg, const char* page) {
    return dlg.PageControl()->isTabVisible(dlg.PageControl()->indexOf(dlg.Page(page)));
  }
};

}  // namespace

TEST_F(EditorPagesTest, EditsOnEveryNewPageAreStoredAndOkWritesThem) {
  for (const char* sample : {"v104-8k", "v8003-32k", "ve01-32k"}) {
    Load(sample);
    const bool parking = std::string(sample) != "ve01-32k";
    const bool accepted = RunEditor([&](TMK_SetParamsDlg& dlg) {
      ShowPage(dlg, "tsLim");
      TypeAndLeave(Find<QDoubleSpinBox>(dlg, "seVelocityLimit"), "131");
      EXPECT_EQ(mk_.GetInt(layout::kVelocityLimit), 66) << sample;
      EXPECT_EQ(Find<QDoubleSpinBox>(dlg, "seVelocityLimit")->value(), 132) << sample;

      ShowPage(dlg, "tsVoice");
      ClickItem(Find<TRadioGroup>(dlg, "rgWarnFirst_0"), 2);
      ClickItem(Find<TRadioGroup>(dlg, "rgWarnNext_0"), 1);
      EXPECT_EQ(mk_.GetInt(layout::kWarnModes[0]), 2 + 8) << sample;

      ShowPage(dlg, "tsAver");
      ChooseAndLeave(Find<QComboBox>(dlg, "cbResetPeriod1"), "Запр.",
                     Find<QDoubleSpinBox>(dlg, "sePriceTime"));
      EXPECT_EQ(mk_.GetInt(layout::kResetPeriod1), -1) << sample;
      TypeAndLeave(Find<QDoubleSpinBox>(dlg, "seTripMinStop"), "30");
      EXPECT_EQ(mk_.GetInt(layout::kTripMinStop), 6) << sample;

      EXPECT_EQ(TabShown(dlg, "tsPark"), parking) << sample;
      if (parking) {
        ShowPage(dlg, "tsPark");
        TypeAndLeave(Find<QDoubleSpinBox>(dlg, "seParkMinLeng0"), "50");
        EXPECT_EQ(mk_.GetInt(layout::kParkMinLeng[0]), 5) << sample;
      }

      ShowSubPage(dlg, "tsDisp", "tsDivers");
      TypeTimeAndLeave(Find<QLineEdit>(dlg, "meIntenseDayTime"), "0730");
      EXPECT_EQ(mk_.GetInt(layout::kIntenseDayTime), 450) << sample;
      auto* box = Find<QCheckBox>(dlg, "cbShowDisp_1_39");
      const bool was = box->isChecked();
      box->click();
      EXPECT_EQ((uint64_t(mk_.GetInt(layout::kShowDisp1[1])) >> 7) & 1, was ? 0u : 1u) << sample;
      EXPECT_EQ(messages_.Count(ScriptedMessageService::Kind::Error), 0) << sample;
      dlg.OkButton()->click();
    });
    EXPECT_TRUE(accepted) << sample;
    // OK encoded the blocks: decoding the image again gives the edits back.
    mk_.DecodeSettingsBlocks();
    EXPECT_EQ(mk_.GetInt(layout::kVelocityLimit), 66) << sample;
    EXPECT_EQ(mk_.GetInt(layout::kWarnModes[0]), 10) << sample;
    EXPECT_EQ(mk_.GetInt(layout::kIntenseDayTime), 450) << sample;
  }
}

TEST_F(EditorPagesTest, CancelPutsEveryBlockBack) {
  Load("ve01-32k");
  const Blocks before = EditedBlocks(mk_);
  const bool accepted = RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsLim");
    TypeAndLeave(Find<QDoubleSpinBox>(dlg, "seTrimLowLimit"), "60");
    ShowPage(dlg, "tsVoice");
    ClickItem(Find<TRadioGroup>(dlg, "rgWarnFirst_23"), 1);
    ShowSubPage(dlg, "tsDisp", "tsDivers");
    Find<QCheckBox>(dlg, "cbShowDisp_4_0")->click();
    ClickItem(Find<TRadioGroup>(dlg, "rgColorMeth"), 1);
    EXPECT_NE(EditedBlocks(mk_), before);
    dlg.CancelButton()->click();
  });
  EXPECT_FALSE(accepted);
  EXPECT_EQ(EditedBlocks(mk_), before);
}

TEST_F(EditorPagesTest, RefusedValuesWriteNothingAndSayWhy) {
  Load("v104-8k");
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowSubPage(dlg, "tsDisp", "tsDivers");
    const Blocks before = EditedBlocks(mk_);
    auto* edit = Find<QLineEdit>(dlg, "meIntenseNightTime");
    TypeTimeAndLeave(edit, "9999");
    EXPECT_EQ(messages_.Last(ScriptedMessageService::Kind::Error),
              "«Время вкл. НОЧНОЙ яркости»: «99:99» — не время суток; ожидается ЧЧ:ММ от 00:00 до "
              "23:59.");
    EXPECT_EQ(EditedBlocks(mk_), before);
    // The field shows what is stored again.
    EXPECT_EQ(edit->text().toStdString(),
              MinutesToTimeText(uint16_t(mk_.GetInt(layout::kIntenseNightTime))));
  });
}

TEST_F(EditorPagesTest, TrimRuleRaisesTheHighLimitAtOnce) {
  Load("ve01-32k");
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsLim");
    auto* low = Find<QDoubleSpinBox>(dlg, "seTrimLowLimit");
    auto* high = Find<QDoubleSpinBox>(dlg, "seTrimHighLimit");
    EXPECT_TRUE(low->isVisibleTo(dlg.Page("tsLim")));
    EXPECT_FALSE(Find<QDoubleSpinBox>(dlg, "seInvTemperLimit")->isVisibleTo(dlg.Page("tsLim")));
    TypeAndLeave(low, "10");
    TypeAndLeave(high, "45");
    TypeAndLeave(low, "50");
    EXPECT_EQ(mk_.GetInt(layout::kTrimHighLimit), 51);
    EXPECT_EQ(high->value(), 51);
    EXPECT_EQ(high->minimum(), 51);
    // OK now leaves low < high in the device.
    dlg.OkButton()->click();
  });
  mk_.DecodeSettingsBlocks();
  EXPECT_LT(mk_.GetInt(layout::kTrimLowLimit), mk_.GetInt(layout::kTrimHighLimit));
}

TEST_F(EditorPagesTest, VariantsShowTheirControlsAndDisableWhatTheyLack) {
  Load("ve01-32k");  // trim, no voice, no parking sensors, no gas
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    EXPECT_FALSE(TabShown(dlg, "tsPark"));
    ShowPage(dlg, "tsVoice");
    auto* first = Find<TRadioGroup>(dlg, "rgWarnFirst_0");
    EXPECT_TRUE(first->Button(2)->isEnabled());
    EXPECT_FALSE(first->Button(3)->isEnabled());  // "М"
    EXPECT_FALSE(first->Button(4)->isEnabled());  // "Г"
    EXPECT_EQ(Find<TRadioGroup>(dlg, "rgFlagSound")->Count(), 3);
    EXPECT_FALSE(Find<QDoubleSpinBox>(dlg, "seSoundVolume")->isVisibleTo(dlg.Page("tsVoice")));
    ShowSubPage(dlg, "tsDisp", "tsDivers");
    EXPECT_FALSE(Find<QCheckBox>(dlg, "cbShowDisp_S_8")->isVisibleTo(dlg.Page("tsDivers")));
  });
  Load("v8003-32k");  // hybrid protocols, voice
  SetEnglishVersion(true);
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    EXPECT_TRUE(TabShown(dlg, "tsPark"));
    ShowPage(dlg, "tsVoice");
    EXPECT_TRUE(Find<TRadioGroup>(dlg, "rgWarnFirst_0")->Button(3)->isEnabled());
    EXPECT_EQ(Find<TRadioGroup>(dlg, "rgFlagSound")->Items().back(), "VoiceOff");
    EXPECT_EQ(Find<TRadioGroup>(dlg, "rgWarnFirst_0")->Items().join(""), "ONBMV");
    EXPECT_EQ(dlg.findChild<QLabel*>("lWarnFirst_0")->text(), "High batt.volt.");
    ShowPage(dlg, "tsLim");
    EXPECT_FALSE(Find<QDoubleSpinBox>(dlg, "seTrimLowLimit")->isVisibleTo(dlg.Page("tsLim")));
  });
}

namespace {
// A stand-in for a preview or a table: counts the binder's calls.
struct CountingPart : TEditorPart {
  int loads = 0, refreshes = 0, commits = 0;
  bool hiddenSeen = false;
  void Load() override { ++loads; }
  void Refresh(const Visibility& v) override {
    ++refreshes;
    hiddenSeen = !v.Visible("seStopVelocityLimit");
  }
  bool Commit() override {
    ++commits;
    return true;
  }
};
}  // namespace

TEST_F(EditorPagesTest, EditorPartsJoinTheOneReloadCycle) {
  Load("ve01-32k");
  CountingPart part;
  const bool accepted = RunEditor([&](TMK_SetParamsDlg& dlg) {
    // Shown first: a page shown for the first time loads what it builds.
    ShowPage(dlg, "tsLim");
    dlg.Binder().AddPart(&part);
    dlg.Binder().Reload();
    EXPECT_EQ(part.loads, 1);
    EXPECT_EQ(part.refreshes, 1);
    EXPECT_TRUE(part.hiddenSeen);  // the part sees the variant's visibility
    // A store anywhere reloads the part with every control.
    TypeAndLeave(Find<QDoubleSpinBox>(dlg, "seTankLimit"), "21");
    EXPECT_EQ(part.loads, 2);
    EXPECT_EQ(part.refreshes, 2);
    // Leaving a control unchanged is no store: the part is left alone.
    TypeAndLeave(Find<QDoubleSpinBox>(dlg, "seTankLimit"), "21");
    EXPECT_EQ(part.loads, 2);
    dlg.OkButton()->click();
    EXPECT_EQ(part.commits, 1);
  });
  EXPECT_TRUE(accepted);
}

TEST_F(EditorPagesTest, EverySettingIsPlacedOnItsOwnPage) {
  // A setting of the schema that no page layout places would be editable on
  // the command line only; one placed on another page would be shown there
  // with the wrong page's visibility.
  Load("v8002-8k");
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    for (const auto& d : SettingsSchema()) {
      if (d.IsStructured()) continue;  // shown by an editor part
      // The colour schemes are edited through the palette part's own spin edits.
      if (std::string_view(d.page) == "tsColors") continue;
      QWidget* page = dlg.Page(d.page);
      ASSERT_NE(page, nullptr) << d.page;
      EXPECT_NE(FindPageLayout(d.page), nullptr) << d.page << " has settings but no layout";
      auto* control = dlg.findChild<QWidget*>(d.name);
      ASSERT_NE(control, nullptr) << d.name << " is not placed";
      EXPECT_TRUE(page->isAncestorOf(control)) << d.name << " is not on " << d.page;
    }
  });
}
