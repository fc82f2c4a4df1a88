// SPDX-License-Identifier: GPL-3.0-or-later
// Pages are built when first shown: the window opens with the first page
// only, and a page built later is filled from the model, follows the rules
// and the language of the show, and is covered by OK and Cancel like any
// other. The editor's shown controls agree with the core's one visibility
// rule, which the command line and the report use too.
#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <set>
#include <string_view>
#include <vector>

#include "editor/editor_page_builders.h"
#include "editor/preview_part.h"
#include "editor/settings_binder.h"
#include "editor_core/editor_pages.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "editor_fixture.h"
#include "model/settings_layout.h"

using namespace tc;
using test::Blocks;
using test::EditedBlocks;

namespace {

class LazyPagesTest : public test::SettingsEditorTest {
 protected:
  // The page's tab, and the tab of every page that holds it, can be seen.
  static bool TabChainShown(TMK_SetParamsDlg& dlg, const EditorPage* page) {
    for (; page; page = ParentPage(*page)) {
      QWidget* w = dlg.Page(page->name);
      auto* owner = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget());
      if (!owner || !owner->isTabVisible(owner->indexOf(w))) return false;
    }
    return true;
  }
};

}  // namespace

TEST_F(LazyPagesTest, PagesAreBuiltWhenFirstShownAndThenShowTheModel) {
  Load("v8003-32k");
  SetEnglishVersion(true);
  const Blocks before = EditedBlocks(mk_);
  EXPECT_FALSE(RunEditor([&](TMK_SetParamsDlg& dlg) {
    EXPECT_TRUE(dlg.PageBuilt("tsCorr"));
    for (const char* page : {"tsLim", "tsColors", "tsDisplays4a", "tsPark", "tsOil"})
      EXPECT_FALSE(dlg.PageBuilt(page)) << page;
    EXPECT_EQ(dlg.findChild<QWidget*>("seVelocityLimit"), nullptr);

    // Changed after the show, before the page exists: the page shows it.
    mk_.SetInt(layout::kVelocityLimit, 70);
    dlg.PageControl()->setCurrentWidget(dlg.findChild<QWidget*>("tsLim"));
    EXPECT_TRUE(dlg.PageBuilt("tsLim"));
    auto* speed = dlg.findChild<QDoubleSpinBox*>("seVelocityLimit");
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->value(), 140);
    EXPECT_TRUE(speed->isVisible());
    EXPECT_EQ(dlg.findChild<QLabel*>("lVelocityLimit")->text(), "Speed, km/h");
    // The rules of the variant hold on the new page as on the others.
    EXPECT_FALSE(Find<QDoubleSpinBox>(dlg, "seTrimLowLimit")->isVisibleTo(dlg.Page("tsLim")));
    TypeAndLeave(speed, "150");
    EXPECT_EQ(mk_.GetInt(layout::kVelocityLimit), 75);

    // A layout page: its first sub-page and previews, not the second.
    dlg.PageControl()->setCurrentWidget(dlg.findChild<QWidget*>("tsDisp"));
    EXPECT_TRUE(dlg.PageBuilt("tsColors"));
    dlg.findChild<QTabWidget*>("pcDisp")->setCurrentWidget(dlg.findChild<QWidget*>("tsDisplays4"));
    EXPECT_TRUE(dlg.PageBuilt("tsDisplays4a"));
    EXPECT_FALSE(dlg.PageBuilt("tsDisplays4b"));
    auto* first = dlg.findChild<QWidget*>("tsDisplays4a")->findChild<TPreviewView*>("pbx4_1");
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    dlg.grab();
    EXPECT_GT(first->Draws(), 0);
    EXPECT_EQ(dlg.findChild<QWidget*>("tsDisplays4b")->findChild<TPreviewView*>(), nullptr);

    // Asked for by name, a control's page is built and places it.
    QWidget* sense = dlg.Binder().Control("seParkSense0");
    EXPECT_TRUE(dlg.PageBuilt("tsPark"));
    EXPECT_TRUE(dlg.Page("tsPark")->isAncestorOf(sense));
    // Asked for by name, a page is built with every page inside it.
    dlg.Page("tsGraphDisplays");
    for (const char* page : {"tsGraphDisplays1", "tsGraphDisplays2", "tsGraphDisplays3"})
      EXPECT_TRUE(dlg.PageBuilt(page)) << page;
  }));
  // Cancel puts back what was changed on pages built late.
  EXPECT_EQ(EditedBlocks(mk_), before);
}

TEST_F(LazyPagesTest, OkCommitsAnEditOnAPageBuiltLate) {
  Load("v104-8k");
  EXPECT_TRUE(RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsLim");
    auto* speed = Find<QDoubleSpinBox>(dlg, "seVelocityLimit");
    speed->setFocus();
    speed->selectAll();
    QTest::keyClicks(speed, "160");
    // Still being edited when OK is pressed.
    dlg.OkButton()->click();
  }));
  mk_.DecodeSettingsBlocks();
  EXPECT_EQ(mk_.GetInt(layout::kVelocityLimit), 80);
}

TEST_F(LazyPagesTest, ShownControlsAreTheCoresVisibleSettingsOnEverySample) {
  for (const SampleImage& sample : SampleImages()) {
    SCOPED_TRACE(sample.name);
    Load(sample.setup);
    RunEditor([&](TMK_SetParamsDlg& dlg) {
      dlg.BuildAllPages();
      const Visibility visible = ControlVisibility(dlg.Binder().Context());
      int shown = 0, hidden = 0;
      for (const auto& d : SettingsSchema()) {
        // Structured settings are shown by editor parts; the colour schemes
        // through the palette part's own controls.
        if (d.IsStructured() || std::string_view(d.page) == "tsColors") continue;
        QWidget* control = dlg.findChild<QWidget*>(d.name);
        ASSERT_NE(control, nullptr) << d.name;
        const bool onShow =
            TabChainShown(dlg, FindEditorPage(d.page)) && control->isVisibleTo(dlg.Page(d.page));
        EXPECT_EQ(onShow, visible.Visible(d.name)) << d.name << " on " << d.page;
        (onShow ? shown : hidden)++;
      }
      EXPECT_GT(shown, 100);
      EXPECT_GT(hidden, 0);
    });
  }
}

TEST(PageLayouts, EachLayoutRegistersOnceAgainstAPageOfTheTree) {
  const std::vector<std::string_view> names = RegisteredPageLayouts();
  // Every layout file made it into the program (none dropped by the linker).
  EXPECT_EQ(names.size(), 28u);
  std::set<std::string_view> seen;
  for (std::string_view name : names) {
    EXPECT_TRUE(seen.insert(name).second) << name << " has two layouts";
    EXPECT_NE(FindEditorPage(name), nullptr) << name << " is no page of the tree";
    EXPECT_NE(FindPageLayout(name), nullptr) << name;
  }
  EXPECT_EQ(FindPageLayout("tsNoSuchPage"), nullptr);
}
