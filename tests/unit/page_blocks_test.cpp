// SPDX-License-Identifier: GPL-3.0-or-later
// The additional systems without widgets: the list by variant and protocol,
// the selection bits, the "Показывать" choices and the text form.
#include "editor_core/page_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalog/protocol.h"
#include "catalog/variants.h"
#include "editor_core/edit_session.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "util/errors.h"

using namespace tc;

namespace {

SettingsDocument& Prepared(SettingsDocument& doc, const char* sample) {
  const SampleSetup setup = SampleSetupByName(sample);
  doc.Model().ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
  return doc;
}

struct Loaded {
  explicit Loaded(const char* sample) : session(Prepared(doc, sample)) {}
  EditorContext& Ctx() { return session.Context(); }
  SettingsDocument doc;
  TMK& mk = doc.Model();
  TSettingsEditSession session;
};

std::vector<int> Codes(const std::vector<SystemEntry>& list) {
  std::vector<int> c;
  for (const SystemEntry& e : list) c.push_back(e.code);
  return c;
}

int Count(const std::vector<SystemEntry>& list, int code) {
  return int(std::count_if(list.begin(), list.end(),
                           [&](const SystemEntry& e) { return e.code == code; }));
}

TProtBase Protocol(bool hybrid, std::vector<uint8_t> blocks, const VariantFlags& f) {
  TProtBase p({"T", "T"}, {}, blocks, 0, 1, f);
  p.IsHybrid = hybrid;
  return p;
}

std::string Message(EditorContext& ctx, const char* name, const std::string& text) {
  try {
    SetFromText(ctx, *FindSetting(name), text);
  } catch (const TripError& e) {
    return e.what();
  }
  return "accepted";
}

}  // namespace

TEST(SystemList, GroupsByVariantAndProtocol) {
  VariantFlags plain;
  const auto basic = BuildSystemList(plain, nullptr);
  ASSERT_EQ(basic.size(), 29u);
  EXPECT_EQ(basic.front().code, 8);
  EXPECT_STREQ(basic.front().name, "Иммо АПС-4");
  EXPECT_EQ(basic.back().code, 118);
  EXPECT_EQ(Count(basic, 93), 0);
  EXPECT_EQ(Count(basic, 25), 0);
  // The additional devices need CAN as well.
  VariantFlags devices;
  devices.VariantAddDevices = true;
  EXPECT_EQ(Codes(BuildSystemList(devices, nullptr)), Codes(basic));

  VariantFlags can;
  can.VariantCan = true;
  const TProtBase engine = Protocol(false, {}, can);
  const TProtBase hybrid = Protocol(true, {}, can);
  const auto canList = BuildSystemList(can, &engine);
  EXPECT_EQ(canList.front().code, 8);
  EXPECT_EQ(canList[29].code, 25);  // the CAN group follows the first one
  EXPECT_EQ(Count(canList, 78), 0);
  EXPECT_EQ(Count(canList, 143), 0);
  EXPECT_EQ(canList.back().code, 164);
  EXPECT_EQ(Count(canList, 109), 1);
  EXPECT_EQ(Count(canList, 132), 1);

  can.VariantAddDevices = true;
  const auto full = BuildSystemList(can, &hybrid);
  EXPECT_EQ(full.front().code, 93);
  EXPECT_STREQ(full.front().name, "Доп.устройства");
  EXPECT_EQ(full.size(), canList.size() + 1 + 25);
  EXPECT_LE(full.size(), 200u);
  // The hybrid units come after the CAN group, before the further entries.
  const std::vector<int> codes = Codes(full);
  const auto pos = [&](int code) {
    return std::find(codes.begin(), codes.end(), code) - codes.begin();
  };
  EXPECT_EQ(pos(78), pos(77) + 1);
  EXPECT_EQ(pos(83), pos(151) + 1);
  EXPECT_EQ(Count(full, 143), 2);
}

TEST(SystemList, SamplesGiveTheListOfTheirVariantAndProtocol) {
  for (const char* sample : {"v104-8k", "v8002-8k", "v8003-32k", "ve01-32k"}) {
    Loaded l(sample);
    const VariantFlags& f = l.Ctx().Flags();
    const auto list = SystemList(l.Ctx());
    EXPECT_EQ(list.front().code, f.VariantCan && f.VariantAddDevices ? 93 : 8) << sample;
    EXPECT_EQ(Count(list, 25), f.VariantCan ? 1 : 0) << sample;
    EXPECT_EQ(Count(list, 143), f.VariantCan && l.Ctx().EnginePumpProtocol() ? 2 : 0) << sample;
  }
}

