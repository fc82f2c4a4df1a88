#pragma once
// The viewers the main window's steps 2a and 2b open. Each is a modal window
// created for one use.
#include <QString>

class QWidget;

namespace tc {

class TMK;

// Opens the journal viewer; its exports start in `exportFolder`.
void ViewJournals(TMK& mk, const QString& exportFolder, QWidget* parent);
// Opens the oscilloscope viewer.
void ViewOscilloscope(TMK& mk, QWidget* parent);

}  // namespace tc
