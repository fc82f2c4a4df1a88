// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/sample_image.h"
#include "model/settings_map.h"
#include "model/tmk.h"

using namespace tc;
using namespace tc::layout;

namespace {

// The block sizes of one layout: the model's own, or what a sample
// image's directory gives (its data bytes, without the trailing ones).
struct Layout {
  std::string name;
  std::array<int, kBlockCount + 1> size{};
};

std::vector<Layout> Layouts() {
  std::vector<Layout> layouts{{"model", kBlockSize}};
  std::set<uint32_t> memories;
  for (const SampleImage& s : SampleImages()) {
    if (!memories.insert(s.setup.memorySize).second) continue;
    const std::vector<uint8_t> image = BuildSampleImage(s.setup);
    Layout l{s.name, {}};
    for (int b = 1; b <= kBlockCount; ++b)
      l.size[size_t(b)] = int(TMK::EntryOf(image, DirectoryEntryOfBlock(b)).DataSize());
    layouts.push_back(l);
  }
  return layouts;
}

// The bytes of its block that an entry covers (bit fields: the bits, as
// byte * 8 + bit).
std::set<int> Covered(const MapEntry& e) {
  std::set<int> out;
  for (int i = 0; i < e.Elements(); ++i) {
    const int at = e.Element(i).offset;
    if (e.kind == MapKind::Bits) {
      for (int bit = e.firstBit; bit < e.firstBit + e.bitCount; ++bit)
        out.insert((at + bit / 8) * 8 + bit % 8);
    } else {
      for (int k = 0; k < e.width; ++k) out.insert(at + k);
    }
  }
  return out;
}

bool Meet(const std::set<int>& a, const std::set<int>& b) {
  return std::any_of(a.begin(), a.end(), [&](int x) { return b.count(x) != 0; });
}

using NamePair = std::pair<std::string, std::string>;
NamePair Ordered(std::string a, std::string b) {
  return a < b ? NamePair{a, b} : NamePair{b, a};
}

}  // namespace

// A wrong count, stride or record size shows as an entry that runs past its
// block, where every access would fail with a range error; a device whose
// directory gives a block fewer bytes would never see the field.
TEST(SettingsMap, EveryEntryLiesInsideItsBlockOnEveryLayout) {
  const std::vector<Layout> layouts = Layouts();
  ASSERT_EQ(layouts.size(), 3u);  // the model, an 8 KiB and a 32 KiB memory
  for (const MapEntry& e : kMap) {
    const std::string name = MapEntryName(e);
    ASSERT_GE(e.Block(), 1) << name;
    ASSERT_LE(e.Block(), kBlockCount) << name;
    EXPECT_GT(e.Elements(), 0) << name;
    EXPECT_GT(e.width, 0) << name;
    for (const Layout& l : layouts)
      EXPECT_LE(e.FirstOffset() + e.ByteExtent(), l.size[size_t(e.Block())])
          << name << " on the " << l.name << " layout";
    if (e.kind == MapKind::Bits) {
      EXPECT_GT(e.bitCount, 0) << name;
      EXPECT_LE(e.firstBit + e.bitCount, 8 * e.width) << name << ": bits past the field";
    }
  }
}

// Two entries share bytes (or two bit fields share bits) only where the map
// says so, and every sharing it declares is real, so a stale or misspelt
// one cannot hide a fault.
TEST(SettingsMap, EntriesOverlapOnlyWhereTheMapDeclaresSharing) {
  std::set<NamePair> declared;
  for (const MapSharing& s : kMapSharings) declared.insert(Ordered(s.a, s.b));
  EXPECT_EQ(declared.size(), std::size(kMapSharings)) << "a sharing is listed twice";

  std::vector<std::set<int>> covered;
  for (const MapEntry& e : kMap) covered.push_back(Covered(e));
  std::set<NamePair> found;
  for (size_t i = 0; i < kMap.size(); ++i)
    for (size_t j = i + 1; j < kMap.size(); ++j) {
      const MapEntry &a = kMap[i], &b = kMap[j];
      // Bit fields are compared with bit fields; a bit field always lies in
      // the bytes of its own field.
      if (a.Block() != b.Block() || (a.kind == MapKind::Bits) != (b.kind == MapKind::Bits))
        continue;
      if (!Meet(covered[i], covered[j])) continue;
      const NamePair pair = Ordered(MapEntryName(a), MapEntryName(b));
      found.insert(pair);
      EXPECT_TRUE(declared.count(pair)) << pair.first << " overlaps " << pair.second;
    }
  for (const NamePair& p : declared)
    EXPECT_TRUE(found.count(p)) << p.first << " and " << p.second
                                << " are declared as sharing but do not overlap";
}

// The walk lists every field, array, grid, bit field, sum table and record
// that the map declares, so nothing escapes the checks above.
TEST(SettingsMap, TheWalkListsEveryDeclaration) {
  std::ifstream in(TRIPCONF_SOURCE_DIR "/src/model/settings_layout.h");
  ASSERT_TRUE(in) << "the map's source is not at " TRIPCONF_SOURCE_DIR;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::regex declaration(
      R"(constexpr\s+(FieldRef|FieldArray|FieldGrid|BitField|SumFields|RecordArray<\w+>)\s+(k\w+))");
  std::set<std::string> walked;
  for (const MapEntry& e : kMap) walked.insert(e.name);
  int declarations = 0;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), declaration);
       it != std::sregex_iterator(); ++it) {
    ++declarations;
    EXPECT_TRUE(walked.count((*it)[2])) << (*it)[2] << " is declared but not walked";
  }
  EXPECT_GT(declarations, 150);
}

