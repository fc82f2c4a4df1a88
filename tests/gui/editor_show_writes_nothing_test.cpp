// Opening the editor and looking at every page is no edit: no byte of any
// block changes until the user changes something, whatever the sample
// holds, including values the pages show otherwise than stored (a tare
// point count beyond the table, a hot menu with a gap).
#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "editor_core/page_hotmenu.h"
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
  // 70 tare points: the table cannot hold them and shows none.
  mk_.SetInt(layout::kTarirLeng, 70);
  mk_.EncodeBlock(4);
  // A gap in a hot menu is shown closed.
  WriteHotMenu(mk_, 1, {52, 0, 97});
  mk_.EncodeBlock(10);
  CheckShowingWritesNothing("v8002-8k with 70 tare points");

  RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsOil");
    EXPECT_EQ(Find<QDoubleSpinBox>(dlg, "seTarirLeng")->value(), 0);
    auto* table = Find<QTableWidget>(dlg, "sgTarir");
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 1)->text(), "");
    EXPECT_EQ(mk_.GetInt(layout::kTarirLeng), 70);
    // Choosing a count is an edit like any other.
    Find<QDoubleSpinBox>(dlg, "seTarirLeng")->setValue(2);
    EXPECT_EQ(mk_.GetInt(layout::kTarirLeng), 2);
    EXPECT_EQ(table->rowCount(), 2);
  });
}
