// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hot menus page ("Горячие меню"): four short lists of device menu items
// that the driver reaches with one key. Each is ten 16-bit menu codes, kept
// packed (the used entries first, in order, zeros after). The rules of the
// page's tables live here so the editor and the command line share them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editor_core/row_model.h"
#include "model/settings_layout.h"
#include "util/text_pair.h"

namespace tc {

class TMK;
class TMenuItemCatalog;
struct EditorContext;
struct VariantFlags;

constexpr int kHotMenuCount = layout::kHotMenus.rows;
constexpr int kHotMenuRows = layout::kHotMenus.cols;
using HotMenu = std::array<uint16_t, kHotMenuRows>;

// The caption of hot menu m ("Параметры", ...) and the name of its setting.
TextPair HotMenuCaption(int menu);
const char* HotMenuSettingName(int menu);

HotMenu ReadHotMenu(const TMK& mk, int menu);
// Stores one menu as given and packs the other three (a change to any menu
// leaves no gap in any of them).
void WriteHotMenu(TMK& mk, int menu, const HotMenu& entries);

// The entries without gaps: the non-zero codes first, in their order.
HotMenu PackHotMenu(const HotMenu& entries);
// Puts `code` at `row`, the entries from there on one row down. Returns the
// code that was pushed out of the last row (0 when that row was empty).
uint16_t InsertHotMenuEntry(HotMenu& entries, int row, uint16_t code);
// Empties `row`; the entries after it move up.
void DeleteHotMenuEntry(HotMenu& entries, int row);
void ClearHotMenu(HotMenu& entries);
// Moves the entry of row `from` to row `to`; the entries between shift by
// one toward the vacated row.
void MoveHotMenuEntry(HotMenu& entries, int from, int to);

// One node of a hot menu's insert tree: a category (code 0, with children)
// or an item of the device menu.
struct HotMenuNode {
  std::string ru;
  std::string en;
  uint16_t code = 0;
  std::string ident;  // items only
  std::vector<HotMenuNode> children;

  bool IsItem() const { return code != 0; }
  const std::string& Caption(bool english) const { return english ? en : ru; }
};

// What can be inserted into hot menu m on this variant, as the page's
// pop-up offers it: categories and items in their fixed order. Items the
// catalogue does not hold are left out; their categories stay, even empty.
std::vector<HotMenuNode> HotMenuInsertTree(int menu, const TMenuItemCatalog& items,
                                           const VariantFlags& flags);
// The item of the tree with this code or identifier, or nullptr.
const HotMenuNode* FindInTree(const std::vector<HotMenuNode>& tree, uint16_t code);
const HotMenuNode* FindInTree(const std::vector<HotMenuNode>& tree, const std::string& ident);

// An entry as the page and the command line name it: the catalogue caption,
// or "?" and the code for a code the catalogue does not hold.
std::string HotMenuEntryCaption(const TMenuItemCatalog& items, uint16_t code, bool english);
// What the user is told when an insert pushed `dropped` out of a full menu.
std::string HotMenuDroppedNote(const TMenuItemCatalog& items, int menu, uint16_t dropped,
                               bool english);

// Inserts into hot menu m of the model, packed before and after, and says
// which item was pushed out, if one was (empty text otherwise).
std::string InsertIntoHotMenu(EditorContext& ctx, int menu, int row, uint16_t code, bool english);

// Hot menu m as a table of the page: ten rows of the row number (the handle
// a row is dragged by) and the entry's caption, shown packed without
// rewriting the list; a row pop-up inserts (from the menu's insert tree),
// deletes or clears. Every edit stores the menu packed.
class THotMenuRows : public TRowModel {
 public:
  // Ids of the pop-up's actions; an insert's id is the item's code.
  static constexpr int kDelete = -1;
  static constexpr int kClear = -2;

  THotMenuRows(EditorContext& ctx, int menu) : ctx_(ctx), menu_(menu) {}
  std::vector<RowColumn> Columns() const override;
  int RowCount() const override { return kHotMenuRows; }
  std::string Cell(int row, int column, bool english) const override;
  bool Movable() const override { return true; }
  RowEdit MoveRow(int from, int to) override;
  const char* PopupName() const override { return "pmHotMenu"; }
  std::vector<RowChoice> RowMenu(int row) const override;
  RowEdit RunChoice(int row, int id, bool english) override;

 private:
  EditorContext& ctx_;
  int menu_;
};

}  // namespace tc
