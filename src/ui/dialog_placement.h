// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's dialogs open.
class QWidget;

namespace tc {

// Moves `window` so that its frame is centred on the available area of the
// screen `near` is on (the primary screen without one). Call it from
// showEvent or once the window has its final size.
void CentreOnScreen(QWidget* window, const QWidget* near = nullptr);

}  // namespace tc
