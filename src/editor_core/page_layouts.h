// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The display layout pages: which byte each cell of each preview stores, which
// cell a right-click on a preview lands in, what the cell's pop-up offers,
// and storing a choice. The Qt pages and the command line both use these.
#include <optional>
#include <string>
#include <vector>

#include "editor_core/setting_def.h"
#include "model/preview.h"

namespace tc {

struct EditorPage;

struct CellLayout {
  PreviewScreen screen;
  const char* key;         // name on the command line: "x4", "graph", "info" ...
  const EditorPage* page;  // the editor page that shows the layout
  int displays;            // previews on the layout's pages
  int cells;               // cells of one display
};

// Every editable layout: x1, x3, x4, x6, x7, x9, graph, arrow, info.
const std::vector<CellLayout>& CellLayouts();
// The layout of a screen kind; throws RangeError for the menu screen.
const CellLayout& LayoutOf(PreviewScreen screen);
// The byte of (display, cell); throws RangeError outside the layout.
FieldRef CellField(PreviewScreen screen, int display, int cell);
// The variant shows the layout's page.
bool LayoutShown(const EditorContext& ctx, PreviewScreen screen);

// The cell under a right-click at (x, y) of a preview w x h pixels large
// (320 x 240, the info panel 80 x 240), or -1 where a click opens nothing.
int CellAt(PreviewScreen screen, int x, int y, int w, int h);

struct CellChoice {
  int code;
  TextPair caption;
};
// What the pop-up of a cell offers, in order, for the variant and the
// current protocol. Built anew for every opening.
std::vector<CellChoice> CellMenu(const EditorContext& ctx, PreviewScreen screen, int cell);
// The code the cell holds (the info panel's signed).
int StoredCell(const EditorContext& ctx, PreviewScreen screen, int display, int cell);
// Stores a chosen code; RangeError (nothing written) for one that does not
// fit the byte. False when the cell held it already.
bool StoreCellChoice(EditorContext& ctx, PreviewScreen screen, int display, int cell, int code);

// The info-panel items as the variant and protocol number them: an item's
// code is its position here.
std::vector<InfoPanelEntry> InfoPanelItems(const EditorContext& ctx);
// The preview input of a screen as the editor shows it: the variant's x1
// form, "Тип х4" / "Тип х9", the info-panel numbering.
void PreparePreviewInput(const EditorContext& ctx, PreviewScreen screen, PreviewInput& in);
// Names the parameter with code 11 after the stored temperature signature
// (or the variator temperature on variants that measure it).
void ApplyTemperatureSignature(EditorContext& ctx);

// The display cells as named settings "x4.3.2" (display and cell from 1),
// shown as "CODE (caption)".
void AddCellSettings(PreviewScreen screen, std::vector<SettingDef>& schema);
// The pop-up of a cell setting, and the code it holds.
std::vector<CellChoice> CellSettingMenu(const EditorContext& ctx, const SettingDef& def);
int CellSettingCode(const EditorContext& ctx, const SettingDef& def);

}  // namespace tc
