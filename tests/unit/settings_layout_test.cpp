#include "model/settings_layout.h"

#include <gtest/gtest.h>

#include "model/tmk.h"

using namespace tc;
using namespace tc::layout;

namespace {

bool Fits(const FieldRef& f) {
  return f.block >= 1 && f.block <= kBlockCount && f.offset + f.Width() <= kBlockSize[f.block];
}
bool Fits(const FieldArray& a) {
  return Fits(a[0]) && Fits(a[a.count - 1]);
}
bool Fits(const FieldGrid& g) {
  return Fits(g(0, 0)) && Fits(g(g.rows - 1, g.cols - 1));
}

}  // namespace

// A wrong count or stride shows as an array that runs past its block, where
// every access would fail with a range error.
TEST(SettingsLayout, EveryArrayLiesInsideItsBlock) {
  for (const FieldArray& a : {kSubtypesLow, kSubtypesHigh, kOilCalibrRes, kOilCalibrLit,
                              kTareLitres, kTareSensor, kServiceNames, kTripRecords, kRefuelRecords,
                              kCellTables, kInfoCells, kShowDisp1, kFaultSupportSet, kFaultRecords})
    EXPECT_TRUE(Fits(a)) << int(a.first.block) << ":" << a.first.offset;
  for (const FieldGrid& g : {kX4Cells, kX7Cells, kGraphCells, kArrowCells, kX9Cells, kX6Cells,
                             kHotMenus, kColourSchemes, kSchemePalette, kSchemeRoles})
    EXPECT_TRUE(Fits(g)) << int(g.first.block) << ":" << g.first.offset;
  // The last field of the last record of each journal.
  EXPECT_TRUE(Fits(JournalRecordAt(kTripRecords[kJournalRecordCount - 1]).gasMl));
  EXPECT_TRUE(Fits(JournalRecordAt(kRefuelRecords[kJournalRecordCount - 1]).gasMl));
  const FaultRecordFields last = FaultRecordAt(kFaultRecords[kFaultRecordCount - 1]);
  EXPECT_TRUE(Fits(last.storedValues));
  for (const SumFields& s : kSumFields)
    for (const FieldRef& f : {s.time, s.distance, s.petrol, s.gas, s.wholeKm})
      if (f.IsSet()) {
        EXPECT_TRUE(Fits(f));
      }
  for (const FieldDefault& d : kEarlyDefaults) EXPECT_TRUE(Fits(d.field));
  for (const FieldDefault& d : kLateDefaults) EXPECT_TRUE(Fits(d.field));
}

// Known device positions (block 10 unless said otherwise).
TEST(SettingsLayout, TablesMeetTheDevicePositions) {
  EXPECT_EQ(kX4Cells(3, 1).offset, 25);  // fourth x4 display, cell 1
  EXPECT_EQ(kX9Cells(2, 8).offset, 122);
  EXPECT_EQ(kX7Cells(3, 6).offset, 63);
  EXPECT_EQ(kGraphCells(7, 1).offset, 79);
  EXPECT_EQ(kArrowCells(7, 1).offset, 95);
  EXPECT_EQ(kX6Cells(1, 5).offset, 411);
  EXPECT_EQ(kCellTables[kCellTables.count - 1].offset, kX9Cells(2, 8).offset);
  EXPECT_EQ(kHotMenus(2, 0).offset, 164);
  EXPECT_EQ(kHotMenus(3, 9).offset, 202);
  EXPECT_EQ(kSchemeRoles(1, 22).offset, 248 + 56 + 32 + 22);
  EXPECT_EQ(kSchemePalette(1, 15).offset, 248 + 56 + 30);
  EXPECT_EQ(kColourSchemes(1, kSchemeSize - 1).offset, 359);
  EXPECT_EQ(kShowDisp1[1].offset, 396);

  const JournalRecordFields trip = JournalRecordAt(kTripRecords[1]);
  EXPECT_EQ(trip.minutes.offset, 36);
  EXPECT_EQ(trip.gasMl.offset, 52);
  EXPECT_EQ(JournalRecordAt(kRefuelRecords[20]).day.offset, 436 + 400 + 2);

  const FaultRecordFields fault = FaultRecordAt(kFaultRecords[6]);
  EXPECT_EQ(fault.code.offset, 16 + 92 * 6 + 4);
  EXPECT_EQ(fault.fuelSystem1.offset, 16 + 92 * 6 + 13);
  EXPECT_EQ(fault.storedValues[kFaultStoredValues - 1].offset, 16 + 92 * 6 + 90);
  EXPECT_EQ(kInfoCells[3].block, 13);
  EXPECT_EQ(kInfoCells[3].offset, 7);
}
