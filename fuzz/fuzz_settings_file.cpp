// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a settings file: the load check, every block decode and
// encode, the state a refused write puts back, and then everything a loaded
// file reaches outside the windows: every setting's text form in an edit
// session, the journal tables and the oscilloscope texts. All of it must
// either work or throw our errors, never crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "editor_core/edit_session.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "link/mk_transfer.h"
#include "model/journal_tables.h"
#include "model/journals.h"
#include "model/oscilloscope.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tc::SettingsDocument doc;
  tc::TMK& mk = doc.Model();
  const std::vector<uint8_t> bytes(data, data + size);
  tc::SettingsFileContents c;
  try {
    c = tc::DecodeSettingsFile(bytes);
  } catch (const tc::TripError&) {
    return 0;
  }
  // The raw block operations first, on whatever the file holds: they are
  // what a load without the check would run.
  const tc::TMK::State before = mk.SaveState();
  mk.ReplaceImage(c.image, c.deviceVersion);
  for (int n = 1; n <= tc::kBlockCount; ++n) {
    try {
      mk.DecodeBlock(n);
      mk.EncodeBlock(n);
    } catch (const tc::TripError&) {
    }
  }
  mk.LoadOscRecords();
  mk.RestoreState(before);

  // Then the way a load really goes: checked, then decoded and encoded
  // with no error allowed.
  try {
    tc::CheckSettingsDirectory(c.image);
  } catch (const tc::FileError&) {
    return 0;
  }
  mk.ReplaceImage(std::move(c.image), c.deviceVersion);
  mk.DecodeSettingsBlocks();
  mk.EncodeSettingsBlocks();
  mk.LoadOscRecords();
  (void)tc::EncodeSettingsFile(mk.DeviceVersion, mk.Image());

  const tc::CellFormat fmt{(size & 1) != 0, '.'};
  try {
    (void)tc::JournalTable(mk, tc::Journal::Trips, fmt);
    (void)tc::FaultListTable(mk, int(size % 5), fmt);
    (void)tc::SumTable(mk, int(size % tc::kSumCount), fmt);
  } catch (const tc::TripError&) {
  }
  try {
    const tc::OscTrace t = tc::ReadOscTrace(mk);
    (void)tc::MakeOscPlotTexts(t, 0, fmt);
  } catch (const tc::TripError&) {
  }
  try {
    // What `tripconf-cli settings` lists and the editor shows.
    tc::TSettingsEditSession session(doc);
    for (const auto& def : tc::SettingsSchema())
      (void)tc::FormatValue(session.Context(), def, fmt.english);
  } catch (const tc::TripError&) {
  }
  return 0;
}
