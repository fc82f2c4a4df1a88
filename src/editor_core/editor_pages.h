#pragma once
// The pages of the settings editor, their captions and when they are shown.
// Each page also names the function that adds its settings to the schema and
// the function that computes which of its controls are visible.
#include <string_view>
#include <vector>

#include "editor_core/setting_def.h"

namespace tc {

class Visibility;

struct EditorPage {
  const char* name;  // page control name ("tsCorr")
  TextPair caption;
  // Nullptr: always shown.
  bool (*shown)(const VariantFlags&) = nullptr;
  void (*addSettings)(std::vector<SettingDef>&) = nullptr;
  // The page's UpdateVariantControls.
  void (*updateVariantControls)(const EditorContext&, Visibility&) = nullptr;
  std::vector<EditorPage> pages;  // a page control inside the page
};

// The main page control, in order.
const std::vector<EditorPage>& EditorPages();
bool PageShown(const EditorPage& page, const VariantFlags& flags);
// A page or sub-page by name, or nullptr.
const EditorPage* FindEditorPage(std::string_view name);

}  // namespace tc
