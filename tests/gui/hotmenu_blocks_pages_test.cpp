// SPDX-License-Identifier: GPL-3.0-or-later
// The hot menus and additional systems pages driven with real mouse events
// on the offscreen platform: pop-ups and the insert tree, dragging a row,
// double-clicks in both system tables, "Показывать", and Cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "catalog/variants.h"
#include "editor/edit_settings.h"
#include "editor/settings_binder.h"
#include "editor/settings_dlg.h"
#include "editor_core/edit_session.h"
#include "editor_core/page_blocks.h"
#include "editor_core/page_hotmenu.h"
#include "editor_fixture.h"
#include "gui_fixture.h"
#include "model/sample_image.h"
#include "model/tmk.h"
#include "ui/radio_group.h"

using namespace tc;

namespace {

class HotMenuBlocksPagesTest : public test::SettingsEditorTest {
 protected:
  // Puts a hot menu into the image, as a file would hold it.
  void StoreMenu(int menu, const HotMenu& entries) {
    WriteHotMenu(mk_, menu, entries);
    mk_.EncodeBlock(10);
  }

  static void ShowHotMenus(TMK_SetParamsDlg& dlg) {
    dlg.PageControl()->setCurrentWidget(dlg.Page("tsDisp"));
    dlg.findChild<QTabWidget*>("pcDisp")->setCurrentWidget(dlg.Page("tsHotMenu"));
    QCoreApplication::processEvents();
  }
  static void ShowBlocks(TMK_SetParamsDlg& dlg) {
    dlg.PageControl()->setCurrentWidget(dlg.Page("tsBlocks"));
    QCoreApplication::processEvents();
  }
  static QTableWidget* Table(TMK_SetParamsDlg& dlg, const char* name) {
    return Find<QTableWidget>(dlg, name);
  }
  static QPoint Cell(QTableWidget* t, int row, int column) {
    return t->visualItemRect(t->item(row, column)).center();
  }
  static QStringList Column(QTableWidget* t, int column) {
    QStringList texts;
    for (int r = 0; r < t->rowCount(); ++r)
      texts << (t->item(r, column) ? t->item(r, column)->text() : "");
    return texts;
  }
  // The pop-up that is open now, after pending events ran.
  static QMenu* Popup() {
    QCoreApplication::processEvents();
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
  }
  static QStringList Texts(QMenu* m) {
    QStringList t;
    for (QAction* a : m->actions()) t << a->text();
    return t;
  }
  // An item, or with `category` a sub-menu (an item and a category may
  // share a caption: "Журнал поездок").
  static QAction* Action(QMenu* m, const QString& text, bool category = false) {
    for (QAction* a : m->actions())
      if (a->text() == text && (!category || a->menu())) return a;
    ADD_FAILURE() << "no item " << text.toStdString();
    return nullptr;
  }
  // Clicks a pop-up item where a user would.
  static void ClickAction(QMenu* m, QAction* a) {
    ASSERT_TRUE(m && a);
    QTest::mouseClick(m, Qt::LeftButton, {}, m->actionGeometry(a).center());
  }
  // A user's double-click: press, release, then the second press that the
  // system reports as a double-click.
  static void DoubleClick(QTableWidget* t, int row, int column) {
    t->scrollToItem(t->item(row, column));
    QCoreApplication::processEvents();
    const QPoint p = Cell(t, row, column);
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, p);
  }
  static void RightClick(QTableWidget* t, int row) {
    QTest::mouseClick(t->viewport(), Qt::RightButton, {}, Cell(t, row, 1));
  }
  // Right-click on a row, "Вставить пункт", then the item through its categories.
  void Insert(QTableWidget* t, int row, const QStringList& path) {
    RightClick(t, row);
    QMenu* m = Popup();
    ASSERT_NE(m, nullptr);
    ClickAction(m, Action(m, SettingsEnglish() ? "Insert item" : "Вставить пункт"));
    m = Popup();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->objectName(), "pmHotMenuInsert");
    for (int i = 0; i < path.size(); ++i) {
      const QString& step = path[i];
      QAction* a = Action(m, step, i + 1 < path.size());
      ASSERT_NE(a, nullptr);
      if (QMenu* sub = a->menu()) {
        // A category opens when the pointer rests on it.
        QTest::mouseMove(m, m->actionGeometry(a).center());
        ASSERT_TRUE(QTest::qWaitFor([sub] { return sub->isVisible(); }, 3000))
            << step.toStdString();
        m = sub;
      } else {
        ClickAction(m, a);
      }
    }
    QCoreApplication::processEvents();
  }
  // Picks a combo item as its list would and leaves the combo.
  static void ChooseAndLeave(QComboBox* combo, int index, QWidget* next) {
    ASSERT_TRUE(combo && next);
    combo->setFocus();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    next->setFocus();
    QCoreApplication::processEvents();
  }
  static bool SettingsEnglish() { return EnglishVersion(); }
};

