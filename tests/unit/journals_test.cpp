// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/journals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "catalog/variants.h"
#include "model/fault_journal.h"
#include "model/journal_tables.h"
#include "model/record_io.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"

using namespace tc;

namespace {

const CellFormat kEn{true, '.'};
const CellFormat kRu{false, ','};

// A model holding the v104 sample image, decoded as after a load.
struct LoadedModel {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  LoadedModel() {
    mk.ReplaceImage(BuildSampleImage(SampleSetupByName("v104-8k")), 0x104);
    mk.DecodeSettingsBlocks();
  }
};

void PutJournalRecord(TMK& mk, Journal j, int r, const JournalRecord& rec) {
  // Written at the device's positions, so the layout the model reads is checked.
  const int at = (j == Journal::Trips ? 16 : 436) + 20 * r;
  mk.SetInt(U16(7, at), rec.minutes);
  mk.SetInt(U8(7, at + 2), rec.day);
  mk.SetInt(U8(7, at + 3), rec.month);
  mk.SetInt(U32(7, at + 4), rec.seconds);
  mk.SetInt(U32(7, at + 8), rec.metres);
  mk.SetInt(U32(7, at + 12), rec.petrolMl);
  mk.SetInt(U32(7, at + 16), rec.gasMl);
}

// Block 12 position of fault record r in the device.
constexpr int FaultRecordPos(int r) {
  return 16 + 92 * r;
}

std::vector<uint8_t> Copy(std::span<const uint8_t> s) {
  return {s.begin(), s.end()};
}

}  // namespace

TEST(JournalTexts, StampsAndDurations) {
  EXPECT_EQ(FormatRecordStamp(497, 15, 11), "08:17   15.11");
  EXPECT_EQ(FormatRecordStamp(1500, 5, 1), "01:00   5.01");  // hours wrap in journals
  EXPECT_EQ(FormatFaultStamp(1500, 5, 1), "25:00 5.01");     // ... but not in the fault list
  EXPECT_EQ(FormatFaultStamp(65, 1, 12), "1:05 1.12");
  EXPECT_EQ(FormatDuration(0), "0:00");
  EXPECT_EQ(FormatDuration(123456 / 60), "34:17");
  EXPECT_EQ(FormatDuration(100000), "1666:40");
  // Fixed-point cells: the chosen separator, and no "-0.0" for tiny negatives
  // (a negative price can give one).
  EXPECT_EQ(FixedText(-0.04, 1), "0.0");
  EXPECT_EQ(FixedText(-0.06, 1, ','), "-0,1");
  EXPECT_EQ(FixedText(1234.5678, 3, ','), "1234,568");
  EXPECT_EQ(FixedText(7, 0, ','), "7");
}

TEST(JournalRows, DefaultRecordsGiveKnownCells) {
  SettingsDocument doc(true);
  TMK& mk = doc.Model();
  using Row = std::array<std::string, 9>;
  EXPECT_EQ(JournalRow(mk, Journal::Trips, 1, kEn),
            (Row{"1", "08:17   15.11", "34:17", "10.123", "1.246", "0", "12.3", "0.04", "61.2"}));
  EXPECT_EQ(
      JournalRow(mk, Journal::Refuels, 0, kEn),
      (Row{"Last", "10:22   5.01", "34:17", "100.456", "5.734", "3", "5.7", "0.17", "443.3"}));
  EXPECT_EQ(
      JournalRow(mk, Journal::Refuels, 0, kRu),
      (Row{"Посл.", "10:22   5.01", "34:17", "100,456", "5,734", "3", "5,7", "0,17", "443,3"}));
}

