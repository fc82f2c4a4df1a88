// SPDX-License-Identifier: GPL-3.0-or-later
// The display layout and colour scheme pages driven with real mouse events
// on their previews: right-click, choose from the pop-up, the byte stored
// and every preview redrawn; colour edits stored on every change; Cancel
// putting blocks 10 and 13 back.
#include <gtest/gtest.h>

#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "editor/preview_part.h"
#include "editor_core/page_colors.h"
#include "editor_core/page_layouts.h"
#include "editor_fixture.h"
#include "model/settings_layout.h"

using namespace tc;
using namespace tc::test;

namespace {

class DisplayPagesTest : public SettingsEditorTest {
 protected:
  // Brings a page to the front with every page control above it.
  static void ShowNested(TMK_SetParamsDlg& dlg, const char* name) {
    QWidget* w = dlg.Page(name);
    ASSERT_NE(w, nullptr) << name;
    for (QWidget* child = w; child && child != &dlg; child = child->parentWidget())
      if (auto* tabs = qobject_cast<QTabWidget*>(
              child->parentWidget() ? child->parentWidget()->parentWidget() : nullptr))
        tabs->setCurrentWidget(child);
    QCoreApplication::processEvents();
  }

  struct Popup {
    bool opened = false;
    QStringList items;
    int checked = -1;
  };
  // Right-clicks the view at (x, y) and, when a pop-up opens, picks the
  // first item whose code `pick` accepts (none: the pop-up is closed).
  static Popup RightClick(TPreviewView* view, QPoint at, const std::function<bool(int)>& pick) {
    Popup seen;
    // A timer of this call: when no pop-up opens it must not fire later,
    // into a call that has returned.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return;
      seen.opened = true;
      QAction* chosen = nullptr;
      for (QAction* a : menu->actions()) {
        seen.items << a->text();
        if (a->isChecked()) seen.checked = int(seen.items.size()) - 1;
        if (!chosen && pick(a->data().toInt())) chosen = a;
      }
      if (chosen) {
        menu->setActiveAction(chosen);
        QTest::keyClick(menu, Qt::Key_Return);
      } else {
        menu->close();
      }
    });
    timer.start(50);
    QTest::mouseClick(view, Qt::RightButton, {}, at);
    QCoreApplication::processEvents();
    return seen;
  }

  static std::vector<TPreviewView*> ViewsOf(TMK_SetParamsDlg& dlg, const char* page) {
    std::vector<TPreviewView*> v;
    for (auto* view : dlg.Page(page)->findChildren<TPreviewView*>()) v.push_back(view);
    return v;
  }
  static std::vector<int> Draws(const std::vector<TPreviewView*>& views) {
    std::vector<int> d;
    for (auto* v : views) d.push_back(v->Draws());
    return d;
  }
};

}  // namespace

