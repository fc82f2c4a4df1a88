// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Step 2 of the main window: the settings editor.
#include <functional>

class QWidget;

namespace tc {

class SettingsDocument;
class TMK_SetParamsDlg;

// Opens the settings editor on the model: decodes the edited blocks, selects
// the variant, keeps a backup and shows the editor modally. OK encodes the
// blocks into the settings image and returns true; Cancel (button, Esc or
// closing the window) puts every edited block back and returns false. An
// error before the window opens is shown and leaves the model as it was.
bool EditSettings(SettingsDocument& doc, QWidget* parent);
// The same, with `prepare` run on the editor before it is shown (to turn it
// to a page or reveal a setting).
bool EditSettingsWith(SettingsDocument& doc, QWidget* parent,
                      const std::function<void(TMK_SetParamsDlg&)>& prepare);

}  // namespace tc
