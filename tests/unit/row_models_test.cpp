// SPDX-License-Identifier: GPL-3.0-or-later
// The tables of the editor pages as row models, without widgets: what each
// shows (and that showing writes nothing), and every edit they offer.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor_core/page_blocks.h"
#include "editor_core/page_colors.h"
#include "editor_core/page_hotmenu.h"
#include "editor_core/page_tank.h"
#include "editor_core/row_model.h"
#include "model/settings_layout.h"
#include "side_pages_fixture.h"
#include "util/errors.h"

using namespace tc;
using test::SampleModel;

namespace {

std::vector<std::string> ColumnTexts(const TRowModel& m, int column, bool english = false) {
  std::vector<std::string> t;
  for (int r = 0; r < m.RowCount(); ++r) t.push_back(m.Cell(r, column, english));
  return t;
}

using Blocks = std::vector<std::vector<uint8_t>>;
Blocks AllBlocks(const SampleModel& m) {
  Blocks b;
  for (int n = 1; n <= 13; ++n) b.push_back(m.BlockBytes(n));
  return b;
}

HotMenu Menu(std::initializer_list<uint16_t> codes) {
  HotMenu m{};
  size_t i = 0;
  for (uint16_t c : codes) m[i++] = c;
  return m;
}

}  // namespace

TEST(TareRows, ShowThePointsInUseAndStoreEditsByTheTableRule) {
  SampleModel m("v104-8k");
  TTareRows rows(m.mk);
  const auto columns = rows.Columns();
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[1].caption.Get(true), "litres");
  EXPECT_EQ(columns[1].maxDigits, 3);
  EXPECT_EQ(columns[2].maxDigits, 4);
  EXPECT_EQ(columns[0].maxDigits, 0);  // the row number is not typed over

  m.mk.SetInt(layout::kTarirLeng, 3);
  ASSERT_EQ(rows.RowCount(), 3);
  EXPECT_EQ(rows.Cell(2, 0, false), "3");
  EXPECT_EQ(rows.Cell(1, 1, false), std::to_string(m.mk.GetInt(layout::kTareLitres[1])));

  const RowEdit e = rows.StoreCells(
      {{"1", "10", "200"}, {"2", "2 0", "400"}, {"3", "30", "600"}, {"", "99", "9"}});
  EXPECT_TRUE(e.changed);
  EXPECT_EQ(ColumnTexts(rows, 1), (std::vector<std::string>{"10", "20", "30"}));
  EXPECT_EQ(ColumnTexts(rows, 2), (std::vector<std::string>{"200", "400", "600"}));
  EXPECT_EQ(m.mk.GetInt(layout::kTarirSlopeMark), 0);
  EXPECT_FALSE(
      rows.StoreCells({{"1", "10", "200"}, {"2", "20", "400"}, {"3", "30", "600"}}).changed);

  // A litres value beyond a byte stops the store at its row.
  EXPECT_THROW(rows.StoreCells({{"1", "11", "241"}, {"2", "300", "5"}, {"3", "7", "7"}}),
               RangeError);
  EXPECT_EQ(ColumnTexts(rows, 1), (std::vector<std::string>{"11", "20", "30"}));
  EXPECT_EQ(m.mk.GetInt(layout::kTarirSlopeMark), 1);
}

TEST(TareRows, WithoutPointsOrWithTooManyOneEmptyRowIsShownAndNothingWritten) {
  SampleModel m("v104-8k");
  TTareRows rows(m.mk);
  for (int count : {0, 69, 70, 255}) {
    m.mk.SetInt(layout::kTarirLeng, count);
    const Blocks before = AllBlocks(m);
    ASSERT_EQ(rows.RowCount(), 1) << count;
    EXPECT_EQ(rows.Cell(0, 0, false), "1");
    EXPECT_EQ(rows.Cell(0, 1, false), "");
    EXPECT_EQ(rows.Cell(0, 2, false), "");
    EXPECT_EQ(AllBlocks(m), before) << count;
    // Cells typed into the empty row have no point to go to.
    EXPECT_FALSE(rows.StoreCells({{"1", "5", "500"}}).changed);
    EXPECT_EQ(AllBlocks(m), before) << count;
  }
}