TEST(SystemSelection, BitsOfBlock5) {
  Loaded l("v8002-8k");
  TMK& mk = l.mk;
  for (int i = 0; i < 32; ++i) mk.Block(5)[20 + size_t(i)] = 0;
  SelectSystem(mk, 21, true);  // "ABS 5.3"
  EXPECT_EQ(mk.Block(5)[22], 0x20);
  EXPECT_TRUE(SystemSelected(mk, 21));
  ToggleSystem(mk, 8);
  EXPECT_EQ(mk.Block(5)[21], 0x01);
  ToggleSystem(mk, 8);
  EXPECT_EQ(mk.Block(5)[21], 0x00);
  SelectSystem(mk, 255, true);
  EXPECT_EQ(mk.Block(5)[51], 0x80);
  EXPECT_THROW(SelectSystem(mk, 256, true), RangeError);
  EXPECT_THROW(SystemSelected(mk, -1), RangeError);

  // Code 143 stands twice in the hybrid list; one bit serves both rows, and
  // the selected systems name it once.
  VariantFlags can;
  can.VariantCan = true;
  const TProtBase hybrid = Protocol(true, {}, can);
  const auto list = BuildSystemList(can, &hybrid);
  SelectSystem(mk, 143, true);
  const auto used = UsedSystems(mk, list);
  EXPECT_EQ(Codes(used), (std::vector<int>{21, 143}));
}

TEST(SystemSelection, ShowChoicesSelectAndKeepTheRest) {
  Loaded l("v8002-8k");
  TMK& mk = l.mk;
  const auto list = SystemList(l.Ctx());
  for (int i = 0; i < 32; ++i) mk.Block(5)[20 + size_t(i)] = 0;
  SelectSystem(mk, 9, true);    // no system of the list
  SelectSystem(mk, 200, true);  // neither
  mk.Block(5)[20] = 0xFE;       // display modes: connected, list/types set, bits 2..6 stray
  const SettingDef& show = *FindSetting("rgBlocksShow");
  EXPECT_EQ(GetIndex(l.Ctx(), show), 2);
  EXPECT_TRUE(SetIndex(l.Ctx(), show, kBlocksShowAll));
  for (const SystemEntry& e : list) EXPECT_TRUE(SystemSelected(mk, e.code)) << int(e.code);
  EXPECT_TRUE(SystemSelected(mk, 9));
  EXPECT_TRUE(SystemSelected(mk, 200));
  EXPECT_EQ(mk.Block(5)[20], 0x80);  // bits 0..6 replaced, bit 7 kept

  // "Протокол": exactly the protocol's own systems of the list.
  const TProtBase* p = l.Ctx().Protocol();
  ASSERT_TRUE(p);
  EXPECT_TRUE(SetIndex(l.Ctx(), show, kBlocksShowProtocol));
  const auto own = p->Blocks();
  for (const SystemEntry& e : list)
    EXPECT_EQ(SystemSelected(mk, e.code), std::find(own.begin(), own.end(), e.code) != own.end())
        << int(e.code);
  EXPECT_TRUE(SystemSelected(mk, 200));
  EXPECT_EQ(mk.Block(5)[20] & 0x7F, 1);

  // "Подключ." changes no selection.
  SelectSystem(mk, 21, true);
  const std::vector<uint8_t> before(mk.Block(5).begin() + 21, mk.Block(5).begin() + 52);
  EXPECT_TRUE(SetIndex(l.Ctx(), show, kBlocksShowConnected));
  EXPECT_EQ(std::vector<uint8_t>(mk.Block(5).begin() + 21, mk.Block(5).begin() + 52), before);
  EXPECT_EQ(mk.Block(5)[20], 0x82);

  // The list/types choice is bit 7 alone.
  const SettingDef& types = *FindSetting("rgBlocksShowList");
  EXPECT_EQ(GetIndex(l.Ctx(), types), 1);
  EXPECT_TRUE(SetFromText(l.Ctx(), types, "Списком"));
  EXPECT_EQ(mk.Block(5)[20], 0x02);
  EXPECT_TRUE(SetFromText(l.Ctx(), types, "By types"));
  EXPECT_EQ(mk.Block(5)[20], 0x82);
}

