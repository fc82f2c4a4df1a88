// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The definitions of the editor's pages, each in its own page file; the page
// tree (editor_pages.cpp) lists them in order.
#include "editor_core/editor_pages.h"

namespace tc {

extern const EditorPage kCorrPage;     // page_corr.cpp
extern const EditorPage kMethPage;     // page_meth.cpp
extern const EditorPage kLimitsPage;   // page_limits.cpp
extern const EditorPage kVoicePage;    // page_voice.cpp
extern const EditorPage kAverPage;     // page_aver.cpp
extern const EditorPage kParkPage;     // page_park.cpp
extern const EditorPage kTankPage;     // page_tank.cpp
extern const EditorPage kServicePage;  // page_service.cpp
extern const EditorPage kBlocksPage;   // page_blocks.cpp
extern const EditorPage kUniMeasPage;  // page_unimeas.cpp

// The pages of the display page.
extern const EditorPage kColorsPage;  // page_colors.cpp
// The display layouts (page_layouts.cpp).
extern const EditorPage kDisplays1Page;
extern const EditorPage kDisplays4Page;
extern const EditorPage kDisplays9Page;
extern const EditorPage kDisplays7Page;
extern const EditorPage kDisplays3Page;
extern const EditorPage kGraphDisplaysPage;
extern const EditorPage kArrowDisplaysPage;
extern const EditorPage kDisplays6Page;
extern const EditorPage kInfoPanelPage;
extern const EditorPage kHotMenuPage;  // page_hotmenu.cpp
extern const EditorPage kDiversPage;   // page_divers.cpp

}  // namespace tc
