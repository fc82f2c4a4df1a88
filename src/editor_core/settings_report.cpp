#include "editor_core/settings_report.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/tmk.h"

namespace tc {

namespace {

// Raw identity of a stored value: float fields by their bits, so that a
// difference below the shown decimals still counts.
int64_t RawStored(const EditorContext& ctx, const SettingDef& d) {
  if (d.bit < 0 && d.field.type == FieldType::f32) {
    const float f = float(ctx.mk.GetFloat(d.field));
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return bits;
  }
  // A structured setting is every byte it covers (a hot menu, the system
  // bits), not only the first one.
  if (d.IsStructured() && d.bytes > 0) {
    const auto block = ctx.mk.Block(d.field.block);
    uint64_t h = 1469598103934665603ull;
    for (int i = 0; i < d.bytes && d.field.offset + i < int(block.size()); ++i)
      h = (h ^ block[size_t(d.field.offset + i)]) * 1099511628211ull;
    return int64_t(h);
  }
  return ReadStored(ctx, d);
}

// Per block, the bits of each byte that a setting stores.
using Coverage = std::array<std::vector<uint8_t>, kBlockCount + 1>;
const Coverage& SettingsCoverage() {
  static const Coverage coverage = [] {
    Coverage c;
    for (int n = 1; n <= kBlockCount; ++n) c[n].assign(kBlockSize[n], 0);
    for (const auto& d : SettingsSchema()) {
      auto& bytes = c[d.field.block];
      if (d.bit >= 0) {
        for (int b = d.bit; b < d.bit + d.bits; ++b)
          bytes[d.field.offset + b / 8] |= uint8_t(1u << (b % 8));
      } else {
        const int width = d.bytes ? d.bytes : d.field.Width();
        for (int i = 0; i < width && d.field.offset + i < int(bytes.size()); ++i)
          bytes[d.field.offset + i] = 0xFF;
      }
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

}  // namespace

std::vector<SettingState> SnapshotSettings(const EditorContext& ctx, bool english) {
  const Visibility v = ControlVisibility(ctx);
  std::vector<SettingState> states;
  for (const auto& d : SettingsSchema()) {
    const bool isFloat = d.bit < 0 && d.field.type == FieldType::f32;
    states.push_back({&d, RawStored(ctx, d), ReadStored(ctx, d),
                      isFloat ? ctx.mk.GetFloat(d.field) : 0.0, FormatValue(ctx, d, english),
                      SettingLabel(ctx, d).Get(english), v.Visible(d.name)});
  }
  return states;
}

std::vector<NamedDifference> DiffNamedSettings(const std::vector<SettingState>& a,
                                               const std::vector<SettingState>& b) {
  std::vector<NamedDifference> diffs;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    const SettingState &sa = a[i], &sb = b[i];
    // Only what is stored counts: the same subtype byte under two protocols
    // reads as different items, yet the files agree on it.
    if (sa.raw == sb.raw) continue;
    std::string ta = sa.text, tb = sb.text;
    if (ta == tb) {
      ta += " [" + std::to_string(sa.stored) + "]";
      tb += " [" + std::to_string(sb.stored) + "]";
      if (ta == tb) {  // floats that differ below what the control shows
        ta = std::to_string(sa.value);
        tb = std::to_string(sb.value);
      }
    }
    // A protocol-dependent caption is taken from the model that uses it.
    diffs.push_back({sa.def, sa.visible || !sb.visible ? sa.label : sb.label, ta, tb});
  }
  return diffs;
}

std::vector<ByteRange> DiffUnnamedBytes(const TMK& a, const TMK& b) {
  std::vector<ByteRange> runs;
  const Coverage& covered = SettingsCoverage();
  for (int n = 1; n <= kBlockCount; ++n) {
    const auto ba = a.Block(n), bb = b.Block(n);
    for (size_t i = 0; i < ba.size(); ++i)
      if (((ba[i] ^ bb[i]) & ~covered[n][i]) != 0) AddToRuns(runs, n, i);
  }

  // Image bytes that lie in no block copy of the first model.
  const size_t size = std::max(a.Image().size(), b.Image().size());
  std::vector<bool> inBlock(size, false);
  for (int n = 1; n <= kBlockCount; ++n) {
    const DirEntry e = a.Entry(DirectoryEntryOfBlock(n));
    if (!e.DescribesBlock()) continue;
    const size_t from = e.ImagePosition();
    const size_t len = std::min<size_t>(e.DataSize(), size_t(kBlockSize[n]));
    for (size_t i = from; i < std::min(size, from + len); ++i) inBlock[i] = true;
  }
  for (size_t i = 0; i < size; ++i) {
    if (inBlock[i]) continue;
    const int va = i < a.Image().size() ? a.Image()[i] : -1;
    const int vb = i < b.Image().size() ? b.Image()[i] : -1;
    if (va != vb) AddToRuns(runs, 0, i);
  }
  return runs;
}

}  // namespace tc
