// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_core/carry_over.h"

#include <algorithm>
#include <optional>
#include <set>

#include "catalog/protocol.h"
#include "catalog/variants.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/service_file.h"
#include "model/side_file.h"
#include "model/tank_file.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc {

namespace {

// The protocol list differs between variants and the field holds a position
// in it, so the protocol is matched by its code.
constexpr std::string_view kProtocolSetting = "cbProtocol";

struct Attempt {
  AccountOutcome outcome;
  std::string reason;
};

// The item a choice holds, or nullptr for a stored value no item has.
std::optional<SettingItem> HeldItem(const EditorContext& ctx, const SettingDef& d) {
  const auto items = SettingItems(ctx, d);
  const int i = GetIndex(ctx, d);
  if (i < 0 || size_t(i) >= items.size()) return std::nullopt;
  return items[size_t(i)];
}

bool SameText(const TextPair& a, const TextPair& b) {
  return std::string_view(a.ru) == b.ru || std::string_view(a.en) == b.en;
}

// Whether the target holds what the source holds, by meaning: items whose
// list depends on the variant by their text (their position may differ),
// the protocol by its code, everything else by its typed value.
bool SameMeaning(const EditorContext& src, const EditorContext& tgt, const SettingDef& d) {
  if (d.name == kProtocolSetting && src.Protocol() && tgt.Protocol())
    return src.ProtocolCode() == tgt.ProtocolCode();
  if (d.IsChoice() && d.dynamicItems) {
    const auto a = HeldItem(src, d), b = HeldItem(tgt, d);
    if (a && b) return SameText(a->text, b->text);
  }
  return ReadValue(src, d) == ReadValue(tgt, d);
}

std::string Quote(const std::string& s) {
  return "\u00AB" + s + "\u00BB";
}

// Every code of a structured list, in order, without the empty entries.
std::vector<int64_t> ListCodes(const EditorContext& ctx, const SettingDef& d) {
  std::vector<int64_t> codes;
  for (int64_t c : ReadValue(ctx, d).numbers)
    if (c) codes.push_back(c);
  return codes;
}

std::string JoinCodes(const std::vector<int64_t>& codes) {
  std::string t;
  for (int64_t c : codes) t += (t.empty() ? "" : ", ") + std::to_string(c);
  return t.empty() ? "-" : t;
}

void RunAfterStore(EditorContext& tgt, const SettingDef& d, int64_t previous) {
  if (d.afterStore) d.afterStore(tgt, d, previous);
}

Attempt CarryChoice(const EditorContext& src, EditorContext& tgt, const SettingDef& d,
                    bool english) {
  const auto items = SettingItems(tgt, d);
  int found = -1;
  if (d.name == kProtocolSetting && src.Protocol()) {
    const auto& protocols = tgt.catalog.Protocols();
    for (size_t i = 0; i < protocols.size(); ++i)
      if (protocols[i]->Code == src.ProtocolCode()) found = int(i);
    if (found < 0)
      return {AccountOutcome::NotOffered,
              TextPair{"этот МК не знает протокола ", "this device has no protocol "}.Get(english) +
                  Quote(src.Protocol()->NameText.Get(english)) + " (" +
                  std::to_string(src.ProtocolCode()) + ")"};
  } else {
    const auto held = HeldItem(src, d);
    if (!held)
      return {AccountOutcome::NotOffered,
              TextPair{"в исходных настройках значение не из списка",
                       "the source holds a value that is not in the list"}
                  .Get(english)};
    for (size_t i = 0; i < items.size() && found < 0; ++i)
      if (d.dynamicItems ? SameText(items[i].text, held->text) : items[i].stored == held->stored)
        found = int(i);
    if (found < 0)
      return {AccountOutcome::NotOffered,
              Quote(held->text.Get(english)) +
                  TextPair{" здесь не предлагается", " is not offered here"}.Get(english)};
    // Several items may carry the same text; the one with the same stored
    // value is the closest.
    for (size_t i = 0; i < items.size(); ++i)
      if (SameText(items[i].text, held->text) && items[i].stored == held->stored) found = int(i);
  }
  const SettingItem& item = items[size_t(found)];
  if (!item.enabled)
    return {AccountOutcome::NotOffered,
            Quote(item.text.Get(english)) + (std::string_view(item.whyDisabled.ru).empty()
                                                 ? TextPair{" не допускается при этом протоколе",
                                                            " is not allowed with this protocol"}
                                                       .Get(english)
                                                 : " " + item.whyDisabled.Get(english))};
  SetIndex(tgt, d, found);
  return {AccountOutcome::Carried, {}};
}

Attempt CarryNumber(const EditorContext& src, EditorContext& tgt, const SettingDef& d,
                    bool english) {
  const double shown = GetNumber(src, d);
  if (!WithinLimits(tgt, d, shown)) {
    const Limits l = SettingLimits(tgt, d);
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*f %s %.*f..%.*f", d.decimals, shown,
                  english ? "is outside" : "вне пределов", d.decimals, l.min, d.decimals, l.max);
    return {AccountOutcome::OutOfRange, buf};
  }
  // The stored number itself, so a coefficient keeps the digits the
  // control does not show.
  const bool real = d.conversion == Conversion::Percent || d.field.type == FieldType::f32;
  if (real && !d.read && !d.write && d.bit < 0) {
    const int64_t previous = tgt.mk.GetInt(d.field);
    tgt.mk.SetFloat(d.field, src.mk.GetFloat(d.field));
    RunAfterStore(tgt, d, previous);
  } else {
    const int64_t previous = ReadStored(tgt, d);
    if (WriteStored(tgt, d, ReadStored(src, d))) RunAfterStore(tgt, d, previous);
  }
  return {AccountOutcome::Carried, {}};
}

