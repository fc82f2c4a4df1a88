#pragma once
// The windows that the main window's steps 2, 2a and 2b open. Each is a
// modal window created for one use.
#include "editor/edit_settings.h"

class QWidget;

namespace tc {

class TMK;

// Opens the journal viewer.
void ViewJournals(TMK& mk, QWidget* parent);
// Opens the oscilloscope viewer.
void ViewOscilloscope(TMK& mk, QWidget* parent);

}  // namespace tc
