// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colour schemes page ("Цветовые схемы"): the palettes and colour roles
// of the day and night schemes, the scheme being edited and the reset to the
// factory schemes.
#include <vector>

#include "editor_core/row_model.h"
#include "editor_core/setting_def.h"
#include "model/preview.h"

namespace tc {

struct RoleRow {
  TextPair caption;
  int role;  // role byte of the scheme (scheme byte 32 + role)
};
struct RoleTable {
  const char* name;  // "sgDigit"
  const char* spin;  // its spin edit, "seDigit"
  std::vector<RoleRow> rows;
};
// The digital displays, menu, graphs and arrow display tables, in order.
const std::vector<RoleTable>& RoleTables();

struct PaletteColour {
  int r = 0, g = 0, b = 0;  // 0..31 each
  friend bool operator==(const PaletteColour&, const PaletteColour&) = default;
};
// Red in bits 15..11, green in 10..5 with its lowest bit repeated in bit 5,
// blue in 4..0. Throws RangeError for a component outside 0..31.
uint16_t PackPaletteColour(const PaletteColour& c);
PaletteColour UnpackPaletteColour(uint16_t stored);

constexpr int kPaletteSize = 16;
// Colour `index` (0..15) of scheme 0 (day) or 1 (night); RangeError outside.
PaletteColour GetPaletteColour(const EditorContext& ctx, int scheme, int index);
bool SetPaletteColour(EditorContext& ctx, int scheme, int index, const PaletteColour& c);
// The palette index a role byte of a scheme holds, and storing one (0..15).
int GetRoleIndex(const EditorContext& ctx, int scheme, int role);
bool SetRoleIndex(EditorContext& ctx, int scheme, int role, int paletteIndex);

// The scheme the page edits: it starts at the device's active scheme.
int EditedScheme(const EditorContext& ctx);
void StartEditingSchemes(EditorContext& ctx);
void SetEditedScheme(EditorContext& ctx, int scheme);
// Both schemes become the model's factory schemes for the variant; the day
// scheme becomes the one edited.
void ResetColourSchemes(EditorContext& ctx);

// The palette of the scheme being edited as a table: 16 rows "Цвет # n",
// each painted in its colour. Edited through the red, green and blue spins.
class TPaletteRows : public TRowModel {
 public:
  explicit TPaletteRows(const EditorContext& ctx) : ctx_(ctx) {}
  std::vector<RowColumn> Columns() const override { return {{}}; }
  int RowCount() const override { return kPaletteSize; }
  std::string Cell(int row, int column, bool english) const override;
  std::optional<Rgb24> RowColour(int row) const override;

 private:
  const EditorContext& ctx_;
};

// Role table t of RoleTables() for the scheme being edited: a row per role,
// painted in the palette colour the role names.
class TRoleRows : public TRowModel {
 public:
  TRoleRows(const EditorContext& ctx, int table) : ctx_(ctx), table_(table) {}
  std::vector<RowColumn> Columns() const override { return {{}}; }
  int RowCount() const override;
  std::string Cell(int row, int column, bool english) const override;
  std::optional<Rgb24> RowColour(int row) const override;

 private:
  const EditorContext& ctx_;
  int table_;
};

// The previews of each sub-page of the colour page.
struct ColourPreview {
  PreviewScreen screen;
  int display;
};
std::vector<ColourPreview> ColourPagePreviews(const char* page);

// day.palette.N (value "R,G,B") and day.sgDigit.R ... (a palette index), the
// same for night.
void AddColorsSettings(std::vector<SettingDef>& schema);

}  // namespace tc
