// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The display preview: one painter per kind of trip-computer screen, drawing
// from the block copies of TMK (cell codes and colour schemes in block 10,
// info-panel cells in block 13) and the measured-parameter list into a
// PreviewSurface.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalog/meas_par.h"
#include "catalog/variant_flags.h"
#include "model/preview_surface.h"
#include "util/text_pair.h"

namespace tc {

class TMK;

// Colour roles of a scheme (scheme bytes 32..55), by the screens that use them.
enum ColourRole : uint8_t {
  crDigitColor1 = 0,
  crDigitBack1 = 1,
  crDigitColor2 = 2,
  crDigitBack2 = 3,
  crDigitFrame = 4,
  crMenuActiveText = 5,
  crMenuActiveBack = 6,
  crMenuHotNumber = 7,
  crGraphAxes = 8,
  crGraphBack = 9,
  crGraph1 = 10,
  crGraph2 = 11,
  crGraphTitleBack = 12,
  crArrowScaleBack = 13,
  crArrowTitle = 14,
  crArrowLeftDial = 15,
  crArrowRightDial = 16,
  crArrowLeftScale = 17,
  crArrowRightScale = 18,
  crArrowLeftNeedle = 19,
  crArrowRightNeedle = 20,
  crArrowTitleBack = 21,
  crArrowHighExpScale = 22,
  crDigitBottomPanel = 23,
};
constexpr int kColourRoleCount = 24;

// RGB565 colour of role r of scheme m (0 day, 1 night) as block 10 holds it.
// The role byte picks one of the scheme's 16 palette entries; only its low
// four bits count, so a damaged byte cannot reach outside the palette.
// Throws RangeError for a scheme or role outside the table.
uint16_t SchemeColour(const TMK& mk, int scheme, int role);

// --- Info panel ----------------------------------------------------------------
enum class InfoItem : uint8_t {
  CheckEngine,
  Warning,
  EngineSpeed,
  Speed,
  SpeedLastKm,
  CoolantTemp,
  AirTemp,
  GearboxTemp,
  GearboxMode,
  BatteryVoltage,
  Tank,
  GasPetrol,
  EngineSpeedElectric,
  HvbTemp,
  HvbIntakeTemp,
  HvbFan,
  ElMotorTemp,
  EngineTemp,
  WaterTemp,
  CylinderTemp,
  Trim,
  Roll,
  Pitch,
};

struct InfoPanelEntry {
  InfoItem item;
  TextPair caption;  // the item's name in the cell menu
};

// The info-panel items a variant offers, in order; an item's code is its
// position in this list. enginePumpMark: the protocol carries the
// engine-pump mark (the hybrid's engine-speed item then reads "EngSpEl").
std::vector<InfoPanelEntry> BuildInfoPanelItems(const VariantFlags& flags, bool enginePumpMark);

// --- Screens -------------------------------------------------------------------
enum class PreviewScreen { X1, X3, X4, X6, X7, X9, Graph, Arrow, Menu, Info };

// "x1", "x3", ... "graph", "arrow", "menu", "info"; nullopt for another name.
std::optional<PreviewScreen> PreviewScreenByName(const std::string& name);
const char* PreviewScreenName(PreviewScreen screen);
// Number of displays of a kind (x4: 6, x9: 3, x7: 4, x3: 3, x1: 4 (one per
// row of the shared x7 table), x6: 2, graph: 8, arrow: 8, menu and info: 1).
int PreviewDisplayCount(PreviewScreen screen);
// 320 x 240, or 80 x 240 for the info panel.
int PreviewWidth(PreviewScreen screen);

struct PreviewInput {
  PreviewInput(const TMK& m, const TMeasParList& p) : mk(m), params(p) {}
  const TMK& mk;               // block copies
  const TMeasParList& params;  // parameters looked up by the cells' codes
  int scheme = 0;              // 0 day, 1 night
  bool english = false;        // language of the fixed texts and captions
  // Second drawing: the x1 form of the variants that have it, x4 / x9 type 2.
  bool secondForm = false;
  // Info-panel numbering (code -> item), as the editor's menu has it.
  std::vector<InfoPanelEntry> infoItems;
};

// Draws one display (0-based) of a screen kind. The surface must be as wide
// as PreviewWidth(screen). Throws RangeError for a display number outside
// 0 .. PreviewDisplayCount - 1 or a scheme other than 0 and 1.
void PaintPreview(PreviewSurface& s, PreviewScreen screen, const PreviewInput& in, int display);

void PaintX1(PreviewSurface& s, const PreviewInput& in, int display);
void PaintX3(PreviewSurface& s, const PreviewInput& in, int display);
void PaintX4(PreviewSurface& s, const PreviewInput& in, int display);
void PaintX6(PreviewSurface& s, const PreviewInput& in, int display);
void PaintX7(PreviewSurface& s, const PreviewInput& in, int display);
void PaintX9(PreviewSurface& s, const PreviewInput& in, int display);
void PaintGraph(PreviewSurface& s, const PreviewInput& in, int display);
void PaintArrow(PreviewSurface& s, const PreviewInput& in, int display);
void PaintMenu(PreviewSurface& s, const PreviewInput& in);
void PaintInfoPanel(PreviewSurface& s, const PreviewInput& in);

}  // namespace tc