TEST(JournalRows, EmptyDashesRoundingAndCost) {
  SettingsDocument doc(true);
  TMK& mk = doc.Model();
  using Row = std::array<std::string, 9>;
  // Day 0 marks an empty record whatever the other bytes hold.
  PutJournalRecord(mk, Journal::Trips, 3, {600, 0, 4, 3600, 1000, 100, 0});
  EXPECT_EQ(JournalRow(mk, Journal::Trips, 3, kEn),
            (Row{"3", "Empty", "", "", "", "", "", "", ""}));
  EXPECT_EQ(JournalRow(mk, Journal::Trips, 0, kRu)[1], "Пусто");

  // No time and no distance: dashes instead of a division by zero.
  PutJournalRecord(mk, Journal::Trips, 4, {0, 1, 1, 0, 0, 1500, 0});
  EXPECT_EQ(JournalRow(mk, Journal::Trips, 4, kEn),
            (Row{"4", "00:00   1.01", "0:00", "0.000", "1.500", "---", "---", "---", "37.5"}));

  // The average speed rounds halves to the even neighbour: 2.5 -> 2, 3.5 -> 4.
  PutJournalRecord(mk, Journal::Trips, 5, {0, 1, 1, 3600, 2500, 0, 0});
  EXPECT_EQ(JournalRow(mk, Journal::Trips, 5, kEn)[5], "2");
  PutJournalRecord(mk, Journal::Trips, 5, {0, 1, 1, 3600, 3500, 0, 0});
  EXPECT_EQ(JournalRow(mk, Journal::Trips, 5, kEn)[5], "4");

  // All four prices take part in the cost: petrol, running time, km, gas.
  mk.SetInt(S16(7, 0), 250);
  mk.SetInt(S16(7, 2), 36);
  mk.SetInt(S16(7, 4), 30);
  mk.SetInt(S16(7, 6), 215);
  PutJournalRecord(mk, Journal::Trips, 6, {0, 1, 1, 3600, 10000, 1000, 2000});
  const auto row = JournalRow(mk, Journal::Trips, 6, kEn);
  EXPECT_EQ(row[8], "134.0");
  EXPECT_EQ(row[6], "30.0");  // 3 l over 10 km
  EXPECT_EQ(row[7], "3.00");  // 3 l in one hour

  EXPECT_THROW(ReadJournalRecord(mk, Journal::Trips, 21), RangeError);
  EXPECT_THROW(ReadJournalRecord(mk, Journal::Refuels, -1), RangeError);
}

TEST(SumTables, ValuesWholeKilometresAndDashes) {
  SettingsDocument doc(true);
  TMK& mk = doc.Model();
  mk.SetInt(U32(1, 0), 7200);     // general: time
  mk.SetInt(U32(1, 4), 150000);   // distance
  mk.SetInt(U32(1, 8), 9000);     // petrol
  mk.SetInt(U32(1, 136), 3000);   // gas
  mk.SetInt(U32(1, 100), 84210);  // whole kilometres
  const std::vector<LabelValue> general = {{"Time", "2:00"},          {"Mileage,m", "84360.000"},
                                           {"Expense, l", "12.000"},  {"Av.speed, km/h", "75.0"},
                                           {"Av.exp., l/100", "8.0"}, {"Av.exp., l/h", "6.0"}};
  EXPECT_EQ(SumRows(mk, 0, kEn), general);
  EXPECT_EQ(SumRows(mk, 0, kRu)[1], (LabelValue{"Пробег, км", "84360,000"}));

  // "Gas only" has no petrol field: bytes 116-119 belong to "Petrol only".
  mk.SetInt(U32(1, 116), 5000);
  mk.SetInt(U32(1, 120), 3600);
  mk.SetInt(U32(1, 124), 20000);
  mk.SetInt(U32(1, 128), 1000);
  EXPECT_EQ(SumRows(mk, 7, kEn)[2].second, "1.000");
  EXPECT_EQ(SumRows(mk, 6, kEn)[2].second, "5.000");

  // Resetting "Gas only" zeroes its time, distance and gas, nothing else.
  const auto before = Copy(mk.Block(1));
  ResetSum(mk, 7);
  const TextTable gasOnly = SumTable(mk, 7, kEn);
  ASSERT_EQ(gasOnly.size(), 6u);
  const std::vector<std::string> values = {"0:00", "0.000", "0.000", "-----", "-----", "-----"};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(gasOnly[i][1], values[i]) << i;
  const auto after = Copy(mk.Block(1));
  for (size_t i = 0; i < after.size(); ++i)
    if (i < 120 || i >= 132) {
      EXPECT_EQ(after[i], before[i]) << "byte " << i;
    }

  // The general sum's whole kilometres survive its reset.
  ResetSum(mk, 0);
  EXPECT_EQ(uint32_t(mk.GetInt(U32(1, 100))), 84210u);
  EXPECT_EQ(uint32_t(mk.GetInt(U32(1, 136))), 0u);
  EXPECT_EQ(SumRows(mk, 0, kEn)[1].second, "84210.000");
  EXPECT_THROW(ResetSum(mk, 8), RangeError);
}

