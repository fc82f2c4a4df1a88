// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Carrying a whole configuration onto the settings of another device, or of
// the same device after a software update: every setting goes by its
// meaning (a protocol by its code, a list item by what it names, menu items
// and parameters by their codes, numbers within the target's limits), the
// tank calibration and the service reminders byte for byte as their side
// files carry them. The account says, page by page, what came along, what
// was left as the target had it and why, and what only the target has.
#include "editor_core/settings_report.h"

namespace tc {

// Carries `source` onto `target` (the context of an open edit session: the
// blocks are changed in place, the caller accepts or cancels). Settings the
// editor only shows (read-only ones) describe the target device and are
// neither carried nor listed. Never throws for a setting that cannot come
// along: it is listed with the reason.
SettingsAccount CarryOver(const EditorContext& source, EditorContext& target, bool english);

}  // namespace tc
