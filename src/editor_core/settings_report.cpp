// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_core/settings_report.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <map>

#include "editor_core/editor_pages.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/tmk.h"
#include "util/text_pair.h"

namespace tc {

namespace {

// Per block and byte, which settings' extents hold which bits of it.
struct Owner {
  size_t setting;  // index in the schema
  uint8_t mask;
};
using Coverage = std::array<std::vector<std::vector<Owner>>, kBlockCount + 1>;

const Coverage& SettingsCoverage() {
  static const Coverage coverage = [] {
    Coverage c;
    for (int n = 1; n <= kBlockCount; ++n) c[size_t(n)].resize(size_t(kBlockSize[size_t(n)]));
    const auto& schema = SettingsSchema();
    for (size_t i = 0; i < schema.size(); ++i)
      for (const ExtentByte& e : SettingExtent(schema[i])) {
        auto& bytes = c[size_t(e.block)];
        if (e.offset >= 0 && size_t(e.offset) < bytes.size())
          bytes[size_t(e.offset)].push_back({i, e.mask});
      }
    return c;
  }();
  return coverage;
}

void AddToRuns(std::vector<ByteRange>& runs, int block, size_t at) {
  if (!runs.empty() && runs.back().block == block && runs.back().last + 1 == at)
    runs.back().last = at;
  else
    runs.push_back({block, at, at});
}

std::string RunsText(const std::vector<ByteRange>& runs, bool english) {
  std::string t;
  for (const ByteRange& r : runs) {
    if (!t.empty()) t += ", ";
    t += TextPair{"блок ", "block "}.Get(english) + std::to_string(r.block) + " ";
    t += r.first == r.last ? TextPair{"байт ", "byte "}.Get(english) + std::to_string(r.first)
                           : TextPair{"байты ", "bytes "}.Get(english) + std::to_string(r.first) +
                                 ".." + std::to_string(r.last);
  }
  return t;
}

// A float by its digits rather than its bits; everything else as stored.
std::string StoredForm(const SettingState& s) {
  const SettingDef& d = *s.def;
  if (d.field.type == FieldType::f32 && d.bit < 0 && !d.read && !d.value &&
      s.value.numbers.size() == 1) {
    const uint32_t bits = uint32_t(s.value.numbers[0]);
    float f;
    std::memcpy(&f, &bits, 4);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", double(f));
    return buf;
  }
  return s.value.StoredText();
}

}  // namespace

std::vector<SettingState> SnapshotSettings(const EditorContext& ctx, bool english) {
  const Visibility v = ControlVisibility(ctx);
  std::vector<SettingState> states;
  for (const auto& d : SettingsSchema())
    states.push_back({&d, ReadValue(ctx, d), FormatValue(ctx, d, english),
                      SettingLabel(ctx, d).Get(english), v.Visible(d.name)});
  return states;
}

SettingsComparison CompareSettings(const EditorContext& ca, const EditorContext& cb, bool english) {
  const auto a = SnapshotSettings(ca, english);
  const auto b = SnapshotSettings(cb, english);
  const Coverage& covered = SettingsCoverage();

  // Bytes of each setting's extent that differ while its value does not.
  std::map<size_t, std::vector<ByteRange>> extentOnly;
  SettingsComparison result;
  for (int n = 1; n <= kBlockCount; ++n) {
    const auto ba = ca.mk.Block(n), bb = cb.mk.Block(n);
    for (size_t i = 0; i < ba.size(); ++i) {
      const uint8_t diff = ba[i] ^ bb[i];
      if (!diff) continue;
      uint8_t named = 0;
      for (const Owner& o : covered[size_t(n)][i]) {
        if (!(o.mask & diff)) continue;
        named |= o.mask;
        if (a[o.setting].value == b[o.setting].value) AddToRuns(extentOnly[o.setting], n, i);
      }
      if (diff & ~named) AddToRuns(result.bytes, n, i);
    }
  }

  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    const SettingState &sa = a[i], &sb = b[i];
    const auto only = extentOnly.find(i);
    if (sa.value == sb.value && only == extentOnly.end()) continue;
    NamedDifference d{
        sa.def, sa.visible || !sb.visible ? sa.label : sb.label, sa.text, sb.text, {}};
    if (sa.value == sb.value) {
      d.note = TextPair{"отличаются байты, не входящие в показываемое значение: ",
                        "stored bytes that the value does not show differ: "}
                   .Get(english) +
               RunsText(only->second, english);
    } else if (d.a == d.b) {
      d.a += " [" + StoredForm(sa) + "]";
      d.b += " [" + StoredForm(sb) + "]";
    }
    result.settings.push_back(std::move(d));
  }