TEST(TroubleCodes, EveryKind) {
  EXPECT_EQ(FormatTroubleCode(0, 0x4133), "C0133");
  EXPECT_EQ(FormatTroubleCode(0, 0x0133), "P0133");
  EXPECT_EQ(FormatTroubleCode(0, 0x8001), "B0001");
  EXPECT_EQ(FormatTroubleCode(0, 0xC3AF), "U03AF");
  EXPECT_EQ(FormatTroubleCode(1, 0x4133), "0133");
  EXPECT_EQ(FormatTroubleCode(2, 70000), "70000");
  EXPECT_EQ(FormatTroubleCode(3, 0x8005), "32773п");
  EXPECT_EQ(FormatTroubleCode(3, 0xC005), "49157п");  // bit 15 wins over bit 14
  EXPECT_EQ(FormatTroubleCode(3, 0x4005), "16389н");
  EXPECT_EQ(FormatTroubleCode(3, 0x2005), "8197м");
  EXPECT_EQ(FormatTroubleCode(3, 5), "5");
  EXPECT_EQ(FormatTroubleCode(4, 0xAB), "00ABSub");
  EXPECT_EQ(FormatTroubleCode(4, 0x123), "0123");
  EXPECT_EQ(FormatTroubleCode(4, 0xFFF), "0FFF");
  EXPECT_EQ(FormatTroubleCode(4, 0x1234), "1234Sub");
  EXPECT_EQ(FormatTroubleCode(4, 0x12345), "12345Sub");
  EXPECT_EQ(FormatTroubleCode(5, 110u | 3u << 16 | 4u << 24), "SPN = 110  FMI = 3  Q = 4");
  // Bits 21-23 extend the SPN; a count of 127 or more reads "----".
  EXPECT_EQ(FormatTroubleCode(5, 0xFFFFu | 31u << 16 | 5u << 21 | 127u << 24),
            "SPN = 393215  FMI = 31  Q = ----");
  EXPECT_EQ(FormatTroubleCode(5, 126u << 24), "SPN = 0  FMI = 0  Q = 126");
  EXPECT_EQ(FormatTroubleCode(10, 0x1234), "18-5");
  for (int kind : {6, 11, 99, -1}) EXPECT_EQ(FormatTroubleCode(kind, 0x4133), "") << kind;
}

TEST(TroubleCodes, KindsAdjustedBySwitchesAndKind8Conversion) {
  const CodeSwitches none{0, 0}, decimal{1, 0}, letters{0, 1};
  EXPECT_EQ(FormatTroubleCode(7, 0x4133, letters), "C0133");
  EXPECT_EQ(FormatTroubleCode(7, 0x4133, none), "0133");
  EXPECT_EQ(FormatTroubleCode(9, 0x4133, none), "16691");
  EXPECT_EQ(FormatTroubleCode(9, 0x4133, letters), "C0133");

  EXPECT_EQ(ConvertKind8Code(0x4085), 0x133u);
  EXPECT_EQ(FormatTroubleCode(8, 0x4085, none), "P0133");
  EXPECT_EQ(FormatTroubleCode(8, 0x4485, none), "P0133");  // every 1024-code range
  EXPECT_EQ(FormatTroubleCode(8, 0x4C00 + 999, none), "P0999");
  EXPECT_EQ(FormatTroubleCode(8, 0x43FF, none), "P0023");  // 1023: only three digits kept
  EXPECT_EQ(FormatTroubleCode(8, 0x5000, decimal), "P0000");
  EXPECT_EQ(FormatTroubleCode(8, 0x123456, none), "P0000");
  EXPECT_EQ(FormatTroubleCode(8, 0x3FFF, decimal), "16383");
  EXPECT_EQ(FormatTroubleCode(8, 0x3FFF, none), "");

  SettingsDocument doc;

  TMK& mk = doc.Model();
  mk.SetInt(U8(11, 12), 1);
  mk.SetInt(U8(11, 14), 1);
  const CodeSwitches s = ReadCodeSwitches(mk);
  EXPECT_EQ(s.decimalCodes, 1);
  EXPECT_EQ(s.letterCodes, 1);
}

