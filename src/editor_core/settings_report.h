// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comparing two sets of settings setting by setting: by their typed values,
// then byte by byte inside each setting's extent, and last the bytes that no
// setting of the editor covers. The two sides may be documents of different
// variants: each is read through its own context.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor_core/setting_def.h"
#include "editor_core/setting_value.h"

namespace tc {

// What one setting holds in one document.
struct SettingState {
  const SettingDef* def;
  SettingValue value;
  std::string text;  // as FormatValue writes it
  std::string label;
  bool visible;
};
// Every setting of the schema, in schema order.
std::vector<SettingState> SnapshotSettings(const EditorContext& ctx, bool english);

struct NamedDifference {
  const SettingDef* def;
  std::string label;  // from the side that shows the setting
  std::string a;      // shown values; when both show the same text, the
  std::string b;      // stored forms are added in brackets
  // Set when the values are equal and only bytes of the setting's extent
  // that its value does not take in differ (tare rows beyond the point
  // count, the bytes after a text's terminator): which ones, in words.
  std::string note;
};

// A run of differing bytes that no setting names. block 1..13 for the block
// copies; block 0 for image bytes outside every block (directory, carried
// blocks, trailing bytes, oscilloscope records and the rest).
struct ByteRange {
  int block;
  size_t first;
  size_t last;
};

struct SettingsComparison {
  std::vector<NamedDifference> settings;  // in schema order
  std::vector<ByteRange> bytes;
};
// Every setting whose value differs, every setting of whose extent a byte
// differs (a byte shared by several settings names each of them), and the
// bytes no setting covers.
SettingsComparison CompareSettings(const EditorContext& a, const EditorContext& b, bool english);

// --- Accounts ------------------------------------------------------------------------
// What happened to each setting, page by page: the one form in which the
// changes since a read, what a write will change and a carry-over are
// shown (the changes window, the carry-over window, the command line).
enum class AccountOutcome : uint8_t {
  Changed,          // differs between the two sides
  Carried,          // came along, or the target already held the same
  CarriedWithFile,  // came along byte for byte with the tank or service file
  NotShown,         // the target does not show it: left as the target had it
  NotOffered,       // the target offers no item with that meaning
  OutOfRange,       // the number lies outside the target's limits
  EntryMissing,     // entries of a list that the target does not offer
  TargetOnly,       // the target shows it, the source did not
};
TextPair OutcomeText(AccountOutcome outcome);
// Whether the outcome leaves a setting the target shows without the source's value.
bool LeftOut(AccountOutcome outcome);

struct AccountEntry {
  const SettingDef* def;
  std::string label;
  std::string from;  // the source's (or the older) value as shown
  std::string to;    // the target's (or the newer) value as shown
  AccountOutcome outcome;
  std::string reason;  // why it was left, or a note; may be empty
};

struct AccountPage {
  std::string page;     // page control name ("tsCorr")
  std::string caption;  // the editor's caption, with the enclosing page's
  std::vector<AccountEntry> entries;
};

struct SettingsAccount {
  std::vector<AccountPage> pages;  // in the editor's order
  std::vector<ByteRange> bytes;    // differing bytes that no setting covers
  // Adds an entry under its setting's page (settings come in schema order).
  void Add(AccountEntry entry, bool english);
  size_t Count(AccountOutcome outcome) const;
  size_t Entries() const;
  // Some setting the target shows did not come along.
  bool SomethingLeftOut() const;
  const AccountEntry* Find(std::string_view name) const;
};

// "Page / Sub-page" as the editor's tabs name them.
std::string PageCaptionPath(std::string_view page, bool english);

// The differences CompareSettings finds, as an account of Changed entries
// (old -> new) grouped by page.
SettingsAccount ChangesAccount(const EditorContext& before, const EditorContext& after,
                               bool english);

// The account as text, one line per entry under a "# caption" line per page:
// "name<TAB>label<TAB>from -> to" for changes, with the outcome and reason
// for a carry-over.
std::string AccountText(const SettingsAccount& account, bool english);
// The same as a JSON object, for scripts (keys and outcomes in English).
std::string AccountJson(const SettingsAccount& account, bool english);
// A JSON string literal of UTF-8 text: quotes, backslashes and control
// characters escaped, everything else as it is.
std::string JsonString(std::string_view s);

}  // namespace tc