  // Image bytes that lie in no block copy of the first side.
  const TMK &ma = ca.mk, &mb = cb.mk;
  const size_t size = std::max(ma.Image().size(), mb.Image().size());
  std::vector<bool> inBlock(size, false);
  for (int n = 1; n <= kBlockCount; ++n) {
    const DirEntry e = ma.Entry(DirectoryEntryOfBlock(n));
    if (!e.DescribesBlock()) continue;
    const size_t from = e.ImagePosition();
    const size_t len = std::min<size_t>(e.DataSize(), size_t(kBlockSize[size_t(n)]));
    for (size_t i = from; i < std::min(size, from + len); ++i) inBlock[i] = true;
  }
  for (size_t i = 0; i < size; ++i) {
    if (inBlock[i]) continue;
    const int va = i < ma.Image().size() ? ma.Image()[i] : -1;
    const int vb = i < mb.Image().size() ? mb.Image()[i] : -1;
    if (va != vb) AddToRuns(result.bytes, 0, i);
  }
  return result;
}

// --- Accounts --------------------------------------------------------------------------

TextPair OutcomeText(AccountOutcome outcome) {
  switch (outcome) {
    case AccountOutcome::Changed:
      return {"изменено", "changed"};
    case AccountOutcome::Carried:
      return {"перенесено", "carried"};
    case AccountOutcome::CarriedWithFile:
      return {"перенесено с файлом", "carried with its file"};
    case AccountOutcome::NotShown:
      return {"не показывается на этом МК", "not shown on this device"};
    case AccountOutcome::NotOffered:
      return {"значение не предлагается", "value not offered"};
    case AccountOutcome::OutOfRange:
      return {"вне допустимых пределов", "out of range"};
    case AccountOutcome::EntryMissing:
      return {"нет элемента списка", "list entry missing"};
    case AccountOutcome::TargetOnly:
      return {"только в новых настройках", "only in the target"};
  }
  return {"", ""};
}

bool LeftOut(AccountOutcome outcome) {
  return outcome == AccountOutcome::NotOffered || outcome == AccountOutcome::OutOfRange ||
         outcome == AccountOutcome::EntryMissing;
}

std::string PageCaptionPath(std::string_view page, bool english) {
  const EditorPage* p = FindEditorPage(page);
  if (!p) return std::string(page);
  std::string caption = p->caption.Get(english);
  for (const EditorPage* up = ParentPage(*p); up; up = ParentPage(*up))
    caption = up->caption.Get(english) + " / " + caption;
  return caption;
}

void SettingsAccount::Add(AccountEntry entry, bool english) {
  const std::string page = entry.def && entry.def->page ? entry.def->page : "";
  auto it = std::find_if(pages.begin(), pages.end(),
                         [&](const AccountPage& p) { return p.page == page; });
  if (it == pages.end()) {
    pages.push_back({page, PageCaptionPath(page, english), {}});
    it = pages.end() - 1;
  }
  it->entries.push_back(std::move(entry));
}

size_t SettingsAccount::Count(AccountOutcome outcome) const {
  size_t n = 0;
  for (const AccountPage& p : pages)
    for (const AccountEntry& e : p.entries) n += e.outcome == outcome;
  return n;
}

size_t SettingsAccount::Entries() const {
  size_t n = 0;
  for (const AccountPage& p : pages) n += p.entries.size();
  return n;
}

bool SettingsAccount::SomethingLeftOut() const {
  for (const AccountPage& p : pages)
    for (const AccountEntry& e : p.entries)
      if (LeftOut(e.outcome)) return true;
  return false;
}

const AccountEntry* SettingsAccount::Find(std::string_view name) const {
  for (const AccountPage& p : pages)
    for (const AccountEntry& e : p.entries)
      if (e.def && name == e.def->name) return &e;
  return nullptr;
}