TEST(StoredData, SupportSetBitOrder) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  mk.SetInt(U8(12, 4), 0x80);   // item 1
  mk.SetInt(U8(12, 5), 0x01);   // item 16
  mk.SetInt(U8(12, 15), 0x01);  // item 96
  EXPECT_TRUE(IsItemStored(mk, 1));
  EXPECT_FALSE(IsItemStored(mk, 2));
  EXPECT_FALSE(IsItemStored(mk, 8));
  EXPECT_FALSE(IsItemStored(mk, 9));
  EXPECT_TRUE(IsItemStored(mk, 16));
  EXPECT_TRUE(IsItemStored(mk, 96));
  EXPECT_FALSE(IsItemStored(mk, 0));
  EXPECT_FALSE(IsItemStored(mk, 97));
}

TEST(StoredData, RowsOfOneRecordInTableOrder) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  for (int p : {3, 10, 12, 13, 18, 20})
    mk.SetInt(U8(12, 4 + (p - 1) / 8),
              uint8_t(uint8_t(mk.GetInt(U8(12, 4 + (p - 1) / 8))) | 0x80 >> (p - 1) % 8));
  const int at = FaultRecordPos(2);
  mk.SetInt(U32(12, at + 4), 0x0301);
  mk.SetInt(U32(12, at + 8), 0x0301);
  mk.SetInt(U8(12, at + 13), 2);   // fuel system 1: closed loop
  mk.SetInt(U8(12, at + 12), 99);  // fuel system 2: no such status
  mk.SetInt(S16(12, at + 26), -15);
  mk.SetInt(S16(12, at + 30), 52);
  mk.SetInt(S16(12, at + 32), 2150);
  mk.SetInt(S16(12, at + 42), 257);  // outside 0-255: not read as its low byte 1
  mk.SetInt(S16(12, at + 44), 45);

  const std::vector<LabelValue> en = {{"Trouble code", "P0301"},
                                      {"Fuel system 1 status", "Closed loop(O2 sens)"},
                                      {"Fuel system 2 status", "Unknown"},
                                      {"Fuel pressure, kPa", "-1.5"},
                                      {"Engine RPM", "2150"},
                                      {"Vehicle speed, km/h", "52"},
                                      {"Состояние вторичного воздуха", "Unknown"},
                                      {"Oxygen sensor voltage 1, V", "0.45"}};
  EXPECT_EQ(StoredDataRows(mk, 2, kEn), en);
  const auto ru = StoredDataRows(mk, 2, kRu);
  ASSERT_EQ(ru.size(), en.size());
  EXPECT_EQ(ru[0], (LabelValue{"Код ошибки", "P0301"}));
  EXPECT_EQ(ru[2].second, "Неизвестно");
  EXPECT_EQ(ru[3], (LabelValue{"Давление топлива, кПа", "-1,5"}));
  EXPECT_EQ(ru[7].second, "0,45");

  // The same support set, but record 1 stored nothing: no rows at all.
  mk.SetInt(U32(12, FaultRecordPos(1) + 4), 0x0171);
  EXPECT_TRUE(StoredDataRows(mk, 1, kEn).empty());
  EXPECT_THROW(StoredDataRows(mk, 7, kEn), RangeError);
}

TEST(StoredData, EveryItemReadsItsOwnBytes) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  for (int i = 4; i < 16; ++i) mk.SetInt(U8(12, i), 0xFF);
  const int at = FaultRecordPos(6);
  mk.SetInt(U32(12, at + 8), 0x4133);
  // Each value holds its own offset, so a row reading the wrong bytes shows.
  for (int o = 14; o < 92; o += 2) mk.SetInt(S16(12, at + o), o);
  const auto rows = StoredDataRows(mk, 6, kEn);
  ASSERT_EQ(rows.size(), 42u);  // the code, item 3 twice, 39 values
  EXPECT_EQ(rows[0].second, "C0133");
  EXPECT_EQ(rows[1].first, "Fuel system 1 status");
  std::map<std::string, std::string> byLabel(rows.begin(), rows.end());
  EXPECT_EQ(byLabel["Calc.engine load, %"], "14");
  EXPECT_EQ(byLabel["Engine RPM"], "32");
  EXPECT_EQ(byLabel["Vehicle speed, km/h"], "30");
  EXPECT_EQ(byLabel["Long term fuel trim-Bank 1, %"], "22");
  EXPECT_EQ(byLabel["Short term fuel trim-Bank 2, %"], "20");
  EXPECT_EQ(byLabel["Timing advance"], "3.4");
  EXPECT_EQ(byLabel["Fuel Pressure (diesel), kPa"], "5.4");
  EXPECT_EQ(byLabel["Oxygen sensor voltage 2, V"], "0.46");
  EXPECT_EQ(byLabel["Control module voltage, V"], "7.8");
  EXPECT_EQ(byLabel["Command equivalence ratio"], "0.80");
  EXPECT_EQ(rows.back(), (LabelValue{"Time since trouble codes cleared, min", "90"}));
}