HotMenu Menu(std::initializer_list<uint16_t> codes) {
  HotMenu m{};
  size_t i = 0;
  for (uint16_t c : codes) m[i++] = c;
  return m;
}

}  // namespace

TEST_F(HotMenuBlocksPagesTest, PopUpInsertTreeDeleteAndClear) {
  Load("v8002-8k");
  StoreMenu(0, Menu({2, 3}));
  StoreMenu(1, Menu({52, 0, 97}));  // a gap the first refresh closes
  EXPECT_TRUE(RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowHotMenus(dlg);
    QTableWidget* params = Table(dlg, "sghmParams");
    QTableWidget* aver = Table(dlg, "sghmAver");
    ASSERT_TRUE(params && aver);
    EXPECT_EQ(Column(aver, 1).mid(0, 3), (QStringList{"Журнал поездок", "Журнал заправок", ""}));
    EXPECT_EQ(ReadHotMenu(mk_, 1), Menu({52, 0, 97}));  // shown packed, not rewritten yet

    RightClick(params, 1);
    QMenu* row = Popup();
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(Texts(row), (QStringList{"Вставить пункт", "Удалить пункт", "Очистить список"}));
    row->close();

    // The tree of the first menu, by category, in the program's language.
    RightClick(params, 1);
    ClickAction(Popup(), Action(Popup(), "Вставить пункт"));
    QMenu* tree = Popup();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(Texts(tree), (QStringList{"Управление", "Источники", "Границы", "Время", "Дисплей",
                                        "Озвуч.сообщения", "ТО"}));
    tree->close();

    Insert(params, 1, {"Управление", "Вентилятор Вкл/Откл"});
    EXPECT_EQ(ReadHotMenu(mk_, 0), Menu({2, 5, 3}));
    EXPECT_EQ(params->item(1, 1)->text(), "Вентилятор Вкл/Откл");
    // A sub-category two levels down.
    Insert(params, 0, {"Дисплей", "Стрелочные", "Динамика Сглаживать/Данные"});
    EXPECT_EQ(ReadHotMenu(mk_, 0), Menu({27, 2, 5, 3}));
    // Inserting on an empty row appends.
    Insert(aver, 8, {"Журнал поездок", "Записать", "   3     ММ:ЧЧ ДД.ММ"});
    EXPECT_EQ(ReadHotMenu(mk_, 1), Menu({52, 97, 57}));
    EXPECT_EQ(Find<QLabel>(dlg, "lHotMenuStatus")->text(), "");

    RightClick(params, 1);
    ClickAction(Popup(), Action(Popup(), "Удалить пункт"));
    EXPECT_EQ(ReadHotMenu(mk_, 0), Menu({27, 5, 3}));
    EXPECT_EQ(
        Column(params, 1).mid(0, 4),
        (QStringList{"Динамика Сглаживать/Данные", "Вентилятор Вкл/Откл", "Заправлено л", ""}));
    RightClick(aver, 0);
    ClickAction(Popup(), Action(Popup(), "Очистить список"));
    EXPECT_EQ(ReadHotMenu(mk_, 1), HotMenu{});
    EXPECT_EQ(Column(aver, 1), QStringList(10, ""));
    EXPECT_EQ(Column(aver, 0).front(), "1");
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
  }));
  TMK back;
  back.ReplaceImage(mk_.Image(), mk_.DeviceVersion);
  back.DecodeSettingsBlocks();
  EXPECT_EQ(ReadHotMenu(back, 0), Menu({27, 5, 3}));
}