// Entry by entry: the entries the target offers come along in their
// order, the others are named.
Attempt CarryList(const EditorContext& src, EditorContext& tgt, const SettingDef& d, bool english) {
  const auto codes = ListCodes(src, d);
  try {
    SetFromText(tgt, d, JoinCodes(codes));
    return {AccountOutcome::Carried, {}};
  } catch (const TripError&) {
  }
  std::vector<int64_t> offered, missing;
  for (int64_t c : codes) {
    auto trial = offered;
    trial.push_back(c);
    try {
      SetFromText(tgt, d, JoinCodes(trial));
      offered = std::move(trial);
    } catch (const TripError&) {
      missing.push_back(c);
    }
  }
  SetFromText(tgt, d, JoinCodes(offered));
  return {AccountOutcome::EntryMissing,
          TextPair{"этот МК не предлагает: ", "not offered by this device: "}.Get(english) +
              JoinCodes(missing)};
}

Attempt CarryOne(const EditorContext& src, EditorContext& tgt, const SettingDef& d, bool english) {
  try {
    switch (d.kind) {
      case ControlKind::Radio:
      case ControlKind::Combo:
        return CarryChoice(src, tgt, d, english);
      case ControlKind::Spin:
        return CarryNumber(src, tgt, d, english);
      case ControlKind::Check:
        SetCheck(tgt, d, GetCheck(src, d));
        break;
      case ControlKind::Time:
        SetTimeText(tgt, d, GetTimeText(src, d));
        break;
      case ControlKind::Date:
        SetDateText(tgt, d, GetDateText(src, d));
        break;
      case ControlKind::Text:
        SetTextValue(tgt, d, GetTextValue(src, d));
        break;
      case ControlKind::CodeList:
      case ControlKind::CodeSet:
        return CarryList(src, tgt, d, english);
      case ControlKind::Table:
      case ControlKind::Cell:
      case ControlKind::Colour:
        SetFromText(tgt, d, FormatValue(src, d, english));
        break;
    }
  } catch (const RangeError& e) {
    return {AccountOutcome::OutOfRange, e.what()};
  } catch (const std::exception& e) {
    return {AccountOutcome::NotOffered, e.what()};
  }
  return {AccountOutcome::Carried, {}};
}

// The bytes each side file carries, by block and offset.
using ByteSet = std::set<std::pair<int, int>>;
ByteSet SideFileByteSet(const SideFileFormat& format) {
  ByteSet bytes;
  for (const SideFileEntry& e : format.entries)
    for (int i = 0; i < e.Bytes(); ++i) bytes.insert({e.field.block, e.field.offset + i});
  return bytes;
}

