#pragma once
// One setting of the editor described as data: the control that shows it,
// its texts, the field behind it and how the stored value becomes the value
// the user sees. The Qt binder builds, fills and stores controls from these
// descriptions; tripconf-cli prints, compares and changes settings by name
// through the very same descriptions, so both follow the same rules.
#include <cstdint>
#include <vector>

#include "model/field.h"
#include "util/text_pair.h"

namespace tc {

class TMK;
class TProtBase;
class TVariantCatalog;
struct VariantFlags;

// What the rules of a page may look at and change: the block copies, and the
// variant selection with its protocol list and current protocol.
struct EditorContext {
  TMK& mk;
  TVariantCatalog& catalog;

  const VariantFlags& Flags() const;
  // Nullptr when the variant offers no protocol.
  const TProtBase* Protocol() const;
};

enum class ControlKind : uint8_t {
  Spin,   // a number, stored when the control is left
  Radio,  // one of a few items, stored when clicked
  Combo,  // one of a list, stored when changed (or when left, see storeOnLeave)
  Check,  // yes or no, stored when clicked
};

// How a spin edit's stored number becomes the number shown.
enum class Conversion : uint8_t {
  Scaled,   // shown = stored / scale, stored = round(shown * scale)
  Percent,  // an f32 coefficient c shown as a correction in percent
};

struct SettingItem {
  TextPair text;
  int64_t stored = 0;  // what the field (or bit) holds when this item is chosen
  bool enabled = true;
};

using ItemsFn = std::vector<SettingItem> (*)(const EditorContext&);
using LabelFn = TextPair (*)(const EditorContext&);
// A page rule that runs right after the setting was stored, with the value
// the field held before. The editor and the command line both run it.
using AfterStoreFn = void (*)(EditorContext&, int64_t previous);

struct SettingDef {
  const char* name = "";  // control name, also the setting's name on the command line
  const char* page = "";  // page control that holds it ("tsCorr")
  ControlKind kind = ControlKind::Spin;
  TextPair label{"", ""};  // caption, or group title of a radio group
  FieldRef field{};
  int bit = -1;           // >= 0: the setting is this bit of the field
  bool inverted = false;  // check box on a bit: the bit is set while the box is clear

  // Spin edits.
  Conversion conversion = Conversion::Scaled;
  double scale = 1;
  double min = 0;
  double max = 0;
  double step = 1;
  int decimals = 0;
  bool typing = true;  // false: only the arrows change the value

  // Radio groups and combo boxes.
  std::vector<SettingItem> items{};  // fixed items
  ItemsFn dynamicItems = nullptr;    // items that depend on the variant or protocol
  int fallbackItem = -1;             // item shown for a stored value that no item has
  int columns = 0;                   // radio groups: 0 = one column per item
  bool storeOnLeave = false;         // combo stored when left rather than when changed

  LabelFn dynamicLabel = nullptr;  // caption that depends on the protocol
  AfterStoreFn afterStore = nullptr;
  bool gas = false;  // a gas control: hidden on variants without gas equipment

  bool IsChoice() const { return kind == ControlKind::Radio || kind == ControlKind::Combo; }
};

}  // namespace tc