TEST(SettingsMap, NamesAreUniqueAndRecordsAreWhole) {
  std::set<std::string> names;
  for (const MapEntry& e : kMap) EXPECT_TRUE(names.insert(MapEntryName(e)).second) << e.name;

  // Each record's members follow each other without a gap or an overlap and
  // fill the record exactly.
  const auto whole = [](const auto& records, const char* what) {
    int next = 0;
    for (const auto& m : records.members) {
      EXPECT_EQ(m.field.offset, next) << what;
      next = m.End();
    }
    EXPECT_EQ(next, records.size) << what;
  };
  whole(kTripRecords, "journal record");
  whole(kFaultRecords, "fault record");
}

// A default names a field of the map with the map's type, so a default can
// never write a byte as another type than the code that reads it.
TEST(SettingsMap, DefaultsNameMapFieldsWithTheirTypes) {
  std::map<std::pair<int, int>, std::set<FieldType>> declared;  // (block, offset) -> types
  for (const MapEntry& e : kMap) {
    if (e.kind == MapKind::Bits || e.kind == MapKind::Record) continue;
    for (int i = 0; i < e.Elements(); ++i) {
      const FieldRef f = e.Element(i);
      declared[{f.block, f.offset}].insert(f.type);
    }
  }
  const auto check = [&](const FieldDefault& d) {
    const auto it = declared.find({d.field.block, d.field.offset});
    ASSERT_NE(it, declared.end()) << "block " << int(d.field.block) << " byte " << d.field.offset
                                  << " has no name in the map";
    EXPECT_TRUE(it->second.count(d.field.type))
        << "block " << int(d.field.block) << " byte " << d.field.offset
        << " is set with another type than the map declares";
  };
  for (const FieldDefault& d : kEarlyDefaults) check(d);
  for (const FieldDefault& d : kLateDefaults) check(d);
}

// Known values of the packed bytes, and bits outside a group left alone.
TEST(SettingsMap, BitFieldsPackTheDeviceBytes) {
  // Brightness "Время" (1) with colour "Габар." (2).
  EXPECT_EQ(kColorMeth.Insert(kIntenseMeth.Insert(0, 1), 2), 0x21u);
  EXPECT_EQ(kColorMeth.Extract(0x21), 2u);
  EXPECT_EQ(kIntenseMeth.Insert(0xFF, 0x12), 0xF2u);  // cut to four bits, the other half kept
  // First "Б" (2) and next "Г" (4); a single mode "М" (3) in both groups.
  EXPECT_EQ(kWarnNext.Insert(kWarnFirst.Insert(0, 2), 4), 34u);
  EXPECT_EQ(kWarnNext.Insert(kWarnFirst.Insert(0, 3), 3), 27u);
  EXPECT_EQ(kWarnFirstOnly.Mask(), kWarnFirst.Mask() | kWarnNext.Mask());
  // A list choice keeps the list/types bit; the item is read from bits 0..1.
  EXPECT_EQ(kBlocksShowStored.Insert(0x80 | 0x7F, 1), 0x81u);
  EXPECT_EQ(kBlocksShowItem.Extract(0x81), 1u);
  EXPECT_EQ(kBlocksShowList.Mask(), 0x80u);
  EXPECT_EQ(kOptGasVariant2.Mask(), 1u << 17);
  EXPECT_EQ(kServiceFlagsCleared.Insert(0xFFFF, 0), 0x0FFFu);
  EXPECT_EQ(kWarnFirst.On(kWarnModes[5]).field.offset, 5);
}

// Known device positions (block 10 unless said otherwise).
TEST(SettingsMap, TablesMeetTheDevicePositions) {
  EXPECT_EQ(kX4Cells(3, 1).offset, 25);  // fourth x4 display, cell 1
  EXPECT_EQ(kX9Cells(2, 8).offset, 122);
  EXPECT_EQ(kX7Cells(3, 6).offset, 63);
  EXPECT_EQ(kX1Cells(3, 3).offset, kX7Cells(3, 3).offset);
  EXPECT_EQ(kX3Cells(2, 2).offset, kX7Cells(2, 2).offset);
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

  EXPECT_EQ(kTripRecords.FieldOf<&JournalRecord::minutes>(1).offset, 36);
  EXPECT_EQ(kTripRecords.FieldOf<&JournalRecord::gasMl>(1).offset, 52);
  EXPECT_EQ(kTripRecords.FieldOf<&JournalRecord::gasMl>(1).type, FieldType::u32);
  EXPECT_EQ(kRefuelRecords.FieldOf<&JournalRecord::day>(20).offset, 436 + 400 + 2);

  EXPECT_EQ(kFaultRecords.FieldOf<&FaultRecord::code>(6).offset, 16 + 92 * 6 + 4);
  EXPECT_EQ(kFaultRecords.FieldOf<&FaultRecord::fuelSystem1>(6).offset, 16 + 92 * 6 + 13);
  const FieldRef lastValue = kFaultRecords.FieldOf<&FaultRecord::stored>(6, kFaultStoredValues - 1);
  EXPECT_EQ(lastValue.block, 12);
  EXPECT_EQ(lastValue.offset, 16 + 92 * 6 + 90);
  EXPECT_EQ(lastValue.type, FieldType::s16);
  EXPECT_EQ(kInfoCells[3].block, 13);
  EXPECT_EQ(kInfoCells[3].offset, 7);
}
