// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One setting of the editor described as data: the control that shows it,
// its texts, the field behind it and how the stored value becomes the value
// the user sees. The Qt binder builds, fills and stores controls from these
// descriptions; tripconf-cli prints, compares and changes settings by name
// through the very same descriptions, so both follow the same rules.
#include <cstdint>
#include <string>
#include <utility>
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
  // The current protocol's code, or -1 without one.
  int ProtocolCode() const;
  // The current protocol carries the engine-pump mark (a hybrid drive).
  bool EnginePumpProtocol() const;

  // The colour scheme the colour page edits (0 day, 1 night); editor state,
  // not a setting.
  int colourScheme = 0;

  // Where a rule that stores but leaves something out says what (the
  // command line prints these); nullptr when nobody listens.
  std::vector<std::string>* notes = nullptr;
  void Note(std::string text) const {
    if (notes) notes->push_back(std::move(text));
  }
};

enum class ControlKind : uint8_t {
  Spin,   // a number, stored when the control is left
  Radio,  // one of a few items, stored when clicked
  Combo,  // one of a list, stored when changed (or when left, see storeOnLeave)
  Check,  // yes or no, stored when clicked
  Time,   // a time of day "HH:MM" held as minutes since midnight, stored when left
  Text,   // Windows-1251 text of a fixed field
  Date,   // a date "dd.mm.yy" held as a day number
  // Structured settings: shown by an editor part of their page, written as
  // text through the setting's format and parse rules.
  Table,     // rows of cells (the tare table)
  CodeList,  // a packed list of codes (a hot menu)
  CodeSet,   // a set of codes held as bits (the additional systems)
  Cell,      // a display cell: a parameter code chosen from a list
  Colour,    // red, green and blue of a palette entry
};

// How a spin edit's stored number becomes the number shown.
enum class Conversion : uint8_t {
  Scaled,   // shown = stored / scale, stored = round(shown * scale)
  Percent,  // an f32 coefficient c shown as a correction in percent
};

struct SettingItem {
  TextPair text;
  int64_t stored = 0;  // what the field (or bit group) holds when this item is chosen
  bool enabled = true;
  // Why a disabled item cannot be chosen, as the end of "'M' cannot be
  // chosen for NAME ..."; empty: the current protocol does not allow it.
  TextPair whyDisabled{"", ""};
};

struct Limits {
  double min = 0;
  double max = 0;
};

struct SettingDef;
struct SettingValue;

// Hooks get the setting itself, so one function serves a family of
// settings told apart by `index` (the eight subtype slots, the 24 warnings).
using ItemsFn = std::vector<SettingItem> (*)(const EditorContext&, const SettingDef&);
using LabelFn = TextPair (*)(const EditorContext&, const SettingDef&);
using LimitsFn = Limits (*)(const EditorContext&, const SettingDef&);
// A page rule that runs right after the setting was stored, with the raw
// value it held before. The editor and the command line both run it.
using AfterStoreFn = void (*)(EditorContext&, const SettingDef&, int64_t previous);
// Settings whose value is not simply a field or a bit group of one (packed
// bytes, a value copied to a second field) read and write through these.
// A write returns false when the rule stores nothing in the current state.
using ReadFn = int64_t (*)(const EditorContext&, const SettingDef&);
using WriteFn = bool (*)(EditorContext&, const SettingDef&, int64_t value);
// The text form of a setting that is more than one number (structured kinds,
// texts, dates): what `get` prints and what `set` takes. Parse stores like
// the editor (false when nothing changed) and throws TripError for text
// that is no value of the setting, RangeError for one that does not fit.
using FormatFn = std::string (*)(const EditorContext&, const SettingDef&, bool english);
using ParseFn = bool (*)(EditorContext&, const SettingDef&, const std::string& text);
// The typed value of a setting that is more than one stored number (the
// rows of a table, the codes of a list or a set).
using ValueFn = SettingValue (*)(const EditorContext&, const SettingDef&);

struct SettingDef {
  const char* name = "";  // control name, also the setting's name on the command line
  ControlKind kind = ControlKind::Spin;
  TextPair label{"", ""};  // caption, or group title of a radio group
  FieldRef field{};
  // bit >= 0: the setting is `bits` bits of the field from this bit on; the
  // other bits of the field are kept.
  int bit = -1;
  int bits = 1;
  bool inverted = false;  // check box on a bit: the bit is set while the box is clear
  int index = 0;          // which member of a family of settings this is

  // Spin edits.
  Conversion conversion = Conversion::Scaled;
  double scale = 1;
  double min = 0;
  double max = 0;
  double step = 1;
  int decimals = 0;
  bool typing = true;         // false: only the arrows change the value
  LimitsFn limits = nullptr;  // limits that depend on the context (else min..max)

  // Radio groups and combo boxes.
  std::vector<SettingItem> items{};  // fixed items
  ItemsFn dynamicItems = nullptr;    // items that depend on the variant or protocol
  int fallbackItem = -1;             // item shown for a stored value that no item has
  int columns = 0;                   // radio groups: 0 = one column per item
  bool storeOnLeave = false;         // combo stored when left rather than when changed
  bool storeOnChange = false;        // spin edit stored on every change, not only when left

  LabelFn dynamicLabel = nullptr;  // caption that depends on the protocol
  AfterStoreFn afterStore = nullptr;
  ReadFn read = nullptr;
  WriteFn write = nullptr;
  FormatFn format = nullptr;
  ParseFn parse = nullptr;
  ValueFn value = nullptr;
  // Structured settings: the arrays of the memory map whose every element
  // they cover, instead of `field` alone (see SettingExtent).
  std::vector<FieldArray> covers{};
  bool gas = false;  // a gas control: hidden on variants without gas equipment
  // Shown only, never edited (the editor disables its control): every value
  // writer refuses it, naming it as read-only.
  bool readOnly = false;

  // Filled in when the page registers its settings: the page control that
  // holds the setting ("tsCorr").
  const char* page = "";

  bool IsChoice() const { return kind == ControlKind::Radio || kind == ControlKind::Combo; }
  // Shown through an editor part rather than one bound control.
  bool IsStructured() const { return kind >= ControlKind::Table; }
};

}  // namespace tc
