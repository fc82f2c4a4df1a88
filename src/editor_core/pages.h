#pragma once
// Each page's settings and its UpdateVariantControls, one pair per page
// file; the page tree (editor_pages.cpp) is the one place that joins them to
// the pages.
#include <vector>

#include "editor_core/setting_def.h"
#include "model/field.h"

namespace tc {

class Visibility;

void AddCorrSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsCorr(const EditorContext& ctx, Visibility& v);

void AddMethSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsMeth(const EditorContext& ctx, Visibility& v);

void AddLimitsSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsLimits(const EditorContext& ctx, Visibility& v);

// After the trim low limit is stored: a high limit at or below it becomes
// low + 1, stored at once, so the stored pair always keeps low < high.
void ApplyTrimRule(EditorContext& ctx);

void AddVoiceSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsVoice(const EditorContext& ctx, Visibility& v);

// The warnings of the sounds page: the rows and which have a "next" group.
struct WarningRow {
  TextPair name;
  bool hasNext;
};
constexpr int kWarningCount = 24;
const WarningRow& Warning(int k);
// The warning at this index whose byte means "water in fuel" with one
// protocol and "engine pump" with hybrid ones, instead of the diesel filter.
constexpr int kSharedWarning = 17;
constexpr int kWaterInFuelProtocol = 0xE1;

void AddAverSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsAver(const EditorContext& ctx, Visibility& v);

void AddParkSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsPark(const EditorContext& ctx, Visibility& v);

// The display-selection groups of the display options page: one check box
// per display, named cbShowDisp_<key>_<index>.
struct DisplayGroup {
  const char* key;
  TextPair caption;
  int count;
  int perColumn;                // 0: one row; else columns of this many ("#1".."#8")
  std::vector<TextPair> names;  // captions of the check boxes, else "#n"
};
const std::vector<DisplayGroup>& DisplayGroups();
// The mask field of display `display` (from 0) of a group, and its bit there.
FieldRef DisplayMaskField(const DisplayGroup& g, int display, int* bit);

void AddDiversSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsDivers(const EditorContext& ctx, Visibility& v);

void AddTankSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsTank(const EditorContext& ctx, Visibility& v);

void AddServiceSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsService(const EditorContext& ctx, Visibility& v);

void AddUniMeasSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsUniMeas(const EditorContext& ctx, Visibility& v);

// The display layout pages, one cell table each (page_layouts.cpp), and the
// colour schemes (page_colors.cpp).
void AddDisplays1Settings(std::vector<SettingDef>& schema);
void AddDisplays3Settings(std::vector<SettingDef>& schema);
void AddDisplays4Settings(std::vector<SettingDef>& schema);
void AddDisplays6Settings(std::vector<SettingDef>& schema);
void AddDisplays7Settings(std::vector<SettingDef>& schema);
void AddDisplays9Settings(std::vector<SettingDef>& schema);
void AddGraphDisplaysSettings(std::vector<SettingDef>& schema);
void AddArrowDisplaysSettings(std::vector<SettingDef>& schema);
void AddInfoPanelSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsLayouts(const EditorContext& ctx, Visibility& v);
void AddColorsSettings(std::vector<SettingDef>& schema);

// Hot menus (page_hotmenu.h holds their rules).
void AddHotMenuSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsHotMenu(const EditorContext& ctx, Visibility& v);

// Additional systems (page_blocks.h holds their rules).
void AddBlocksSettings(std::vector<SettingDef>& schema);
void UpdateVariantControlsBlocks(const EditorContext& ctx, Visibility& v);

}  // namespace tc
