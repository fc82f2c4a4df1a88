#pragma once
// The colour schemes page ("Цветовые схемы"): the palettes and colour roles
// of the day and night schemes, the scheme being edited and the reset to the
// factory schemes.
#include <vector>

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
