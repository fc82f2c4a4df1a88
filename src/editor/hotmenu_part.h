// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One hot-menu table of the "Горячие меню" page: ten rows of the row number
// and the item's caption, a row pop-up to insert (from the menu's insert
// tree), delete or clear, and a move by dragging a row by its left column.
// Every rule is the core's (THotMenuRows); the page adds the part.
#include "editor/table_part.h"

class QLabel;
class QTableWidget;

namespace tc {

class THotMenuPart : public TTablePart {
 public:
  // status: the page's status line, shared by its four tables.
  THotMenuPart(TSettingsBinder& binder, int menu, QTableWidget* table, QLabel* status);
};

}  // namespace tc