TEST_F(DisplayPagesTest, RightClickChoosesTheCellsParameterAndRedrawsEveryPreview) {
  Load("v104-8k");
  const std::vector<uint8_t> before10(mk_.Block(10).begin(), mk_.Block(10).end());
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowNested(dlg, "tsDisplays4b");
    auto views = ViewsOf(dlg, "tsDisplays4b");
    ASSERT_EQ(views.size(), 3u);
    auto* fourth = Find<TPreviewView>(dlg, "pbx4_4");
    ASSERT_NE(fourth, nullptr);
    EXPECT_TRUE(fourth->isVisible());
    EXPECT_EQ(fourth->size(), QSize(320, 240));
    const QImage image = fourth->Image();
    const auto draws = Draws(views);

    // A left click opens nothing and stores nothing.
    QTest::mouseClick(fourth, Qt::LeftButton, {}, QPoint(200, 50));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    const int stored = mk_.Block(10)[25];
    int chosen = -1;
    const Popup p = RightClick(fourth, QPoint(200, 50), [&](int code) {
      if (code == stored) return false;
      chosen = code;
      return true;
    });
    ASSERT_TRUE(p.opened);
    const auto menu = CellMenu(dlg.Binder().Context(), PreviewScreen::X4, 1);
    ASSERT_EQ(p.items.size(), qsizetype(menu.size()));
    EXPECT_EQ(p.items[0].toStdString(), menu[0].caption.ru);
    for (size_t i = 0; i < menu.size(); ++i) {
      if (menu[i].code == stored) {
        EXPECT_EQ(p.checked, int(i));
      }
    }
    ASSERT_GE(chosen, 0);
    EXPECT_EQ(mk_.Block(10)[25], chosen);
    QCoreApplication::processEvents();
    const auto after = Draws(views);
    for (size_t i = 0; i < views.size(); ++i) EXPECT_GT(after[i], draws[i]) << i;
    EXPECT_NE(fourth->Image(), image);

    // The graph page: nothing below the curves; curve 2 offers "Отсутствует".
    ShowNested(dlg, "tsGraphDisplays1");
    auto* graph = Find<TPreviewView>(dlg, "pbgraph_2");
    ASSERT_NE(graph, nullptr);
    EXPECT_FALSE(RightClick(graph, QPoint(10, 200), [](int) { return false; }).opened);
    const Popup curve2 = RightClick(graph, QPoint(10, 120), [](int code) { return code == 0; });
    ASSERT_TRUE(curve2.opened);
    EXPECT_EQ(curve2.items.value(0), "Отсутствует");
    EXPECT_EQ(mk_.GetInt(layout::kGraphCells.Flat()[3]), 0);
  });
  // Cancel put block 10 back.
  EXPECT_EQ(std::vector<uint8_t>(mk_.Block(10).begin(), mk_.Block(10).end()), before10);
}

TEST_F(DisplayPagesTest, TypeAndInfoPanelChoicesAndCancel) {
  Load("v8002-8k");
  const std::vector<uint8_t> before10(mk_.Block(10).begin(), mk_.Block(10).end());
  const std::vector<uint8_t> before13(mk_.Block(13).begin(), mk_.Block(13).end());
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowNested(dlg, "tsDisplays4a");
    auto* first = Find<TPreviewView>(dlg, "pbx4_1");
    const QImage type1 = first->Image();
    // "Тип х4" on the options page redraws the x4 previews.
    ShowNested(dlg, "tsDivers");
    auto* type = Find<TRadioGroup>(dlg, "sgDispVar4");
    ClickItem(type, type->ItemIndex() == 0 ? 1 : 0);
    EXPECT_TRUE(first->Stale());
    ShowNested(dlg, "tsDisplays4a");
    EXPECT_NE(first->Image(), type1);

    ShowNested(dlg, "tsInfoPanel");
    auto* info = Find<TPreviewView>(dlg, "pbinfo_1");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->size(), QSize(80, 240));
    const int stored = int8_t(mk_.Block(13)[5]);
    int chosen = -1;
    const Popup p = RightClick(info, QPoint(40, 70), [&](int code) {
      if (code == stored) return false;
      chosen = code;
      return true;
    });
    ASSERT_TRUE(p.opened);
    EXPECT_EQ(p.items.value(0), "CheckEn");
    EXPECT_EQ(p.items.size(), 12);
    EXPECT_EQ(int8_t(mk_.Block(13)[5]), chosen);
  });
  EXPECT_EQ(std::vector<uint8_t>(mk_.Block(10).begin(), mk_.Block(10).end()), before10);
  EXPECT_EQ(std::vector<uint8_t>(mk_.Block(13).begin(), mk_.Block(13).end()), before13);
}

