// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tmk.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "catalog/variants.h"
#include "model/settings_layout.h"
#include "util/cp1251.h"
#include "util/errors.h"

namespace tc {

namespace {
uint64_t ReadLE(const uint8_t* p, int width) {
  uint64_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}
void WriteLE(uint8_t* p, int width, uint64_t v) {
  for (int i = 0; i < width; ++i) p[i] = uint8_t(v >> (8 * i));
}
}  // namespace

TMK::TMK(bool english) {
  for (int n = 1; n <= kBlockCount; ++n) blocks_[n].assign(kBlockSize[n], 0);
  BuildFactorySchemes(false);
  // The first list is built before any variant is selected, that is with
  // every capability clear.
  BuildMeasParList(VariantFlags{});
  FillDefaults();
  // The default menu is that of a model that holds no settings yet.
  TVariantCatalog initial;
  initial.SelectVariant(1, 0, 0);
  PlaceDefaultMenuCodes(initial);
  FillRemainingDefaults(english);
}

TMK::~TMK() = default;

// --- Directory ---------------------------------------------------------------

namespace {
uint64_t ReadImageLE(std::span<const uint8_t> image, size_t at, int width) {
  uint64_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | (at + i < image.size() ? image[at + i] : 0);
  return v;
}
}  // namespace

std::vector<uint8_t> ImageOfMemory(std::span<const uint8_t> memory) {
  if (memory.size() < 2 * kMemoryPageSize) return {};
  std::vector<uint8_t> image(memory.size() - 2 * kMemoryPageSize);
  for (size_t p = 0; p < image.size(); ++p)
    image[p] = memory[MemoryPositionOf(p, uint32_t(memory.size()))];
  return image;
}

DirEntry TMK::EntryOf(std::span<const uint8_t> image, int k) {
  if (k < 1 || k > 14) throw RangeError();
  return {uint16_t(ReadImageLE(image, 4 * k, 2)), uint16_t(ReadImageLE(image, 4 * k + 2, 2))};
}

uint32_t TMK::EntryCountOf(std::span<const uint8_t> image) {
  return uint32_t(ReadImageLE(image, 0, 4));
}

DirEntry TMK::Entry(int k) const {
  return EntryOf(directory_, k);
}

uint32_t TMK::EntryCountToWrite() const {
  return EntryCountOf(directory_);
}
uint32_t TMK::LayoutVersion() const {
  return uint32_t(ReadLE(directory_.data() + 60, 4));
}

void TMK::RefreshDirectory() {
  const size_t n = std::min<size_t>(kDirectorySize, image_.size());
  std::copy_n(image_.begin(), n, directory_.begin());
}

void TMK::ReplaceImage(std::vector<uint8_t> image, uint16_t deviceVersion) {
  image_ = std::move(image);
  DeviceVersion = deviceVersion;
}

void TMK::ReplaceImage(std::vector<uint8_t> image) {
  image_ = std::move(image);
}

// --- Blocks ------------------------------------------------------------------

std::span<uint8_t> TMK::Block(int n) {
  if (n < 1 || n > kBlockCount) throw RangeError();
  return blocks_[n];
}

std::span<const uint8_t> TMK::Block(int n) const {
  if (n < 1 || n > kBlockCount) throw RangeError();
  return blocks_[n];
}

size_t TMK::BlockPosition(int block, DirEntry& e) {
  if (block < 1 || block > kBlockCount) throw RangeError();
  RefreshDirectory();
  e = Entry(DirectoryEntryOfBlock(block));
  if (e.size < kBlockTrailer) throw RangeError();
  // A lower address would point before the start of the image.
  if (e.address < kImageAddressBase)
    throw RangeError("Range check error: block " + std::to_string(block) +
                     " lies before the start of the settings image (address " +
                     std::to_string(e.address) + ")");
  return e.ImagePosition();
}

void TMK::DecodeBlock(int n) {
  DirEntry e;
  const size_t pos = BlockPosition(n, e);
  size_t count = std::min<size_t>(e.DataSize(), blocks_[n].size());
  if (pos >= image_.size()) return;
  count = std::min(count, image_.size() - pos);
  std::copy_n(image_.begin() + pos, count, blocks_[n].begin());
}

void TMK::EncodeBlock(int n) {
  DirEntry e;
  const size_t pos = BlockPosition(n, e);
  const auto& b = blocks_[n];
  // A block that is shorter in the device gets only its own bytes: the rest
  // of the copy would land on its trailing bytes and on whatever follows.
  const size_t count = std::min<size_t>(e.DataSize(), b.size());
  if (image_.size() < pos + count) image_.resize(pos + count, 0);
  std::copy_n(b.begin(), count, image_.begin() + pos);
}

namespace {
constexpr int kLastAlwaysDescribed = 12;
}  // namespace

void TMK::DecodeSettingsBlocks() {
  for (int n = 1; n <= kLastAlwaysDescribed; ++n) DecodeBlock(n);
  if (Entry(DirectoryEntryOfBlock(13)).DescribesBlock()) DecodeBlock(13);
}

void TMK::DecodeIdentityBlock() {
  DecodeBlock(layout::kProtocolNumber.block);
}

void TMK::EncodeSettingsBlocks() {
  for (int n = 1; n <= kLastAlwaysDescribed; ++n) EncodeBlock(n);
  if (Entry(DirectoryEntryOfBlock(13)).DescribesBlock()) EncodeBlock(13);
}

TMK::State TMK::SaveState() const {
  return State{image_, DeviceVersion, directory_, blocks_};
}

void TMK::RestoreState(State state) {
  image_ = std::move(state.image);
  DeviceVersion = state.deviceVersion;
  directory_ = state.directory;
  for (int n = 1; n <= kBlockCount; ++n)
    if (state.blocks[size_t(n)].size() == blocks_[size_t(n)].size())
      blocks_[size_t(n)] = std::move(state.blocks[size_t(n)]);
}

// --- Fields ------------------------------------------------------------------

void TMK::CheckField(const FieldRef& f) const {
  if (f.block < 1 || f.block > kBlockCount) throw RangeError();
  if (f.Width() <= 0 || size_t(f.offset) + f.Width() > blocks_[f.block].size()) throw RangeError();
}

int64_t TMK::GetInt(const FieldRef& f) const {
  CheckField(f);
  const uint8_t* p = blocks_[f.block].data() + f.offset;
  switch (f.type) {
    case FieldType::s8:
      return int8_t(p[0]);
    case FieldType::u8:
      return p[0];
    case FieldType::s16:
      return int16_t(ReadLE(p, 2));
    case FieldType::u16:
      return uint16_t(ReadLE(p, 2));
    case FieldType::s32:
      return int32_t(ReadLE(p, 4));
    case FieldType::u32:
      return uint32_t(ReadLE(p, 4));
    case FieldType::f32:
      return int64_t(std::llround(GetFloat(f)));
    case FieldType::text:
      break;
  }
  throw RangeError();
}

double TMK::GetFloat(const FieldRef& f) const {
  CheckField(f);
  if (f.type != FieldType::f32) return double(GetInt(f));
  float v;
  uint32_t bits = uint32_t(ReadLE(blocks_[f.block].data() + f.offset, 4));
  std::memcpy(&v, &bits, 4);
  return v;
}

double TMK::GetValue(const FieldRef& f) const {
  return f.type == FieldType::f32 ? GetFloat(f) : double(GetInt(f));
}

void TMK::SetInt(const FieldRef& f, int64_t v) {
  CheckField(f);
  int64_t lo = 0, hi = 0;
  if (f.type == FieldType::f32) {
    SetFloat(f, double(v));
    return;
  }
  if (!f.IntegerRange(lo, hi)) throw RangeError();
  if (v < lo || v > hi) throw RangeError();
  WriteLE(blocks_[f.block].data() + f.offset, f.Width(), uint64_t(v));
}

void TMK::SetFloat(const FieldRef& f, double v) {
  CheckField(f);
  if (f.type != FieldType::f32) {
    SetValue(f, v);
    return;
  }
  if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) throw RangeError();
  const float fv = float(v);
  uint32_t bits;
  std::memcpy(&bits, &fv, 4);
  WriteLE(blocks_[f.block].data() + f.offset, 4, bits);
}

