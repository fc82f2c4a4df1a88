// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as blocks 1, 7 and 12 and as the two oscilloscope records: every
// table of the journal viewer (and its export text), the fault list in every
// code kind, the stored data of every record, the resets, and the
// oscilloscope's texts and plot.
#include <cstdint>

#include "fuzz_input.h"
#include "model/fault_journal.h"
#include "model/journal_tables.h"
#include "model/journals.h"
#include "model/oscilloscope.h"
#include "model/tmk.h"
#include "util/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tc::TMK mk;
  tc::fuzz::Input in(data, size);
  for (int block : {1, 7, 12}) {
    auto b = mk.Block(block);
    const auto bytes = in.Bytes(b.size());
    std::copy(bytes.begin(), bytes.end(), b.begin());
  }
  for (auto& rec : mk.OscRecords) {
    const auto bytes = in.Bytes(rec.size());
    std::copy(bytes.begin(), bytes.end(), rec.begin());
  }
  const uint8_t choice = in.Byte();
  const tc::CellFormat fmt{(choice & 1) != 0, (choice & 2) ? ',' : '.'};
  // Each table on its own: one that refuses must not hide the others.
  const auto each = [](auto f) {
    try {
      f();
    } catch (const tc::TripError&) {
    }
  };
  each([&] { (void)tc::TableExportText(tc::JournalTable(mk, tc::Journal::Trips, fmt)); });
  each([&] { (void)tc::JournalTable(mk, tc::Journal::Refuels, fmt); });
  each([&] { (void)tc::SumTable(mk, (choice >> 2) % tc::kSumCount, fmt); });
  const int kind = int(int8_t(in.Byte()));
  each([&] { (void)tc::FaultListTable(mk, kind, fmt); });
  for (int r = 0; r <= tc::kFaultRecords; ++r) each([&] { (void)tc::StoredDataTable(mk, r, fmt); });
  try {
    const tc::OscTrace t = tc::ReadOscTrace(mk);
    const int offset = int(int16_t(in.Word()));
    (void)tc::MakeOscPlotTexts(t, offset, fmt);
    // The full-size plot is slow under the sanitizers; a small one runs the
    // same scaling and clipping.
    const bool full = choice & 0x40;
    (void)tc::DrawOscPlot(t, offset, full ? tc::kOscPlotWidth : 120, full ? tc::kOscPlotHeight : 90,
                          fmt);
  } catch (const tc::TripError&) {
  }
  if (choice & 0x80) {
    tc::ResetSum(mk, (choice >> 2) % tc::kSumCount);
    tc::ResetTripJournal(mk);
    tc::ResetRefuelJournal(mk);
  }
  return 0;
}