TEST(SystemText, CodesOrNamesOfTheListInListOrder) {
  SetEnglishVersion(false);  // the messages are checked in Russian
  Loaded l("v8002-8k");
  TMK& mk = l.mk;
  const SettingDef& used = *FindSetting("sgUsedBlocks");
  EXPECT_EQ(used.kind, ControlKind::CodeSet);
  for (int i = 0; i < 32; ++i) mk.Block(5)[20 + size_t(i)] = 0;
  SelectSystem(mk, 200, true);
  EXPECT_EQ(FormatValue(l.Ctx(), used, true), "-");
  EXPECT_TRUE(SetFromText(l.Ctx(), used, "51, ABS 5.3,22"));
  EXPECT_EQ(FormatValue(l.Ctx(), used, true), "21 (ABS 5.3), 22 (ABS 8/9), 51 (ABS Largus)");
  EXPECT_EQ(mk.Block(5)[22], 0x60);
  // What get prints is taken back; a name with brackets stays one name.
  EXPECT_FALSE(SetFromText(l.Ctx(), used, FormatValue(l.Ctx(), used, false)));
  EXPECT_TRUE(SetFromText(l.Ctx(), used, "СНПБ (подушки)"));
  EXPECT_EQ(FormatValue(l.Ctx(), used, true), "16 (СНПБ (подушки))");
  EXPECT_TRUE(SystemSelected(mk, 200));  // not in the list: kept
  EXPECT_TRUE(SetFromText(l.Ctx(), used, ""));
  EXPECT_EQ(FormatValue(l.Ctx(), used, true), "-");
  EXPECT_TRUE(SystemSelected(mk, 200));

  SelectSystem(mk, 21, true);
  const std::vector<uint8_t> before(mk.Block(5).begin(), mk.Block(5).end());
  EXPECT_NE(Message(l.Ctx(), "sgUsedBlocks", "21,9").find("системы 9 нет в списке"),
            std::string::npos);
  EXPECT_NE(Message(l.Ctx(), "sgUsedBlocks", "ABS 99").find("'ABS 99' — не дополнительная система"),
            std::string::npos);
  EXPECT_NE(Message(l.Ctx(), "sgUsedBlocks", "21,,22").find("пустой элемент"), std::string::npos);
  // An entry is one system: no second code or word after the first.
  for (const char* text : {"22 21", "21 x", "21 (ABS 8/9)", "21, 22 (ABS 5.3)", "21 ABS 5.3"})
    EXPECT_NE(Message(l.Ctx(), "sgUsedBlocks", text).find("не одна система"), std::string::npos)
        << text;
  EXPECT_EQ(std::vector<uint8_t>(mk.Block(5).begin(), mk.Block(5).end()), before);
}

TEST(SystemText, ANameOfTwoSystemsAsksForTheCode) {
  SetEnglishVersion(false);  // the messages are checked in Russian
  // Two gearbox units share a name on CAN variants.
  for (const char* sample : {"v104-8k", "v8002-8k", "v8003-32k", "ve01-32k"}) {
    Loaded l(sample);
    if (!l.Ctx().Flags().VariantCan) continue;
    EXPECT_EQ(Message(l.Ctx(), "sgUsedBlocks", "АКПП Hyund/Kia3"),
              "'АКПП Hyund/Kia3' — название систем 109 и 132; укажите код");
    SetEnglishVersion(true);
    EXPECT_EQ(Message(l.Ctx(), "sgUsedBlocks", "АКПП Hyund/Kia3"),
              "'АКПП Hyund/Kia3' names the systems 109 and 132; give the code");
    SetEnglishVersion(false);
    EXPECT_EQ(Message(l.Ctx(), "sgUsedBlocks", "132"), "accepted");
    EXPECT_TRUE(SystemSelected(l.mk, 132));
    EXPECT_FALSE(SystemSelected(l.mk, 109));
    return;
  }
  GTEST_SKIP() << "no sample has a CAN variant";
}

TEST(SystemText, ASystemListedTwiceIsNamedOnce) {
  // The GS450H unit stands twice in the hybrid group; the selected-systems
  // table and `get` show it once, and what `get` prints is taken back.
  for (const char* sample : {"v104-8k", "v8002-8k", "v8003-32k", "ve01-32k"}) {
    Loaded l(sample);
    if (!l.Ctx().Flags().VariantCan) continue;
    const auto& protocols = l.Ctx().catalog.Protocols();
    int hybrid = -1;
    for (size_t i = 0; i < protocols.size() && hybrid < 0; ++i)
      if (protocols[i]->IsHybrid) hybrid = int(i);
    if (hybrid < 0) continue;
    SetIndex(l.Ctx(), *FindSetting("cbProtocol"), hybrid);
    ASSERT_EQ(Count(SystemList(l.Ctx()), 143), 2) << sample;
    const SettingDef& used = *FindSetting("sgUsedBlocks");
    ASSERT_TRUE(SetFromText(l.Ctx(), used, "HV ECU GS450H, 21"));
    EXPECT_EQ(FormatValue(l.Ctx(), used, true), "21 (ABS 5.3), 143 (HV ECU GS450H)");
    EXPECT_EQ(ReadValue(l.Ctx(), used).numbers, (std::vector<int64_t>{21, 143}));
    EXPECT_FALSE(SetFromText(l.Ctx(), used, FormatValue(l.Ctx(), used, true)));
    EXPECT_FALSE(SetFromText(l.Ctx(), used, "143, 143 (HV ECU GS450H), 21"));
    EXPECT_EQ(UsedSystems(l.mk, SystemList(l.Ctx())).size(), 2u);
    return;
  }
  GTEST_SKIP() << "no sample has a CAN variant with a hybrid protocol";
}