// The generic writer puts every member at the device's position and the
// reader gives back the same struct; a record outside the journal is
// refused by name and writes nothing.
TEST(Records, RoundTripAtTheDevicePositions) {
  TMK mk;
  FaultRecord f;
  f.minutes = 1500;
  f.day = 31;
  f.month = 12;
  f.code = 0x4133;
  f.storedCode = 0xDEADBEEF;
  f.fuelSystem2 = 16;
  f.fuelSystem1 = 255;
  for (size_t i = 0; i < f.stored.size(); ++i)
    f.stored[i] = int16_t(1000 * (i % 2 ? -1 : 1) - int(i));
  const auto before = Copy(mk.Block(12));
  WriteRecord(mk, layout::kFaultRecords, 6, f);
  const int at = FaultRecordPos(6);
  EXPECT_EQ(mk.GetInt(U16(12, at)), 1500);
  EXPECT_EQ(mk.GetInt(U32(12, at + 8)), 0xDEADBEEF);
  EXPECT_EQ(mk.GetInt(U8(12, at + 12)), 16);
  EXPECT_EQ(mk.GetInt(U8(12, at + 13)), 255);
  EXPECT_EQ(mk.GetInt(S16(12, at + 14)), 1000);
  EXPECT_EQ(mk.GetInt(S16(12, at + 88)), -1037);
  EXPECT_EQ(mk.GetInt(S16(12, at + 90)), 962);
  const auto after = Copy(mk.Block(12));
  for (size_t i = 0; i < after.size(); ++i) {
    if (i < size_t(at) || i >= size_t(at + 92)) {
      EXPECT_EQ(after[i], before[i]) << i;
    }
  }

  const FaultRecord back = ReadFaultRecord(mk, 6);
  EXPECT_EQ(back.minutes, f.minutes);
  EXPECT_EQ(back.day, f.day);
  EXPECT_EQ(back.month, f.month);
  EXPECT_EQ(back.code, f.code);
  EXPECT_EQ(back.storedCode, f.storedCode);
  EXPECT_EQ(back.fuelSystem2, f.fuelSystem2);
  EXPECT_EQ(back.fuelSystem1, f.fuelSystem1);
  EXPECT_EQ(back.stored, f.stored);

  const JournalRecord trip{1439, 28, 2, 4000000000u, 1, 2, 3};
  WriteRecord(mk, JournalRecords(Journal::Refuels), 20, trip);
  EXPECT_EQ(mk.GetInt(U32(7, 436 + 400 + 4)), 4000000000);
  const JournalRecord tripBack = ReadJournalRecord(mk, Journal::Refuels, 20);
  EXPECT_EQ(tripBack.seconds, trip.seconds);
  EXPECT_EQ(tripBack.gasMl, 3u);

  const auto block7 = Copy(mk.Block(7));
  try {
    WriteRecord(mk, JournalRecords(Journal::Trips), 21, trip);
    ADD_FAILURE() << "record 21 was written";
  } catch (const RangeError& e) {
    EXPECT_EQ(std::string(e.what()), "Range check error: journal record 21 is outside 0-20");
  }
  EXPECT_EQ(Copy(mk.Block(7)), block7);
  EXPECT_THROW(ReadFaultRecord(mk, 7), RangeError);
  EXPECT_THROW(ReadFaultRecord(mk, -1), RangeError);
}

TEST(Resets, TouchOnlyWhatTheyShould) {
  LoadedModel m;
  TMK& mk = m.mk;
  const auto block7 = Copy(mk.Block(7));
  ResetTripJournal(mk);
  auto now = Copy(mk.Block(7));
  for (size_t i = 0; i < now.size(); ++i) {
    const bool dayOfTrip = i >= 16 && i < 436 && (i - 16) % 20 == 2;
    if (dayOfTrip)
      EXPECT_EQ(now[i], 0) << i;
    else
      EXPECT_EQ(now[i], block7[i]) << i;
  }
  ResetRefuelJournal(mk);
  now = Copy(mk.Block(7));
  for (int r = 0; r < 21; ++r) EXPECT_EQ(now[436 + 20 * r + 2], 0);
  EXPECT_EQ(now[436], block7[436]);  // time of day kept

  const auto block12 = Copy(mk.Block(12));
  ASSERT_NE(ReadFaultRecord(mk, 0).code, 0u);
  ResetFaultJournal(mk);
  now = Copy(mk.Block(12));
  for (size_t i = 0; i < now.size(); ++i) {
    const bool support = i >= 4 && i < 16;
    const bool codes = i >= 16 && i < 660 && (i - 16) % 92 >= 4 && (i - 16) % 92 < 12;
    if (support || codes)
      EXPECT_EQ(now[i], 0) << i;
    else
      EXPECT_EQ(now[i], block12[i]) << i;
  }
  // Resets change the block copies only.
  EXPECT_EQ(mk.Image(), BuildSampleImage(SampleSetupByName("v104-8k")));
}

