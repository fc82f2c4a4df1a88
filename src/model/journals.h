// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trip computer's journals as they lie in the block copies of TMK:
// the eight accumulated sums (block 1), the prices and the trip and
// refuelling journals (block 7). The fault journal (block 12) is in
// fault_journal.h, the viewer's tables in journal_tables.h.
//
// Everything here reads or changes the block copies only; a change reaches
// the image when a JournalSession ends with Ok().
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/settings_layout.h"
#include "util/fixed_text.h"
#include "util/text_pair.h"

namespace tc {

class TMK;

// A (label, value) row of the sum tables and of the stored-data table.
using LabelValue = std::pair<std::string, std::string>;

// --- Block 7: prices, trip and refuelling journals ---------------------------

constexpr int kJournalRecords = layout::kJournalRecordCount;  // record 0 is the most recent

enum class Journal { Trips, Refuels };

// One record of either journal, as the map declares it.
using JournalRecord = layout::JournalRecord;

// Prices: petrol per litre (tenths), running time, kilometre (tenths), gas
// per litre (tenths).
struct JournalPrices {
  int16_t petrol = 0;
  int16_t time = 0;
  int16_t kilometre = 0;
  int16_t gas = 0;
};

// The records of one journal.
const RecordArray<JournalRecord>& JournalRecords(Journal j);
// Throws RangeError for a record outside 0..20.
JournalRecord ReadJournalRecord(const TMK& mk, Journal j, int record);
JournalPrices ReadJournalPrices(const TMK& mk);

// --- Block 1: accumulated sums --------------------------------------------------

constexpr int kSumCount = 8;

// One sum's caption and fields (a field the sum lacks is unset).
struct SumLayout {
  TextPair caption;
  layout::SumFields fields;
};

// In the viewer's order: general, trip, reset 1, jams, traffic, reset 2,
// petrol only, gas only.
extern const std::array<SumLayout, kSumCount> kSums;

struct SumValues {
  uint32_t seconds = 0;
  uint32_t metres = 0;
  uint32_t petrolMl = 0;
  uint32_t gasMl = 0;
  uint32_t wholeKm = 0;
};

// Throws RangeError for a sum outside 0..7.
const SumLayout& SumLayoutOf(int sum);
SumValues ReadSum(const TMK& mk, int sum);

// --- Texts ------------------------------------------------------------------------

// "08:17   15.11": hours wrap at 24, three spaces, day without a leading zero.
std::string FormatRecordStamp(uint16_t minutes, uint8_t day, uint8_t month);
// "25:00 15.11": hours neither padded nor wrapped, one space.
std::string FormatFaultStamp(uint16_t minutes, uint8_t day, uint8_t month);
// "H:MM" of whole minutes.
std::string FormatDuration(uint32_t minutes);

// The nine cells of a journal table row: the row header ("Last" for record
// 0, else the record number), date and time, travel time, distance, fuel,
// average speed, average per 100 km, average per hour, cost. An empty record
// gives "Empty" in the date cell and nothing in the value cells.
std::array<std::string, 9> JournalRow(const JournalRecord& rec, int record,
                                      const JournalPrices& prices, const CellFormat& fmt);
std::array<std::string, 9> JournalRow(const TMK& mk, Journal j, int record, const CellFormat& fmt);

// The six (label, value) rows of one sum table.
std::vector<LabelValue> SumRows(const SumValues& v, const CellFormat& fmt);
std::vector<LabelValue> SumRows(const TMK& mk, int sum, const CellFormat& fmt);

// --- Resets (block copies only) --------------------------------------------------

// Time, distance, petrol and gas of the sum become 0; the whole kilometres
// of the general sum stay.
void ResetSum(TMK& mk, int sum);
// The day byte of every record becomes 0; the other bytes stay.
void ResetTripJournal(TMK& mk);
void ResetRefuelJournal(TMK& mk);

// --- Journal session ------------------------------------------------------------
//
// The lifetime of one journal viewer. Opening decodes blocks 7, 1 and 12 from
// the image, so the viewer shows what the image holds. Ok() encodes the same
// three blocks, which carries the viewer's resets into the image. Any other
// ending (Cancel(), or the session going away without Ok) decodes them again,
// so a reset the user cancelled can never be encoded later and reach a file
// or the device.
class JournalSession {
 public:
  // Throws RangeError (and changes nothing) when the directory cannot
  // describe one of the blocks.
  explicit JournalSession(TMK& mk);
  ~JournalSession();
  JournalSession(const JournalSession&) = delete;
  JournalSession& operator=(const JournalSession&) = delete;

  // Encodes the blocks. If an encode fails the image is left as it was.
  void Ok();
  // Puts the block copies back from the image.
  void Cancel();
  bool Ended() const { return ended_; }

  static constexpr int kBlocks[3] = {layout::kTripRecords.first.block,
                                     layout::kSumFields[0].time.block,
                                     layout::kFaultRecords.first.block};

 private:
  TMK& mk_;
  bool ended_ = false;
};

}  // namespace tc
