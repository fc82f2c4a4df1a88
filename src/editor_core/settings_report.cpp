// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_core/settings_report.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <map>

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

}  // namespace tc
