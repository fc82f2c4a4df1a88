// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a tank (.dvkpo) or service (.dvkpt) file loaded over a sample:
// the read refuses or returns them, the load copies them into the blocks
// and they come back out unchanged, through the image too; the tank table
// and every setting then show and the table parses back as itself.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "editor_core/edit_session.h"
#include "editor_core/page_tank.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "fuzz_input.h"
#include "model/sample_image.h"
#include "model/service_file.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tank_file.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"

namespace {

// The blocks a side file reaches.
std::vector<int> BlocksOf(const tc::SideFileFormat& format) {
  std::vector<int> blocks;
  for (const auto& e : format.entries)
    if (std::find(blocks.begin(), blocks.end(), e.field.block) == blocks.end())
      blocks.push_back(e.field.block);
  return blocks;
}

// The part of the file the load takes: the bytes SideFileBytes gives back.
bool SameAsLoaded(const std::vector<uint8_t>& out, const std::vector<uint8_t>& in,
                  const tc::SideFileFormat& format) {
  for (const auto& e : format.entries)
    for (int i = 0; i < e.Bytes() && e.fileOffset + i < int(in.size()); ++i)
      if (out[e.fileOffset + i] != in[e.fileOffset + i]) return false;
  return true;
}

// The bytes as the load leaves them: a tare point count above the table's
// length means no points and is stored as 0.
std::vector<uint8_t> AsLoaded(std::vector<uint8_t> bytes, const tc::SideFileFormat& format) {
  namespace layout = tc::layout;
  for (const auto& e : format.entries)
    if (e.field.block == layout::kTarirLeng.block && e.field.offset == layout::kTarirLeng.offset &&
        e.fileOffset < bytes.size() && bytes[e.fileOffset] > layout::kTarePointsMax)
      bytes[e.fileOffset] = 0;
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/tripconf-fuzz-side-" + std::to_string(::getpid()) + ".bin";
  static std::vector<tc::SampleSetup> setups;
  static std::vector<std::vector<uint8_t>> images;
  if (images.empty())
    for (const auto& s : tc::SampleImages()) {
      setups.push_back(s.setup);
      images.push_back(tc::BuildSampleImage(s.setup));
    }
  tc::fuzz::Input in(data, size);
  const uint8_t pick = in.Byte();
  const tc::SideFileFormat& format = (pick & 1) ? tc::ServiceFileFormat() : tc::TankFileFormat();
  const size_t sample = (pick >> 1) % images.size();
  const bool english = pick & 0x80;
  tc::SetEnglishVersion(english);

  tc::WriteFileAtomic(path, in.Rest());
  std::vector<uint8_t> bytes;
  try {
    bytes = tc::ReadSideFile(format, path);
  } catch (const tc::TripError&) {
    std::remove(path.c_str());
    return 0;
  }
  std::remove(path.c_str());
  if (bytes.empty() || bytes.size() > format.size) __builtin_trap();

  static tc::SettingsDocument doc;
  tc::TMK& mk = doc.Model();
  mk.ReplaceImage(images[sample], setups[sample].deviceVersion);
  mk.DecodeSettingsBlocks();
  tc::ApplySideFileBytes(mk, format, bytes);
  bytes = AsLoaded(std::move(bytes), format);
  if (!SameAsLoaded(tc::SideFileBytes(mk, format), bytes, format)) __builtin_trap();
  // Into the image and out again, as a save and a later load do.
  for (int n : BlocksOf(format)) mk.EncodeBlock(n);
  mk.DecodeSettingsBlocks();
  if (!SameAsLoaded(tc::SideFileBytes(mk, format), bytes, format)) __builtin_trap();

  (void)tc::FormatTareTable(mk);  // with whatever count the file stored
  try {
    tc::TSettingsEditSession session(doc);
    tc::EditorContext& ctx = session.Context();
    for (const auto& def : tc::SettingsSchema()) (void)tc::FormatValue(ctx, def, english);
    // The table as shown is a table the page takes, and it shows the same.
    tc::NormaliseTareCount(mk);
    const std::string shown = tc::FormatTareTable(mk);
    try {
      tc::ParseTareTable(mk, shown);
    } catch (const tc::RangeError&) {
      // A stored sensor value can be outside what a cell accepts; the page
      // refuses such a cell the same way.
      return 0;
    }
    if (tc::FormatTareTable(mk) != shown) __builtin_trap();
  } catch (const tc::TripError&) {
  }
  return 0;
}