TEST(HotMenuRows, ShowPackedWithoutWritingAndEditThroughThePopUp) {
  SampleModel m("v8002-8k");
  const TMenuItemCatalog& items = m.ctx.catalog.MenuItems();
  const auto caption = [&](uint16_t code) { return HotMenuEntryCaption(items, code, false); };
  WriteHotMenu(m.mk, 1, Menu({5, 0, 9}));
  THotMenuRows rows(m.ctx, 1);
  ASSERT_EQ(rows.RowCount(), kHotMenuRows);
  EXPECT_EQ(rows.Cell(9, 0, false), "10");
  EXPECT_EQ(rows.Cell(1, 1, false), caption(9));
  EXPECT_EQ(rows.Cell(2, 1, false), "");
  EXPECT_EQ(ReadHotMenu(m.mk, 1), Menu({5, 0, 9}));  // shown packed, not rewritten

  // The pop-up: insert (the menu's tree as a second pop-up), delete, clear.
  const auto menu = rows.RowMenu(0);
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[0].Caption(true), "Insert item");
  EXPECT_STREQ(menu[0].popupName, "pmHotMenuInsert");
  const auto tree = HotMenuInsertTree(1, items, m.ctx.Flags());
  ASSERT_EQ(menu[0].choices.size(), tree.size());
  for (size_t i = 0; i < tree.size(); ++i) {
    EXPECT_EQ(menu[0].choices[i].ru, tree[i].ru);
    EXPECT_EQ(menu[0].choices[i].id, tree[i].code);
    EXPECT_EQ(menu[0].choices[i].choices.size(), tree[i].children.size());
  }
  EXPECT_EQ(menu[1].Caption(false), "Удалить пункт");
  EXPECT_EQ(menu[2].Caption(false), "Очистить список");

  // Delete of an entry closes the gap the list was stored with.
  EXPECT_TRUE(rows.RunChoice(0, menu[1].id, false).changed);
  EXPECT_EQ(ReadHotMenu(m.mk, 1), Menu({9}));
  EXPECT_TRUE(rows.RunChoice(0, 7, false).changed);
  EXPECT_EQ(ReadHotMenu(m.mk, 1), Menu({7, 9}));
  EXPECT_TRUE(rows.RunChoice(5, menu[2].id, false).changed);
  EXPECT_EQ(ReadHotMenu(m.mk, 1), HotMenu{});
  EXPECT_FALSE(rows.RunChoice(0, menu[2].id, false).changed);

  // A full menu: the insert says which item was pushed out.
  WriteHotMenu(m.mk, 1, Menu({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  const RowEdit full = rows.RunChoice(0, 11, true);
  EXPECT_EQ(ReadHotMenu(m.mk, 1), Menu({11, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(full.note, HotMenuDroppedNote(items, 1, 10, true));

  // Dragging row 0 of (5, 9, 20) to row 2; then below the last entry.
  WriteHotMenu(m.mk, 1, Menu({5, 9, 20}));
  EXPECT_TRUE(rows.Movable());
  EXPECT_TRUE(rows.MoveRow(0, 2).changed);
  EXPECT_EQ(ReadHotMenu(m.mk, 1), Menu({9, 20, 5}));
  EXPECT_TRUE(rows.MoveRow(0, 7).changed);
  EXPECT_EQ(ReadHotMenu(m.mk, 1), Menu({20, 5, 9}));
  EXPECT_THROW(rows.MoveRow(0, 10), RangeError);
  EXPECT_EQ(ReadHotMenu(m.mk, 1), Menu({20, 5, 9}));
}

TEST(SystemRows, DoubleClicksChangeTheSelectionOfTheRowsOnShow) {
  SampleModel m("v8003-32k");
  for (int i = 0; i < layout::kUsedBlocks.count; ++i) m.mk.SetInt(layout::kUsedBlocks[i], 0);
  SelectSystem(m.mk, 200, true);  // not in the list
  TSystemRows all(m.ctx);
  TUsedSystemRows used(m.ctx, all);
  EXPECT_EQ(all.RowCount(), 0);  // taken when the page comes to the front
  all.Rebuild();
  ASSERT_EQ(all.List().size(), SystemList(m.ctx).size());
  EXPECT_EQ(all.Columns()[1].caption.Get(false), "Выбр.");

  const auto rowOf = [&](int code) {
    std::vector<int> r;
    for (int i = 0; i < all.RowCount(); ++i)
      if (all.List()[size_t(i)].code == code) r.push_back(i);
    return r;
  };
  const int abs53 = rowOf(21).at(0);
  EXPECT_EQ(all.Cell(abs53, 0, false), "ABS 5.3");
  EXPECT_EQ(all.Cell(abs53, 1, false), "");
  EXPECT_TRUE(all.ActivateRow(abs53).changed);
  EXPECT_EQ(m.mk.GetInt(layout::kUsedBlocks[2]), 0x20);
  EXPECT_EQ(all.Cell(abs53, 1, false), "V");

  // The GS450H is listed twice: both rows follow one bit, the right table names it once.
  const auto gs450 = rowOf(143);
  ASSERT_EQ(gs450.size(), 2u);
  all.ActivateRow(gs450[1]);
  EXPECT_EQ(all.Cell(gs450[0], 1, false), "V");
  used.Sync();
  EXPECT_EQ(ColumnTexts(used, 0), (std::vector<std::string>{"ABS 5.3", "HV ECU GS450H"}));

  // The right table takes away the row on show.
  EXPECT_TRUE(used.ActivateRow(0).changed);
  EXPECT_FALSE(SystemSelected(m.mk, 21));
  used.Sync();
  EXPECT_EQ(ColumnTexts(used, 0), std::vector<std::string>{"HV ECU GS450H"});
  EXPECT_FALSE(used.ActivateRow(1).changed);  // beyond the rows on show
  EXPECT_TRUE(SystemSelected(m.mk, 143));
  EXPECT_TRUE(SystemSelected(m.mk, 200));
}

TEST(ColourRows, PaintTheSchemeBeingEdited) {
  SampleModel m("v8003-32k");
  SetPaletteColour(m.ctx, 0, 3, {31, 0, 0});
  SetPaletteColour(m.ctx, 1, 3, {0, 0, 31});
  TPaletteRows palette(m.ctx);
  ASSERT_EQ(palette.RowCount(), 16);
  EXPECT_EQ(palette.Cell(3, 0, false), "Цвет # 3");
  EXPECT_EQ(palette.Cell(15, 0, true), "Color # 15");
  SetEditedScheme(m.ctx, 0);
  EXPECT_EQ(palette.RowColour(3), (Rgb24{255, 0, 0}));
  SetEditedScheme(m.ctx, 1);
  EXPECT_EQ(palette.RowColour(3), (Rgb24{0, 0, 255}));

  // A role row shows the palette entry its byte names.
  TRoleRows menu(m.ctx, 1);
  ASSERT_EQ(menu.RowCount(), 3);
  EXPECT_EQ(menu.Cell(2, 0, true), "Hot item num.color");
  SetRoleIndex(m.ctx, 1, crMenuHotNumber, 3);
  EXPECT_EQ(menu.RowColour(2), (Rgb24{0, 0, 255}));
  SetEditedScheme(m.ctx, 0);
  SetRoleIndex(m.ctx, 0, crMenuHotNumber, 3);
  EXPECT_EQ(menu.RowColour(2), (Rgb24{255, 0, 0}));
}