TEST_F(HotMenuBlocksPagesTest, AFullMenuSaysWhichItemWasPushedOut) {
  Load("v8002-8k");
  StoreMenu(3, Menu({146, 147, 148, 149, 150, 151, 152, 153, 154, 155}));
  for (const bool english : {false, true}) {
    SetEnglishVersion(english);
    RunEditor([&](TMK_SetParamsDlg& dlg) {
      ShowHotMenus(dlg);
      QTableWidget* park = Table(dlg, "sghmPark");
      Insert(park, 0,
             english ? QStringList{"Parking", "Short shutdown"}
                     : QStringList{"Парковка", "Кратковр.откл."});
      EXPECT_EQ(ReadHotMenu(mk_, 3), Menu({146, 146, 147, 148, 149, 150, 151, 152, 153, 154}));
      QLabel* status = Find<QLabel>(dlg, "lHotMenuStatus");
      ASSERT_NE(status, nullptr);
      EXPECT_TRUE(status->isVisible());
      EXPECT_EQ(status->text(), english
                                    ? "The hot menu \"Parktronic\" was full: \"F.Operat.speed\" "
                                      "was pushed out of its last row."
                                    : "Горячее меню «Парктроник» было заполнено: пункт "
                                      "«П.Быстродействие» вытеснен из последней строки.");
      // The next edit has nothing to report.
      RightClick(park, 0);
      ClickAction(Popup(), Action(Popup(), english ? "Delete item" : "Удалить пункт"));
      EXPECT_EQ(status->text(), "");
    });
  }
}

TEST_F(HotMenuBlocksPagesTest, DraggingARowByItsNumberMovesIt) {
  Load("v104-8k");
  StoreMenu(0, Menu({5, 9, 20}));
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowHotMenus(dlg);
    QTableWidget* t = Table(dlg, "sghmParams");
    QWidget* vp = t->viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, Cell(t, 0, 0));
    QTest::mouseMove(vp, Cell(t, 1, 0));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, Cell(t, 2, 0));
    EXPECT_EQ(ReadHotMenu(mk_, 0), Menu({9, 20, 5}));
    EXPECT_EQ(t->item(2, 1)->text(), "Вентилятор Вкл/Откл");
    // Dragged by its caption, a row does not move.
    QTest::mousePress(vp, Qt::LeftButton, {}, Cell(t, 0, 1));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, Cell(t, 2, 1));
    EXPECT_EQ(ReadHotMenu(mk_, 0), Menu({9, 20, 5}));
    // Dropped below the last entry, it becomes the last one.
    QTest::mousePress(vp, Qt::LeftButton, {}, Cell(t, 0, 0));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, Cell(t, 7, 0));
    EXPECT_EQ(ReadHotMenu(mk_, 0), Menu({20, 5, 9}));
  });
}

