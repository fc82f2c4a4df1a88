// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/tare_table_part.h"

#include <QTableWidget>

#include "editor_core/page_tank.h"

namespace tc {

TTareTablePart::TTareTablePart(QWidget* parent, TSettingsBinder& binder)
    : TTablePart(binder, new QTableWidget(parent), "sgTarir",
                 std::make_unique<TTareRows>(binder.Context().mk),
                 {.rowHeight = 20,
                  .selectRows = false,
                  .scroll = TableLook::Scroll::Vertical,
                  .fitWidth = true}) {
  binder.AddPart(this);
}

}  // namespace tc
