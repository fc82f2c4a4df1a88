// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's open and save dialogs start: its own folder, or the
// user's documents folder for an installed program. Only the application
// knows which; it says so at start-up, and windows that open dialogs of their
// own (the side files of the editor's pages) ask here.
#include <QString>

namespace tc {

// The folder set by the application; the program's folder until it sets one.
QString DialogStartFolder();
void SetDialogStartFolder(const QString& folder);

}  // namespace tc