TEST_F(DisplayPagesTest, ColourEditsAreStoredOnEveryChangeInTheSchemeEdited) {
  Load("v8003-32k");
  const std::vector<uint8_t> before10(mk_.Block(10).begin(), mk_.Block(10).end());
  const bool accepted = RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowNested(dlg, "tsColorMenu");
    auto* palette = Find<QTableWidget>(dlg, "sgPalette");
    auto* red = Find<QSpinBox>(dlg, "seR");
    auto* green = Find<QSpinBox>(dlg, "seG");
    auto* scheme = Find<TRadioGroup>(dlg, "rgCurrColorSchemeNum");
    ASSERT_EQ(palette->rowCount(), 16);
    // Editing starts at the device's active scheme.
    const int active = mk_.GetInt(layout::kActiveColorScheme) == 1 ? 1 : 0;
    EXPECT_EQ(scheme->ItemIndex(), active);
    if (active) ClickItem(scheme, 0);
    auto views = ViewsOf(dlg, "tsColorMenu");
    ASSERT_EQ(views.size(), 1u);
    // Only the previews of the sub-page in view are drawn.
    auto* hidden = Find<TPreviewView>(dlg, "pbarrow_1");
    ASSERT_NE(hidden, nullptr);

    palette->setCurrentCell(3, 0);
    const PaletteColour day3 = GetPaletteColour(dlg.Binder().Context(), 0, 3);
    EXPECT_EQ(red->value(), day3.r);
    const int draws = views[0]->Draws(), hiddenDraws = hidden->Draws();
    // Every arrow press stores at once.
    red->setFocus();
    red->setValue(0);
    QTest::keyClick(red, Qt::Key_Up);
    EXPECT_EQ(GetPaletteColour(dlg.Binder().Context(), 0, 3).r, 1);
    QTest::keyClick(red, Qt::Key_Up);
    EXPECT_EQ(GetPaletteColour(dlg.Binder().Context(), 0, 3).r, 2);
    QCoreApplication::processEvents();
    EXPECT_GT(views[0]->Draws(), draws);
    EXPECT_EQ(hidden->Draws(), hiddenDraws);
    EXPECT_EQ(palette->item(3, 0)->background().color(),
              QColor(Rgb565ToRgb(PackPaletteColour({2, day3.g, day3.b})).r,
                     Rgb565ToRgb(PackPaletteColour({2, day3.g, day3.b})).g,
                     Rgb565ToRgb(PackPaletteColour({2, day3.g, day3.b})).b));

    // "Ночь" keeps row 3 and edits the night scheme from then on.
    ClickItem(scheme, 1);
    EXPECT_EQ(palette->currentRow(), 3);
    const PaletteColour night3 = GetPaletteColour(dlg.Binder().Context(), 1, 3);
    EXPECT_EQ(green->value(), night3.g);
    green->setValue(night3.g == 30 ? 29 : 30);
    EXPECT_EQ(GetPaletteColour(dlg.Binder().Context(), 1, 3).g, green->value());
    EXPECT_EQ(GetPaletteColour(dlg.Binder().Context(), 0, 3).r, 2);

    // A role of the menu table.
    auto* roles = Find<QTableWidget>(dlg, "sgMenu");
    auto* roleSpin = Find<QSpinBox>(dlg, "seMenu");
    roles->setCurrentCell(2, 0);
    roleSpin->setValue(roleSpin->value() == 5 ? 6 : 5);
    EXPECT_EQ(GetRoleIndex(dlg.Binder().Context(), 1, crMenuHotNumber), roleSpin->value());

    // No to the reset question changes nothing; Yes puts the factory schemes
    // back and edits the day scheme.
    const std::vector<uint8_t> edited(mk_.Block(10).begin(), mk_.Block(10).end());
    messages_.Answer(false);
    QTest::mouseClick(Find<QPushButton>(dlg, "bPaletteInit"), Qt::LeftButton);
    EXPECT_EQ(messages_.Count(ScriptedMessageService::Kind::Question), 1);
    EXPECT_EQ(std::vector<uint8_t>(mk_.Block(10).begin(), mk_.Block(10).end()), edited);
    EXPECT_EQ(scheme->ItemIndex(), 1);
    messages_.Answer(true);
    QTest::mouseClick(Find<QPushButton>(dlg, "bPaletteInit"), Qt::LeftButton);
    EXPECT_EQ(scheme->ItemIndex(), 0);
    EXPECT_TRUE(std::equal(mk_.FactoryScheme1.begin(), mk_.FactoryScheme1.end(),
                           mk_.Block(10).begin() + 248));
    EXPECT_EQ(GetPaletteColour(dlg.Binder().Context(), 0, 3).r, red->value());
    EXPECT_EQ(messages_.unexpectedQuestions(), 0);
  });
  EXPECT_FALSE(accepted);
  EXPECT_EQ(std::vector<uint8_t>(mk_.Block(10).begin(), mk_.Block(10).end()), before10);
}
