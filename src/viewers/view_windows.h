// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The viewers the main window's steps 2a and 2b open. Each is a modal window
// created for one use.
#include <QString>

class QWidget;

namespace tc {

class SettingsDocument;

// Opens the journal viewer; its exports start in `exportFolder`.
void ViewJournals(SettingsDocument& doc, const QString& exportFolder, QWidget* parent);
// Opens the oscilloscope viewer.
void ViewOscilloscope(SettingsDocument& doc, QWidget* parent);

}  // namespace tc
