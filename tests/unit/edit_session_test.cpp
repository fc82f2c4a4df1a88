// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, OK and Cancel of the settings editor on the device model.
#include "editor_core/edit_session.h"

#include <gtest/gtest.h>

#include "catalog/variants.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"

using namespace tc;

namespace {
using Blocks = std::vector<std::vector<uint8_t>>;
Blocks Snapshot(const TMK& mk) {
  Blocks b;
  for (int n = 1; n <= kBlockCount; ++n) b.emplace_back(mk.Block(n).begin(), mk.Block(n).end());
  return b;
}
void Load(TMK& mk, const char* sample) {
  const SampleSetup setup = SampleSetupByName(sample);
  mk.ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
  mk.DecodeSettingsBlocks();
}
// Edits on both pages, a raw edit of every edited block (as grids and
// pop-up menus of other pages do) and a protocol change.
void EditEverything(TSettingsEditSession& s) {
  EditorContext& c = s.Context();
  SetFromText(c, *FindSetting("seVelocityCorr"), "7.5");
  SetFromText(c, *FindSetting("seAllPathStart"), "1234");
  SetFromText(c, *FindSetting("cbCorrTankByAcc"), "off");
  SetFromText(c, *FindSetting("cbProtocol"), "#2");
  for (int n : kEditedBlocks) s.Model().Block(n)[1] ^= 0x5A;
}
}  // namespace

TEST(EditSession, CancelPutsBackEveryEditedBlockIncludingBlock13) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  Load(mk, "v8002-8k");
  const Blocks before = Snapshot(mk);
  const auto image = mk.Image();
  {
    TSettingsEditSession s(doc);
    EditEverything(s);
    ASSERT_NE(Snapshot(mk), before);
    s.Cancel();
  }
  EXPECT_EQ(Snapshot(mk), before);
  EXPECT_EQ(mk.Image(), image);
  EXPECT_EQ(doc.Variant().CurrentProtocolNumber(), 1);  // the sample's protocol again
}

TEST(EditSession, AnUnfinishedSessionCountsAsCancelled) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  Load(mk, "v104-8k");
  const Blocks before = Snapshot(mk);
  try {
    TSettingsEditSession s(doc);
    EditEverything(s);
    throw std::runtime_error("the window failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(Snapshot(mk), before);
}

TEST(EditSession, AcceptEncodesTheEditedBlocksOnly) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  Load(mk, "v104-8k");
  const auto image = mk.Image();
  const DirEntry e12 = mk.Entry(12), e13 = mk.Entry(13);
  {
    TSettingsEditSession s(doc);
    EditEverything(s);
    mk.Block(12)[0] ^= 0xFF;  // the fault journal is not the editor's
    s.Accept();
  }
  ASSERT_EQ(mk.Image().size(), image.size());
  size_t changed = 0;
  for (size_t i = 0; i < image.size(); ++i) {
    if (mk.Image()[i] == image[i]) continue;
    ++changed;
    const bool inBlock12 = i >= e13.address - 32u && i < e13.address - 32u + e13.size;
    const bool inEntry12 = i >= e12.address - 32u && i < e12.address - 32u + e12.size;
    EXPECT_FALSE(inBlock12 || inEntry12) << i;
  }
  EXPECT_GE(changed, kEditedBlocks.size());
  TMK back;
  back.ReplaceImage(mk.Image(), mk.DeviceVersion);
  back.DecodeSettingsBlocks();
  EXPECT_EQ(back.GetInt(layout::kAllPathStart), 1234);
  EXPECT_EQ(back.GetInt(layout::kProtocolNumber), 2);
}

TEST(EditSession, OpeningRefusesSettingsItCannotSelectAVariantFor) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  // Nothing read or loaded yet: every directory size is 0.
  EXPECT_THROW(TSettingsEditSession{doc}, RangeError);

  Load(mk, "v104-8k");
  mk.SetInt(layout::kProtocolNumber, 256);
  mk.EncodeBlock(11);
  const Blocks before = Snapshot(mk);
  try {
    TSettingsEditSession s(doc);
    FAIL() << "opened";
  } catch (const RangeError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Range check error", 0), 0u) << e.what();
  }
  EXPECT_EQ(Snapshot(mk), before);

  mk.SetInt(layout::kProtocolNumber, 75);  // 0x104 offers 75 protocols: 0..74
  mk.EncodeBlock(11);
  EXPECT_THROW(TSettingsEditSession{doc}, ListIndexError);

  mk.SetInt(layout::kProtocolNumber, 0);
  mk.EncodeBlock(11);
  auto edited = mk.Image();
  edited[61] = 1;  // layout version 256
  mk.ReplaceImage(edited);
  EXPECT_THROW(TSettingsEditSession{doc}, RangeError);
}

TEST(EditSession, OpeningDecodesAndBuildsTheVariantsSchemes) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  Load(mk, "v8003-32k");            // a hybrid variant
  mk.SetInt(layout::kTimeCorr, 9);  // an edit not yet in the image is dropped by the decode
  TSettingsEditSession s(doc);
  EXPECT_EQ(mk.GetInt(layout::kTimeCorr), 0);
  EXPECT_TRUE(doc.Variant().Flags().VariantHybrid);
  TMK plain;
  plain.BuildFactorySchemes(true);
  EXPECT_EQ(mk.FactoryScheme1, plain.FactoryScheme1);
  s.Accept();
}

TEST(EditSession, SettingsWithoutBlock13OpenAndCloseAsTheOthers) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  Load(mk, "v104-8k");
  auto edited = mk.Image();
  for (int i = 58; i < 60; ++i) edited[i] = 0;  // entry 14: no block 13
  mk.ReplaceImage(edited);
  mk.RefreshDirectory();
  const auto image = mk.Image();
  const Blocks before = Snapshot(mk);
  {
    TSettingsEditSession s(doc);
    EditEverything(s);
    s.Cancel();
  }
  EXPECT_EQ(Snapshot(mk), before);
  {
    TSettingsEditSession s(doc);
    SetFromText(s.Context(), *FindSetting("seTimeCorr"), "4");
    s.Model().Block(13)[0] ^= 1;
    s.Accept();
  }
  EXPECT_EQ(mk.GetInt(layout::kTimeCorr), 4);
  TMK back;
  back.ReplaceImage(mk.Image(), mk.DeviceVersion);
  back.DecodeBlock(6);
  EXPECT_EQ(back.GetInt(layout::kTimeCorr), 4);
  // Nothing of block 13 went anywhere into the image.
  size_t changed = 0;
  for (size_t i = 0; i < image.size(); ++i) changed += mk.Image()[i] != image[i];
  EXPECT_EQ(changed, 1u);
}