bool WithinBytes(const SettingDef& d, const ByteSet& bytes) {
  const auto extent = SettingExtent(d);
  return !extent.empty() && std::all_of(extent.begin(), extent.end(), [&](const ExtentByte& b) {
    return bytes.count({b.block, b.offset}) > 0;
  });
}

}  // namespace

SettingsAccount CarryOver(const EditorContext& source, EditorContext& target, bool english) {
  const auto& schema = SettingsSchema();
  const Visibility sourceShown = ControlVisibility(source);

  std::vector<SettingValue> before;
  for (const SettingDef& d : schema) before.push_back(ReadValue(target, d));

  // The calibration and the service reminders come along as their files
  // carry them, whatever the lists of the target offer.
  const SideFileFormat* const files[] = {&TankFileFormat(), &ServiceFileFormat()};
  std::vector<ByteSet> fileBytes;
  for (const SideFileFormat* f : files) {
    ApplySideFileBytes(target.mk, *f, SideFileBytes(source.mk, *f));
    fileBytes.push_back(SideFileByteSet(*f));
  }
  const auto carriedByFile = [&](const SettingDef& d) -> const SideFileFormat* {
    for (size_t k = 0; k < fileBytes.size(); ++k)
      if (WithinBytes(d, fileBytes[k])) return files[k];
    return nullptr;
  };

  // A setting may become shown, or a later rule may move an earlier one
  // (a protocol resets its subtypes), so the settings are gone through
  // again while that changes anything.
  std::vector<std::optional<Attempt>> attempts(schema.size());
  for (int pass = 0; pass < 4; ++pass) {
    const Visibility shown = ControlVisibility(target);
    bool changed = false;
    for (size_t i = 0; i < schema.size(); ++i) {
      const SettingDef& d = schema[i];
      if (d.readOnly || carriedByFile(d) || !sourceShown.Visible(d.name) ||
          !shown.Visible(d.name) || SameMeaning(source, target, d))
        continue;
      const SettingValue before = ReadValue(target, d);
      attempts[i] = CarryOne(source, target, d, english);
      changed |= ReadValue(target, d) != before;
    }
    if (!changed) break;
  }

  const Visibility shown = ControlVisibility(target);
  // Which settings still differ from the source, by the comparison every
  // other view of differences uses.
  std::set<const SettingDef*> differ;
  for (const NamedDifference& n : CompareSettings(source, target, english).settings)
    if (n.note.empty()) differ.insert(n.def);

  SettingsAccount account;
  for (size_t i = 0; i < schema.size(); ++i) {
    const SettingDef& d = schema[i];
    if (d.readOnly) continue;
    const bool inSource = sourceShown.Visible(d.name), inTarget = shown.Visible(d.name);
    const SideFileFormat* file = carriedByFile(d);
    // A setting neither side shows is listed only when its file changed it.
    if (!inSource && !inTarget && !(file && ReadValue(target, d) != before[i])) continue;
    AccountEntry e{&d,
                   SettingLabel(inTarget ? target : source, d).Get(english),
                   FormatValue(source, d, english),
                   FormatValue(target, d, english),
                   AccountOutcome::Carried,
                   {}};
    const bool same =
        d.IsChoice() && d.dynamicItems ? SameMeaning(source, target, d) : !differ.count(&d);
    if (file) {
      e.outcome = AccountOutcome::CarriedWithFile;
      e.reason = TextPair{"файл ", "the file of "}.Get(english) + file->what.Get(english);
    } else if (!inSource) {
      e.outcome = AccountOutcome::TargetOnly;
    } else if (!inTarget) {
      e.outcome = AccountOutcome::NotShown;
    } else if (!same) {
      if (attempts[i] && attempts[i]->outcome != AccountOutcome::Carried) {
        e.outcome = attempts[i]->outcome;
        e.reason = attempts[i]->reason;
      } else {
        // Carried once, then moved again by the rule of another setting.
        e.outcome = AccountOutcome::NotOffered;
        e.reason = TextPair{"изменено правилами редактора для других настроек",
                            "changed by the editor's rules for other settings"}
                       .Get(english);
      }
    }
    account.Add(std::move(e), english);
  }
  return account;
}

}  // namespace tc