TEST(JournalSession, CancelledResetsNeverReachTheImage) {
  LoadedModel m;
  TMK& mk = m.mk;
  const auto image = mk.Image();
  {
    JournalSession session(mk);
    ResetTripJournal(mk);
    ResetFaultJournal(mk);
    ResetSum(mk, 1);
    session.Cancel();
  }
  // The copies are back, so the next write (which encodes every block into
  // the image) sends the user's journals unchanged.
  EXPECT_FALSE(ReadJournalRecord(mk, Journal::Trips, 0).Empty());
  EXPECT_NE(ReadFaultRecord(mk, 0).code, 0u);
  mk.EncodeSettingsBlocks();
  EXPECT_EQ(mk.Image(), image);

  // A viewer closed without OK or Cancel (its window destroyed) does the same.
  {
    JournalSession session(mk);
    ResetRefuelJournal(mk);
  }
  EXPECT_FALSE(ReadJournalRecord(mk, Journal::Refuels, 0).Empty());
  mk.EncodeSettingsBlocks();
  EXPECT_EQ(mk.Image(), image);
}

TEST(JournalSession, OkEncodesTheJournalBlocks) {
  LoadedModel m;
  TMK& mk = m.mk;
  const auto image = mk.Image();
  const size_t faultPos = mk.Entry(13).address - 32;
  const size_t tripPos = mk.Entry(7).address - 32;
  JournalSession session(mk);
  ResetTripJournal(mk);
  ResetFaultJournal(mk);
  session.Ok();
  EXPECT_TRUE(session.Ended());
  EXPECT_EQ(mk.Image()[tripPos + 16 + 2], 0);
  EXPECT_EQ(mk.Image()[faultPos + 16 + 4], 0);
  // Only the trip days and the fault codes changed.
  size_t changed = 0;
  for (size_t i = 0; i < image.size(); ++i) changed += image[i] != mk.Image()[i];
  EXPECT_GT(changed, 0u);
  EXPECT_LE(changed, 21u + 12u + 7u * 8u);
}

TEST(JournalSession, OpensFromTheImageIncludingTheFaultJournal) {
  LoadedModel m;
  TMK& mk = m.mk;
  // The image holds a fault the block copy does not know about yet.
  const size_t faultPos = mk.Entry(13).address - 32;
  auto edited = mk.Image();
  edited[faultPos + 16 + 92 * 5 + 4] = 0x33;
  edited[faultPos + 16 + 92 * 5 + 5] = 0x41;
  mk.ReplaceImage(edited);
  JournalSession session(mk);
  EXPECT_EQ(ReadFaultRecord(mk, 5).code, 0x4133u);
  session.Cancel();

  // A model without a directory cannot open the journals and stays as it was.
  TMK fresh;
  const auto b7 = Copy(fresh.Block(7));
  EXPECT_THROW(JournalSession s(fresh), RangeError);
  EXPECT_EQ(Copy(fresh.Block(7)), b7);
}

TEST(JournalTables, EmptyJournalsAndFaultList) {
  SettingsDocument doc(true);
  TMK& mk = doc.Model();
  ResetTripJournal(mk);
  const TextTable trips = JournalTable(mk, Journal::Trips, kEn);
  ASSERT_EQ(trips.size(), 22u);
  EXPECT_EQ(trips[0][0], "#");
  EXPECT_EQ(trips[0][1], "Date and time of rec.");
  EXPECT_EQ(trips[0][8], "Cost");
  EXPECT_EQ(trips[1][0], "Last");
  EXPECT_EQ(trips[21][0], "20");
  for (size_t r = 1; r < trips.size(); ++r) {
    ASSERT_EQ(trips[r].size(), 9u);
    EXPECT_EQ(trips[r][1], "Empty");
  }
  const TextTable faults = FaultListTable(mk, 0, kRu);
  ASSERT_EQ(faults.size(), 8u);
  EXPECT_EQ(faults[0], (std::vector<std::string>{"#", "Время", "Код ошибки"}));
  for (int r = 0; r < 7; ++r)
    EXPECT_EQ(faults[r + 1], (std::vector<std::string>{std::to_string(r), "", ""}));
  EXPECT_TRUE(StoredDataTable(mk, 1, kEn).empty());
}

