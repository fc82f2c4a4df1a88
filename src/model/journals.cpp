// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/journals.h"

#include <algorithm>

#include "model/record_io.h"
#include "model/tmk.h"
#include "util/conversions.h"
#include "util/errors.h"
#include "util/fixed_text.h"

namespace tc {

namespace {

const TextPair kEmpty{"Пусто", "Empty"};
const TextPair kLast{"Посл.", "Last"};

const TextPair kSumLabels[6] = {
    {"Время", "Time"},
    {"Пробег, км", "Mileage,m"},
    {"Расход, л", "Expense, l"},
    {"Ср.скорость, км/час", "Av.speed, km/h"},
    {"Ср.расход, л/100", "Av.exp., l/100"},
    {"Ср.расход, л/час", "Av.exp., l/h"},
};

constexpr const char* kJournalDash = "---";
constexpr const char* kSumDash = "-----";

}  // namespace

const std::array<SumLayout, kSumCount> kSums = {{
    {{"Накопительные / Общие", "Cumulative / General"}, layout::kSumFields[0]},
    {{"Поездка", "Trip"}, layout::kSumFields[1]},
    {{"Сброс 1", "Reset 1"}, layout::kSumFields[2]},
    {{"Пробки", "Jams"}, layout::kSumFields[3]},
    {{"Без пробок", "Traffic"}, layout::kSumFields[4]},
    {{"Сброс 2 ( Между заправками )", "Reset 2 (between gas stations)"}, layout::kSumFields[5]},
    {{"Только бензин", "Petrol only"}, layout::kSumFields[6]},
    {{"Только газ", "Gas only"}, layout::kSumFields[7]},
}};

// --- Layout ----------------------------------------------------------------------

const RecordArray<JournalRecord>& JournalRecords(Journal j) {
  return j == Journal::Trips ? layout::kTripRecords : layout::kRefuelRecords;
}

JournalRecord ReadJournalRecord(const TMK& mk, Journal j, int record) {
  return ReadRecord(mk, JournalRecords(j), record);
}

JournalPrices ReadJournalPrices(const TMK& mk) {
  JournalPrices p;
  p.petrol = int16_t(mk.GetInt(layout::kPriceExpense));
  p.time = int16_t(mk.GetInt(layout::kPriceTime));
  p.kilometre = int16_t(mk.GetInt(layout::kPricePath));
  p.gas = int16_t(mk.GetInt(layout::kPriceGas));
  return p;
}

const SumLayout& SumLayoutOf(int sum) {
  if (sum < 0 || sum >= kSumCount)
    throw RangeError("Range check error: sum " + std::to_string(sum) + " is outside 0-7");
  return kSums[size_t(sum)];
}

SumValues ReadSum(const TMK& mk, int sum) {
  const layout::SumFields& l = SumLayoutOf(sum).fields;
  const auto field = [&mk](const FieldRef& f) { return f.IsSet() ? uint32_t(mk.GetInt(f)) : 0u; };
  return {field(l.time), field(l.distance), field(l.petrol), field(l.gas), field(l.wholeKm)};
}

// --- Texts -------------------------------------------------------------------------

std::string FormatRecordStamp(uint16_t minutes, uint8_t day, uint8_t month) {
  return MinutesToTimeText(minutes) + "   " + std::to_string(day) + "." + TwoDigits(month);
}

std::string FormatFaultStamp(uint16_t minutes, uint8_t day, uint8_t month) {
  return std::to_string(minutes / 60) + ":" + TwoDigits(uint16_t(minutes % 60)) + " " +
         std::to_string(day) + "." + TwoDigits(month);
}

std::string FormatDuration(uint32_t minutes) {
  return std::to_string(minutes / 60) + ":" + TwoDigits(uint16_t(minutes % 60));
}

std::array<std::string, 9> JournalRow(const JournalRecord& rec, int record,
                                      const JournalPrices& prices, const CellFormat& fmt) {
  std::array<std::string, 9> cells;
  cells[0] = record == 0 ? kLast.Get(fmt.english) : std::to_string(record);
  if (rec.Empty()) {
    cells[1] = kEmpty.Get(fmt.english);
    return cells;
  }
  const char sep = fmt.decimalSeparator;
  const double t = rec.seconds, d = rec.metres, p = rec.petrolMl, g = rec.gasMl;
  const double fuel = p + g;
  cells[1] = FormatRecordStamp(rec.minutes, rec.day, rec.month);
  cells[2] = FormatDuration(rec.seconds / 60);
  cells[3] = FixedText(d / 1000, 3, sep);
  cells[4] = FixedText(fuel / 1000, 3, sep);
  cells[5] = rec.seconds == 0 ? kJournalDash : std::to_string(RoundHalfEven(d * 3.6 / t));
  cells[6] = rec.metres == 0 ? kJournalDash : FixedText(fuel * 100 / d, 1, sep);
  cells[7] = rec.seconds == 0 ? kJournalDash : FixedText(fuel * 3.6 / t, 2, sep);
  const double cost = (d / 1000 * prices.kilometre + p / 1000 * prices.petrol +
                       g / 1000 * prices.gas + t / 360 * prices.time) /
                      10;
  cells[8] = FixedText(cost, 1, sep);
  return cells;
}

std::array<std::string, 9> JournalRow(const TMK& mk, Journal j, int record, const CellFormat& fmt) {
  return JournalRow(ReadJournalRecord(mk, j, record), record, ReadJournalPrices(mk), fmt);
}

std::vector<LabelValue> SumRows(const SumValues& v, const CellFormat& fmt) {
  const char sep = fmt.decimalSeparator;
  const double t = v.seconds, d = v.metres, fuel = double(v.petrolMl) + v.gasMl;
  const double mileage = (double(v.wholeKm) * 1000 + d) / 1000;
  const std::string values[6] = {
      FormatDuration(v.seconds / 60),
      FixedText(mileage, 3, sep),
      FixedText(fuel / 1000, 3, sep),
      v.seconds == 0 ? kSumDash : FixedText(d * 3.6 / t, 1, sep),
      v.metres == 0 ? kSumDash : FixedText(fuel * 100 / d, 1, sep),
      v.seconds == 0 ? kSumDash : FixedText(fuel * 3.6 / t, 1, sep),
  };
  std::vector<LabelValue> rows;
  for (int i = 0; i < 6; ++i) rows.emplace_back(kSumLabels[i].Get(fmt.english), values[i]);
  return rows;
}

std::vector<LabelValue> SumRows(const TMK& mk, int sum, const CellFormat& fmt) {
  return SumRows(ReadSum(mk, sum), fmt);
}

// --- Resets ---------------------------------------------------------------------------

void ResetSum(TMK& mk, int sum) {
  const layout::SumFields& l = SumLayoutOf(sum).fields;
  for (const FieldRef& f : {l.time, l.distance, l.petrol, l.gas})
    if (f.IsSet()) mk.SetInt(f, 0);
}

namespace {
// Only the day byte: the rest of each record stays as it was.
void ClearDays(TMK& mk, Journal j) {
  const RecordArray<JournalRecord>& records = JournalRecords(j);
  for (int r = 0; r < records.count; ++r) mk.SetInt(records.FieldOf<&JournalRecord::day>(r), 0);
}
}  // namespace

void ResetTripJournal(TMK& mk) {
  ClearDays(mk, Journal::Trips);
}
void ResetRefuelJournal(TMK& mk) {
  ClearDays(mk, Journal::Refuels);
}

// --- Session --------------------------------------------------------------------------

JournalSession::JournalSession(TMK& mk) : mk_(mk) {
  // Decode all three or none: a directory that cannot describe one of them
  // must not leave the others half refreshed.
  std::vector<std::vector<uint8_t>> before;
  for (int n : kBlocks) {
    const auto b = mk_.Block(n);
    before.emplace_back(b.begin(), b.end());
  }
  try {
    for (int n : kBlocks) mk_.DecodeBlock(n);
  } catch (...) {
    for (size_t i = 0; i < before.size(); ++i)
      std::copy(before[i].begin(), before[i].end(), mk_.Block(kBlocks[i]).begin());
    throw;
  }
}

JournalSession::~JournalSession() {
  if (ended_) return;
  try {
    Cancel();
  } catch (...) {
    // The blocks decoded when the session opened; they decode again from the
    // same image, so this cannot fail in practice. Never throw from here.
  }
}

void JournalSession::Ok() {
  const std::vector<uint8_t> image = mk_.Image();
  try {
    for (int n : kBlocks) mk_.EncodeBlock(n);
  } catch (...) {
    mk_.ReplaceImage(image);
    mk_.RefreshDirectory();
    throw;
  }
  ended_ = true;
}

void JournalSession::Cancel() {
  ended_ = true;
  for (int n : kBlocks) mk_.DecodeBlock(n);
}

}  // namespace tc
