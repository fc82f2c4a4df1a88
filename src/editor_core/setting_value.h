// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing one setting in the units the user sees. Every write goes
// through TMK's typed setters, so a value that does not fit its field is
// refused with RangeError ("Range check error") and nothing is written.
//
// A write that would not change what the control shows writes nothing and
// runs no rule: leaving a control without editing it never rewrites its field
// (a percentage coefficient such as 1.0512 keeps its extra digits).
#include <cstdint>
#include <string>
#include <vector>

#include "editor_core/setting_def.h"
#include "util/errors.h"

namespace tc {

// What one setting holds, as its kind reads it: one stored number for a
// number, item, flag, bit group, date, time, cell or colour (a float field
// by its bits, so a difference below the shown decimals still counts); the
// stored numbers of a structured setting (the table's rows in use, a hot
// menu's entries, the selected systems' codes); the text of a text field.
// Two values are equal exactly when the setting holds the same.
struct SettingValue {
  std::vector<int64_t> numbers;
  std::string text;
  bool isText = false;
  bool operator==(const SettingValue&) const = default;
  // The stored form, for when two values show the same text: "5",
  // "2,3,31,0", "\"name\"".
  std::string StoredText() const;
};
SettingValue ReadValue(const EditorContext& ctx, const SettingDef& def);

// The bytes (and bits of them) a setting's value lies in, from the memory
// map: the field, its bit group, or every element of the arrays it covers.
struct ExtentByte {
  int block;
  int offset;
  uint8_t mask;
};
std::vector<ExtentByte> SettingExtent(const SettingDef& def);
// Whether two extents hold a bit in common (settings that share a byte).
bool ExtentsOverlap(const std::vector<ExtentByte>& a, const std::vector<ExtentByte>& b);

TextPair SettingLabel(const EditorContext& ctx, const SettingDef& def);
std::vector<SettingItem> SettingItems(const EditorContext& ctx, const SettingDef& def);

// The raw value behind a setting: the field, its bit group, or what the
// setting's own read rule makes of its bytes. A text field gives a number
// that changes with the text it shows.
int64_t ReadStored(const EditorContext& ctx, const SettingDef& def);
// Writes the raw value (no page rule runs); false when the setting's write
// rule stores nothing in the current state. Throws RangeError when the value
// does not fit, with nothing written.
bool WriteStored(EditorContext& ctx, const SettingDef& def, int64_t value);
// The spin-edit limits in force (fixed, or from the context).
Limits SettingLimits(const EditorContext& ctx, const SettingDef& def);

// --- Spin edits --------------------------------------------------------------
// A percentage correction as shown for the stored coefficient c: one decimal,
// with a bias of 1e-5 on c so that 1.05 (held as 1.0499999...) shows 5.0.
double PercentShown(double coefficient);
double GetNumber(const EditorContext& ctx, const SettingDef& def);
// Whether `shown`, rounded to the control's decimals, lies within the limits
// in force.
bool WithinLimits(const EditorContext& ctx, const SettingDef& def, double shown);
// "Range check error" followed by what the control takes, in the user's
// language: its limits, narrowed to what the field can hold ("Range check
// error: allowed 30..90").
RangeError OutOfRange(const EditorContext& ctx, const SettingDef& def);
// Rounds `shown` to the control's decimals, checks the control's limits,
// converts (integers rounded half to even) and writes; then runs the page
// rule. Returns false when nothing had to change (a control left untouched
// stays silent even when its stored value lies outside the limits). Throws
// OutOfRange's RangeError with nothing written when the value does not fit.
bool SetNumber(EditorContext& ctx, const SettingDef& def, double shown);

// --- Radio groups and combo boxes ------------------------------------------------
// Index of the item with this stored value, else `fallback` (-1: none).
int ItemIndexOf(const std::vector<SettingItem>& items, int64_t stored, int fallback);
int GetIndex(const EditorContext& ctx, const SettingDef& def);
// Writes the stored value of item `index`; refuses an index outside the items
// or a disabled item with RangeError.
bool SetIndex(EditorContext& ctx, const SettingDef& def, int index);

// --- Check boxes -------------------------------------------------------------------
bool GetCheck(const EditorContext& ctx, const SettingDef& def);
bool SetCheck(EditorContext& ctx, const SettingDef& def, bool checked);

// --- Time fields ----------------------------------------------------------------
// The stored minutes as "HH:MM" (hours wrap at 24, as the device shows them).
std::string GetTimeText(const EditorContext& ctx, const SettingDef& def);
// Stores a time of day from 00:00 to 23:59; any other text is refused with
// TripError naming the field and the form, and nothing is written.
bool SetTimeText(EditorContext& ctx, const SettingDef& def, const std::string& text);

// --- Text fields ------------------------------------------------------------------
// The field's Windows-1251 bytes up to the first 0, as UTF-8.
std::string GetTextValue(const EditorContext& ctx, const SettingDef& def);
// Stores at most `def.max` characters byte for byte, followed by one 0 byte;
// the bytes after it keep their contents. A character Windows-1251 cannot
// hold, or a text that is too long, is refused with TripError in the user's
// language and nothing is stored.
bool SetTextValue(EditorContext& ctx, const SettingDef& def, const std::string& text);

// --- Date fields ------------------------------------------------------------------
// The stored day number as "dd.mm.yy".
std::string GetDateText(const EditorContext& ctx, const SettingDef& def);
// Stores "dd.mm.yy" as its day number. A part that is not a number is refused
// with "'%s' is not a valid integer value" followed by the whole text and the
// form, a day or month that does not exist with a message of its own;
// nothing is stored.
bool SetDateText(EditorContext& ctx, const SettingDef& def, const std::string& text);

// --- Text form (listings and the command line) ------------------------------------
// Numbers with the control's decimals, items by their text, check boxes as
// "on"/"off", times as "HH:MM". A stored value that no item has shows as "?" and the number.
std::string FormatValue(const EditorContext& ctx, const SettingDef& def, bool english);
// Parses a value as FormatValue writes it (items by text in either language,
// or "#N" for the N-th item counted from 0) and stores it like the editor.
// Throws TripError for text that is no value of the setting and RangeError
// for a value that does not fit. A number typed out must lie within the
// limits even when the field already holds it.
//
// Every writer of this file refuses a read-only setting with TripError.
bool SetFromText(EditorContext& ctx, const SettingDef& def, const std::string& text);

}  // namespace tc
