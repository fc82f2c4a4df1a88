// SPDX-License-Identifier: GPL-3.0-or-later
// The settings editor's search field and its undo and redo keys, driven as a
// user drives them.
#include <QListWidget>
#include <QStackedWidget>
#include <QTableWidget>

#include "editor_core/setting_value.h"
#include "editor_fixture.h"
#include "model/settings_layout.h"

namespace tc::test {
namespace {

class EditorSearchUndoTest : public SettingsEditorTest {
 protected:
  // Whether the page is the one on show in its page control.
  static bool Current(TMK_SetParamsDlg& dlg, const char* page) {
    QWidget* p = dlg.findChild<QWidget*>(page);
    EXPECT_NE(p, nullptr) << page;
    if (!p) return false;
    auto* stack = qobject_cast<QStackedWidget*>(p->parentWidget());
    return stack && stack->currentWidget() == p;
  }
  // Types into the search field after Ctrl+F and picks the first result with Return.
  static void SearchAndPick(TMK_SetParamsDlg& dlg, const QString& text) {
    QTest::keyClick(&dlg, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(dlg.SearchField()->hasFocus());
    QTest::keyClicks(dlg.SearchField(), text);
    ASSERT_TRUE(dlg.SearchResults()->isVisible());
    QTest::keyClick(dlg.SearchField(), Qt::Key_Return);
    QCoreApplication::processEvents();
  }
};

TEST_F(EditorSearchUndoTest, APickedResultBringsNestedPagesToTheFrontAndFocusesTheControl) {
  Load("v8003-32k");
  SetEnglishVersion(true);
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    ASSERT_TRUE(Current(dlg, "tsCorr"));
    // A cell on the second sub-page of the x4 layouts.
    dlg.SearchField()->setFocus();
    QTest::keyClicks(dlg.SearchField(), "x4.5.2");
    QListWidget* results = dlg.SearchResults();
    ASSERT_TRUE(results->isVisible());
    ASSERT_GT(results->count(), 0);
    EXPECT_TRUE(results->item(0)->text().startsWith("Display › Displays x 4 › "))
        << results->item(0)->text().toStdString();
    EXPECT_TRUE(results->item(0)->text().endsWith(")"));
    QTest::keyClick(dlg.SearchField(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg.isVisible()) << "Return in the search field must not close the editor";
    EXPECT_FALSE(results->isVisible());
    EXPECT_TRUE(Current(dlg, "tsDisp"));
    EXPECT_TRUE(Current(dlg, "tsDisplays4"));
    EXPECT_TRUE(Current(dlg, "tsDisplays4b"));
    QWidget* preview = dlg.findChild<QWidget*>("pbx4_5");
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), preview);
    QWidget* mark = dlg.findChild<QWidget*>("frRevealMark");
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(mark->isVisible());

    // A role of the menu colours, on a colour sub-page, by its name.
    SearchAndPick(dlg, "day.sgMenu.2");
    EXPECT_TRUE(Current(dlg, "tsColors"));
    EXPECT_TRUE(Current(dlg, "tsColorMenu"));
    auto* table = dlg.findChild<QTableWidget*>("sgMenu");
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(table->currentRow(), 1);
    EXPECT_EQ(QApplication::focusWidget(), table);

    // A plain control by a word of its caption; the page is built then.
    SearchAndPick(dlg, "sound volume");
    EXPECT_TRUE(Current(dlg, "tsVoice"));
    EXPECT_EQ(QApplication::focusWidget(), dlg.findChild<QWidget*>("seSoundVolume"));

    // Nothing found is said; Escape empties the search, not the editor.
    dlg.SearchField()->setFocus();
    QTest::keyClicks(dlg.SearchField(), "qqzzqq");
    ASSERT_EQ(results->count(), 1);
    EXPECT_FALSE(results->item(0)->flags() & Qt::ItemIsEnabled);
    QTest::keyClick(dlg.SearchField(), Qt::Key_Return);
    QTest::keyClick(dlg.SearchField(), Qt::Key_Escape);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.SearchField()->text().isEmpty());
    EXPECT_FALSE(results->isVisible());

    // Hidden settings are not revealed (trim is not offered on this variant).
    EXPECT_FALSE(dlg.RevealSetting("seTrimLowLimit"));
    EXPECT_FALSE(dlg.RevealSetting("seNoSuchSetting"));
  });
}

TEST_F(EditorSearchUndoTest, UndoAfterATrimStoreRestoresBothLimitsAndTheirControls) {
  Load("ve01-32k");
  const auto before = EditedBlocks(mk_);
  const int storedLow = mk_.GetInt(layout::kTrimLowLimit);
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    auto* low = Find<QDoubleSpinBox>(dlg, "seTrimLowLimit");
    auto* high = Find<QDoubleSpinBox>(dlg, "seTrimHighLimit");
    ASSERT_TRUE(low && high);
    ShowPage(dlg, "tsLim");
    // From the pair as the sample stores it.
    TypeAndLeave(low, "10");
    TypeAndLeave(high, "20");
    ASSERT_EQ(high->value(), 20);
    // The low limit above the high one raises the high one.
    TypeAndLeave(low, "40");
    ASSERT_EQ(low->value(), 40);
    ASSERT_EQ(high->value(), 41);

    low->setFocus();
    QTest::keyClick(low, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(low->value(), 10);
    EXPECT_EQ(high->value(), 20);
    EXPECT_EQ(mk_.GetInt(layout::kTrimLowLimit), 10);
    EXPECT_EQ(mk_.GetInt(layout::kTrimHighLimit), 20);

    QTest::keyClick(low, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(low->value(), 40);
    EXPECT_EQ(high->value(), 41);

    // Typed but not yet stored: Ctrl+Z takes the typing back.
    low->setFocus();
    low->selectAll();
    QTest::keyClicks(low, "30");
    QTest::keyClick(low, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(low->value(), 40);
    EXPECT_EQ(mk_.GetInt(layout::kTrimLowLimit), 40);

    // Back to the opening state, and no further.
    for (int i = 0; i < 5; ++i) QTest::keyClick(high, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(EditedBlocks(mk_), before);
    EXPECT_EQ(mk_.GetInt(layout::kTrimLowLimit), storedLow);
    EXPECT_TRUE(dlg.isVisible());

    QTest::keyClick(high, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(low->value(), 10);
    EXPECT_EQ(mk_.GetInt(layout::kTrimLowLimit), 10);
    // Cancel puts everything back, redone steps included.
    dlg.reject();
  });
  EXPECT_EQ(EditedBlocks(mk_), before);
}

}  // namespace
}  // namespace tc::test
