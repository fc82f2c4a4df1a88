// SPDX-License-Identifier: GPL-3.0-or-later
// Settings documents: each one carries its own variant, so two files of
// different devices can be open at once without either seeing the other's.
#include "model/settings_document.h"

#include <gtest/gtest.h>

#include <memory>

#include "catalog/variants.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/preview.h"
#include "model/preview_surface.h"
#include "model/sample_image.h"
#include "model/settings_layout.h"
#include "util/errors.h"

namespace tc {
namespace {

std::unique_ptr<SettingsDocument> OpenSample(const char* name) {
  const SampleSetup setup = SampleSetupByName(name);
  return OpenSettingsDocument(BuildSampleImage(setup), setup.deviceVersion);
}

// What a document shows: visibility, the protocol list, the captions of
// three parameters and an x4 and an info-panel preview.
struct View {
  std::set<std::string, std::less<>> hidden;
  std::vector<std::string> protocols;
  std::vector<std::string> captions;
  std::vector<uint8_t> x4, info;
  size_t infoItems = 0;
  bool operator==(const View&) const = default;
};

View Look(SettingsDocument& doc) {
  View v;
  EditorContext ctx{doc.Model(), doc.Variant()};
  v.hidden = ControlVisibility(ctx).Hidden();
  for (const auto& item : SettingItems(ctx, *FindSetting("cbProtocol")))
    v.protocols.push_back(item.text.en);
  for (uint8_t code : {9, 11, 34})
    v.captions.push_back(doc.Model().FindMeasPar(code) ? doc.Model().FindMeasPar(code)->Name.en
                                                       : "-");
  PreviewInput in(doc.Model(), doc.Model().MeasParList);
  in.infoItems = BuildInfoPanelItems(doc.Flags(), ctx.EnginePumpProtocol());
  v.infoItems = in.infoItems.size();
  PreviewSurface x4(PreviewWidth(PreviewScreen::X4), kScreenHeight);
  PaintPreview(x4, PreviewScreen::X4, in, 0);
  v.x4 = x4.Rgb();
  PreviewSurface info(PreviewWidth(PreviewScreen::Info), kScreenHeight);
  PaintPreview(info, PreviewScreen::Info, in, 0);
  v.info = info.Rgb();
  return v;
}

TEST(SettingsDocument, TwoVariantsSideBySideEachSeeTheirOwn) {
  // Each alone first: what it shows with nothing else open.
  const View alone104 = Look(*OpenSample("v104-8k"));
  const View aloneE01 = Look(*OpenSample("ve01-32k"));

  auto v104 = OpenSample("v104-8k");
  auto e01 = OpenSample("ve01-32k");
  EXPECT_EQ(v104->Variant().DeviceType(), 0x104);
  EXPECT_EQ(e01->Variant().DeviceType(), 0xE01);
  EXPECT_FALSE(v104->Flags().VariantTrim);
  EXPECT_TRUE(e01->Flags().VariantTrim);
  EXPECT_TRUE(e01->Flags().VariantPowerReserve);

  // Looked at in turns, in both orders: neither sees the other's variant.
  EXPECT_EQ(Look(*v104), alone104);
  EXPECT_EQ(Look(*e01), aloneE01);
  EXPECT_EQ(Look(*v104), alone104);

  const View a = Look(*v104), b = Look(*e01);
  EXPECT_TRUE(a.hidden.count("seTrimLowLimit"));
  EXPECT_FALSE(b.hidden.count("seTrimLowLimit"));
  EXPECT_NE(a.protocols, b.protocols);
  EXPECT_EQ(b.captions[0], std::string("Power res."));
  EXPECT_NE(a.captions[0], b.captions[0]);
  EXPECT_NE(a.infoItems, b.infoItems);  // power reserve offers more on the info panel
}

TEST(SettingsDocument, ChangingOneDocumentsProtocolLeavesTheOtherAlone) {
  auto first = OpenSample("v104-8k");
  auto second = OpenSample("v104-8k");
  const int code = second->Variant().CurrentProtocol()->Code;
  first->Model().SetInt(layout::kProtocolNumber, 5);
  first->SelectVariant();
  EXPECT_NE(first->Variant().CurrentProtocol()->Code, code);
  EXPECT_EQ(second->Variant().CurrentProtocol()->Code, code);
}

TEST(SettingsDocument, OpeningKeepsAnUnofferedProtocolAsAProblemAndRefusesForeignImages) {
  const SampleSetup setup = SampleSetupByName("v104-8k");
  SettingsDocument scratch;
  scratch.Model().ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
  scratch.Model().DecodeSettingsBlocks();
  scratch.Model().SetInt(layout::kProtocolNumber, 200);  // the variant offers 75
  scratch.Model().EncodeSettingsBlocks();

  auto doc = OpenSettingsDocument(scratch.Model().Image(), setup.deviceVersion);
  EXPECT_NE(doc->VariantProblem().find("List index out of bounds"), std::string::npos)
      << doc->VariantProblem();
  // The flags are selected all the same; only the protocol is missing.
  EXPECT_TRUE(doc->Flags().VariantTaximeter);
  EXPECT_EQ(doc->Variant().CurrentProtocol(), nullptr);
  EXPECT_FALSE(doc->TrySelectVariant().empty());

  // An image that is no device's directory is refused before anything is decoded.
  EXPECT_THROW(OpenSettingsDocument(std::vector<uint8_t>(10, 0), setup.deviceVersion), TripError);

  // A protocol number above one byte is refused with the range error, and
  // the document keeps the variant it had.
  auto ok = OpenSample("v104-8k");
  ok->Model().SetInt(layout::kProtocolNumber, 300);
  EXPECT_THROW(ok->SelectVariant(), RangeError);
  EXPECT_NE(ok->Variant().CurrentProtocol(), nullptr);
}

}  // namespace
}  // namespace tc

namespace tc {
namespace {

// A display cell names its parameter as that document's variant captions
// it, whatever another open document selected.
TEST(SettingsDocument, CellsNameParametersAsTheirVariantCaptionsThem) {
  struct Case {
    uint16_t device;
    uint32_t layout;
    uint8_t code;
    const char* shown;
  };
  const Case cases[] = {
      {0x104, 0, 11, "11 (T air)"},    {0xE01, 0, 11, "11 (Tair/wat/eng)"},
      {0xC01, 0, 11, "11 (Tvariat)"},  {0x601, 0, 11, "11 (LowBmCntr)"},
      {0xE01, 0, 9, "9 (Power res.)"}, {0x801, 6, 34, "34 (LowBmCntr)"},
  };
  std::vector<std::unique_ptr<SettingsDocument>> open;
  for (const Case& c : cases) {
    SampleSetup setup;
    setup.deviceVersion = c.device;
    setup.layoutVersion = c.layout;
    setup.protocol = 0;
    SettingsDocument scratch;
    scratch.Model().ReplaceImage(BuildSampleImage(setup), c.device);
    scratch.Model().DecodeSettingsBlocks();
    scratch.Model().SetInt(layout::kX4Cells(0, 0), c.code);
    scratch.Model().EncodeSettingsBlocks();
    open.push_back(OpenSettingsDocument(scratch.Model().Image(), c.device));
  }
  for (size_t i = 0; i < open.size(); ++i) {
    EditorContext ctx{open[i]->Model(), open[i]->Variant()};
    EXPECT_EQ(FormatValue(ctx, *FindSetting("x4.1.1"), true), cases[i].shown)
        << std::hex << cases[i].device;
  }
}

}  // namespace
}  // namespace tc