void TMK::SetValue(const FieldRef& f, double v) {
  if (f.type == FieldType::f32) return SetFloat(f, v);
  if (!std::isfinite(v) || v != std::floor(v) || std::fabs(v) > 9.0e15) throw RangeError();
  SetInt(f, int64_t(v));
}

std::string TMK::GetText(const FieldRef& f) const {
  CheckField(f);
  const uint8_t* p = blocks_[f.block].data() + f.offset;
  std::string raw;
  for (int i = 0; i < f.length && p[i] != 0; ++i) raw += char(p[i]);
  return Cp1251ToUtf8(raw);
}

void TMK::SetText(const FieldRef& f, const std::string& utf8) {
  CheckField(f);
  if (f.type != FieldType::text) throw RangeError();
  const std::string raw = Utf8ToCp1251(utf8);
  uint8_t* p = blocks_[f.block].data() + f.offset;
  const size_t n = std::min<size_t>(raw.size(), f.length);
  std::copy_n(raw.begin(), n, p);
  std::fill(p + n, p + f.length, uint8_t{0});
}

// --- Oscilloscope --------------------------------------------------------------

void TMK::LoadOscRecords() {
  for (int r = 0; r < 2; ++r) {
    auto& rec = OscRecords[r];
    rec.fill(0);
    const size_t pos = kOscRecordPos[r];
    if (pos >= image_.size()) continue;
    const size_t n = std::min<size_t>(kOscRecordSize, image_.size() - pos);
    std::copy_n(image_.begin() + pos, n, rec.begin());
  }
}

}  // namespace tc
