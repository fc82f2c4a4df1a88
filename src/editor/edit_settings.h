// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Step 2 of the main window: the settings editor.
class QWidget;

namespace tc {

class SettingsDocument;

// Opens the settings editor on the model: decodes the edited blocks, selects
// the variant, keeps a backup and shows the editor modally. OK encodes the
// blocks into the settings image and returns true; Cancel (button, Esc or
// closing the window) puts every edited block back and returns false. An
// error before the window opens is shown and leaves the model as it was.
bool EditSettings(SettingsDocument& doc, QWidget* parent);

}  // namespace tc