SettingsAccount ChangesAccount(const EditorContext& before, const EditorContext& after,
                               bool english) {
  SettingsComparison c = CompareSettings(before, after, english);
  SettingsAccount account;
  for (NamedDifference& d : c.settings)
    account.Add({d.def, std::move(d.label), std::move(d.a), std::move(d.b), AccountOutcome::Changed,
                 std::move(d.note)},
                english);
  account.bytes = std::move(c.bytes);
  return account;
}

std::string AccountText(const SettingsAccount& account, bool english) {
  std::string t;
  for (const AccountPage& p : account.pages) {
    t += "# " + p.caption + "\n";
    for (const AccountEntry& e : p.entries) {
      t += std::string(e.def ? e.def->name : "") + "\t" + e.label + "\t";
      switch (e.outcome) {
        case AccountOutcome::Changed:
          t += e.from + " -> " + e.to;
          break;
        case AccountOutcome::Carried:
        case AccountOutcome::CarriedWithFile:
          t += OutcomeText(e.outcome).Get(english) + "\t" + e.to;
          break;
        case AccountOutcome::TargetOnly:
          t += OutcomeText(e.outcome).Get(english) + "\t" + e.to;
          break;
        default:
          t += OutcomeText(e.outcome).Get(english) + "\t" + e.from + " -> " +
               TextPair{"оставлено ", "kept "}.Get(english) + e.to;
      }
      if (!e.reason.empty()) t += "\t(" + e.reason + ")";
      t += "\n";
    }
  }
  if (!account.bytes.empty())
    t += TextPair{"# Байты вне настроек: ", "# Bytes outside the settings: "}.Get(english) +
         RunsText(account.bytes, english) + "\n";
  return t;
}

std::string JsonString(std::string_view s) {
  std::string out = "\"";
  for (const char c : s) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (uint8_t(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(uint8_t(c)));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

namespace {

const char* OutcomeKey(AccountOutcome outcome) {
  switch (outcome) {
    case AccountOutcome::Changed:
      return "changed";
    case AccountOutcome::Carried:
      return "carried";
    case AccountOutcome::CarriedWithFile:
      return "carried-with-file";
    case AccountOutcome::NotShown:
      return "not-shown";
    case AccountOutcome::NotOffered:
      return "not-offered";
    case AccountOutcome::OutOfRange:
      return "out-of-range";
    case AccountOutcome::EntryMissing:
      return "entry-missing";
    case AccountOutcome::TargetOnly:
      return "target-only";
  }
  return "";
}
}  // namespace

std::string AccountJson(const SettingsAccount& account, bool english) {
  std::string j = "{\"complete\": ";
  j += account.SomethingLeftOut() ? "false" : "true";
  j += ", \"pages\": [";
  for (size_t i = 0; i < account.pages.size(); ++i) {
    const AccountPage& p = account.pages[i];
    j += i ? ",\n  " : "\n  ";
    j += "{\"page\": " + JsonString(p.page) + ", \"caption\": " + JsonString(p.caption) +
         ", \"settings\": [";
    for (size_t k = 0; k < p.entries.size(); ++k) {
      const AccountEntry& e = p.entries[k];
      j += k ? ",\n    " : "\n    ";
      j += "{\"name\": " + JsonString(e.def ? e.def->name : "") +
           ", \"label\": " + JsonString(e.label) + ", \"outcome\": \"" + OutcomeKey(e.outcome) +
           "\", \"outcome_text\": " + JsonString(OutcomeText(e.outcome).Get(english)) +
           ", \"from\": " + JsonString(e.from) + ", \"to\": " + JsonString(e.to) +
           ", \"reason\": " + JsonString(e.reason) + "}";
    }
    j += "]}";
  }
  j += "],\n \"bytes\": [";
  for (size_t i = 0; i < account.bytes.size(); ++i) {
    const ByteRange& r = account.bytes[i];
    j += i ? ", " : "";
    j += "{\"block\": " + std::to_string(r.block) + ", \"first\": " + std::to_string(r.first) +
         ", \"last\": " + std::to_string(r.last) + "}";
  }
  return j + "]}\n";
}

}  // namespace tc
