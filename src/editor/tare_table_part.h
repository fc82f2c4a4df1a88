// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tare table of the tank page: one row per point (number, litres,
// sensor value), cells limited to 3 and 4 digits. An edit is stored by the
// table's rule when the table is left, or when OK is pressed meanwhile.
#include "editor/table_part.h"

class QWidget;

namespace tc {

class TTareTablePart : public TTablePart {
 public:
  // Joins the binder's cycle itself.
  TTareTablePart(QWidget* parent, TSettingsBinder& binder);
};

}  // namespace tc
