// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/hotmenu_part.h"

#include "editor_core/page_hotmenu.h"

namespace tc {

THotMenuPart::THotMenuPart(TSettingsBinder& binder, int menu, QTableWidget* table, QLabel* status)
    : TTablePart(binder, table, HotMenuSettingName(menu),
                 std::make_unique<THotMenuRows>(binder.Context(), menu),
                 {.rowHeight = 20, .scroll = TableLook::Scroll::Never, .fitHeight = true}) {
  SetStatus(status);
}

}  // namespace tc