TEST_F(HotMenuBlocksPagesTest, SystemTablesDoubleClicksShowAndCancel) {
  Load("v8003-32k");
  for (int i = 0; i < 32; ++i) mk_.Block(5)[20 + size_t(i)] = 0;
  SelectSystem(mk_, 200, true);  // a code the list does not offer
  StoreMenu(2, Menu({119}));
  mk_.EncodeBlock(5);
  const std::vector<uint8_t> block5(mk_.Block(5).begin(), mk_.Block(5).end());
  const std::vector<uint8_t> block10(mk_.Block(10).begin(), mk_.Block(10).end());
  const auto image = mk_.Image();
  EXPECT_FALSE(RunEditor([&](TMK_SetParamsDlg& dlg) {
    QTableWidget* all = Table(dlg, "sgAllBlocks");
    QTableWidget* used = Table(dlg, "sgUsedBlocks");
    ASSERT_TRUE(all && used);
    ShowBlocks(dlg);
    const auto list = SystemList(dlg.Binder().Context());
    ASSERT_EQ(all->rowCount(), int(list.size()));
    EXPECT_EQ(all->horizontalHeaderItem(0)->text(), "Название");
    EXPECT_EQ(all->horizontalHeaderItem(1)->text(), "Выбр.");
    int abs53 = -1;
    std::vector<int> gs450;
    for (int r = 0; r < all->rowCount(); ++r) {
      if (all->item(r, 0)->text() == "ABS 5.3") abs53 = r;
      if (all->item(r, 0)->text() == "HV ECU GS450H") gs450.push_back(r);
    }
    ASSERT_GE(abs53, 0);
    ASSERT_EQ(gs450.size(), 2u);  // the hybrid protocol lists it twice

    DoubleClick(all, abs53, 0);
    EXPECT_EQ(mk_.Block(5)[22], 0x20);
    EXPECT_EQ(all->item(abs53, 1)->text(), "V");
    EXPECT_EQ(Column(used, 0), QStringList{"ABS 5.3"});

    DoubleClick(all, gs450[1], 1);
    EXPECT_EQ(all->item(gs450[0], 1)->text(), "V");
    EXPECT_EQ(all->item(gs450[1], 1)->text(), "V");
    EXPECT_EQ(Column(used, 0), (QStringList{"ABS 5.3", "HV ECU GS450H"}));

    // The right table only takes away.
    DoubleClick(used, 0, 0);
    EXPECT_EQ(mk_.Block(5)[22], 0x00);
    EXPECT_EQ(all->item(abs53, 1)->text(), "");
    EXPECT_EQ(Column(used, 0), QStringList{"HV ECU GS450H"});

    // "Все" selects the whole list and keeps the code outside it.
    auto* show = Find<TRadioGroup>(dlg, "rgBlocksShow");
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->ItemIndex(), 0);
    QRadioButton* connected = show->Button(2);
    QTest::mouseClick(connected, Qt::LeftButton, {}, QPoint(7, connected->height() / 2));
    EXPECT_EQ(mk_.Block(5)[20] & 0x7F, 2);
    EXPECT_EQ(used->rowCount(), 1);
    QRadioButton* everything = show->Button(0);
    QTest::mouseClick(everything, Qt::LeftButton, {}, QPoint(7, everything->height() / 2));
    EXPECT_EQ(mk_.Block(5)[20] & 0x7F, 0);
    for (int r = 0; r < all->rowCount(); ++r) EXPECT_EQ(all->item(r, 1)->text(), "V") << r;
    EXPECT_EQ(used->rowCount(), int(UsedSystems(mk_, list).size()));
    EXPECT_TRUE(SystemSelected(mk_, 200));

    auto* types = Find<TRadioGroup>(dlg, "rgBlocksShowList");
    QRadioButton* byTypes = types->Button(1);
    QTest::mouseClick(byTypes, Qt::LeftButton, {}, QPoint(7, byTypes->height() / 2));
    EXPECT_EQ(mk_.Block(5)[20], 0x80);

    // A hot-menu edit in the same session goes back too.
    ShowHotMenus(dlg);
    QTableWidget* tax = Table(dlg, "sghmTax");
    RightClick(tax, 0);
    ClickAction(Popup(), Action(Popup(), "Очистить список"));
    EXPECT_EQ(ReadHotMenu(mk_, 2), HotMenu{});
    QTest::mouseClick(dlg.CancelButton(), Qt::LeftButton);
  }));
  EXPECT_EQ(std::vector<uint8_t>(mk_.Block(5).begin(), mk_.Block(5).end()), block5);
  EXPECT_EQ(std::vector<uint8_t>(mk_.Block(10).begin(), mk_.Block(10).end()), block10);
  EXPECT_EQ(mk_.Image(), image);
}

TEST_F(HotMenuBlocksPagesTest, TheListFollowsTheProtocolChosenOnAnotherPage) {
  Load("v8003-32k");
  SetEnglishVersion(true);
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    QTableWidget* all = Table(dlg, "sgAllBlocks");
    ShowBlocks(dlg);
    EXPECT_EQ(all->horizontalHeaderItem(1)->text(), "Sel.");
    const int hybridRows = all->rowCount();
    ASSERT_TRUE(dlg.Binder().Context().EnginePumpProtocol());
    // Another protocol without the engine-pump mark, chosen on the sources page.
    EditorContext& ctx = dlg.Binder().Context();
    int plain = -1;
    for (int i = 0; i < int(ctx.catalog.Protocols().size()) && plain < 0; ++i)
      if (!ctx.catalog.Protocols()[size_t(i)]->IsHybrid) plain = i;
    ASSERT_GE(plain, 0);
    dlg.PageControl()->setCurrentWidget(dlg.Page("tsMeth"));
    QCoreApplication::processEvents();
    auto* tank = Find<QComboBox>(dlg, "cbTankMode");
    ChooseAndLeave(Find<QComboBox>(dlg, "cbProtocolSelectMeth"), 1, tank);
    ChooseAndLeave(Find<QComboBox>(dlg, "cbProtocol"), plain, tank);
    ASSERT_FALSE(ctx.EnginePumpProtocol());
    ShowBlocks(dlg);
    EXPECT_EQ(all->rowCount(), hybridRows - 25);
  });
}
