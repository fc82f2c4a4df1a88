// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's placement in the ini file: State (0 normal, 1 minimized,
// 2 maximized), Left, Top, Width, Height.
#include <string>

class QWidget;

namespace tc {

class TMIniFile;

// Missing keys keep the window's current values; a negative Left or Top
// becomes 0. Width and Height are applied only to a sizeable window (a
// negative value becomes 100). Call it before the window is shown.
void LoadPlacement(const TMIniFile& ini, const std::string& section, QWidget& window,
                   bool sizeable);
void SavePlacement(TMIniFile& ini, const std::string& section, const QWidget& window);

}  // namespace tc