TEST(JournalTables, FaultListOfTheSampleUsesKindAndSwitches) {
  LoadedModel m;
  const TextTable en = FaultListTable(m.mk, 0, kEn);
  EXPECT_EQ(en[1][0], "0");
  EXPECT_EQ(en[1][2], "P0133");
  EXPECT_EQ(en[1][1],
            FormatFaultStamp(ReadFaultRecord(m.mk, 0).minutes, ReadFaultRecord(m.mk, 0).day,
                             ReadFaultRecord(m.mk, 0).month));
  m.mk.SetInt(U8(11, 14), 0);
  EXPECT_EQ(FaultListTable(m.mk, 9, kEn)[1][2], "307");  // kind 9 without letters: decimal
  // Row 0 is the header: no stored data; rows 1..7 are records 0..6.
  EXPECT_TRUE(StoredDataTable(m.mk, 0, kEn).empty());
  EXPECT_TRUE(StoredDataTable(m.mk, 8, kEn).empty());
  EXPECT_EQ(StoredDataTable(m.mk, 1, kEn)[0], (std::vector<std::string>{"Trouble code", "P0133"}));
}

TEST(JournalExport, Cp1251TabsAndCrLf) {
  SettingsDocument doc(false);
  TMK& mk = doc.Model();
  const TextTable trips = JournalTable(mk, Journal::Trips, kRu);
  const std::string bytes = TableExportText(trips);
  // 22 lines, each of 9 tab-terminated cells.
  size_t lines = 0, pos = 0;
  while (true) {
    const size_t end = bytes.find("\r\n", pos);
    if (end == std::string::npos) break;
    const std::string line = bytes.substr(pos, end - pos);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 9) << line;
    EXPECT_EQ(line.back(), '\t');
    EXPECT_EQ(line.find('\n'), std::string::npos);
    ++lines;
    pos = end + 2;
  }
  EXPECT_EQ(lines, 22u);
  EXPECT_EQ(pos, bytes.size());
  // Row "Last" of an empty journal: "Посл.\tПусто\t" and seven empty cells.
  const std::string last = "\xCF\xEE\xF1\xEB.\t\xCF\xF3\xF1\xF2\xEE\t\t\t\t\t\t\t\t\r\n";
  EXPECT_NE(bytes.find(last), std::string::npos);
  EXPECT_EQ(TableExportText({{"a", "б"}, {}}), "a\t\xE1\t\r\n\r\n");

  const auto dir = std::filesystem::temp_directory_path() / "tripconf_export_test";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "trips.txt").string();
  WriteFileAtomic(path, std::string("old contents"));
  ExportTable(path, trips);  // replaces without asking
  const auto back = ReadWholeFile(path);
  EXPECT_EQ(std::string(back.begin(), back.end()), bytes);
  EXPECT_THROW(ExportTable((dir / "no such folder" / "x.txt").string(), trips), FileError);
  std::filesystem::remove_all(dir);
}

TEST(JournalTables, FaultCodeKindFollowsTheSettingsHeld) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  mk.ReplaceImage(BuildSampleImage(SampleSetupByName("v8003-32k")), 0x8003);
  mk.DecodeSettingsBlocks();
  std::string problem;
  const int kind = JournalFaultCodeKind(doc, &problem);
  EXPECT_EQ(problem, "");
  ASSERT_NE(doc.Variant().CurrentProtocol(), nullptr);
  EXPECT_EQ(kind, doc.Variant().CurrentProtocol()->FaultFormat);
  EXPECT_EQ(doc.Variant().DeviceType(), 0x8003);

  // A protocol number the variant does not offer: the letter form, and why.
  mk.SetInt(U16(11, 4), 250);
  EXPECT_EQ(JournalFaultCodeKind(doc, &problem), 0);
  EXPECT_NE(problem, "");
}
