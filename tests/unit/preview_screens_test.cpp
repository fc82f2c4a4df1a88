// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "catalog/meas_par.h"
#include "model/preview.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"

using namespace tc;

namespace {

constexpr PreviewScreen kAllScreens[] = {
    PreviewScreen::X1,   PreviewScreen::X3,  PreviewScreen::X4,    PreviewScreen::X6,
    PreviewScreen::X7,   PreviewScreen::X9,  PreviewScreen::Graph, PreviewScreen::Arrow,
    PreviewScreen::Menu, PreviewScreen::Info};

struct Fixture {
  TMK mk;
  TMeasParList params = BuildMeasParList(VariantFlags{});
  PreviewInput in{mk, params};
  Fixture() { in.infoItems = BuildInfoPanelItems(VariantFlags{}, false); }
};

std::map<uint32_t, int> Histogram(const PreviewSurface& s) {
  std::map<uint32_t, int> h;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const Rgb24 c = s.PixelAt(x, y);
      ++h[uint32_t(c.r) << 16 | c.g << 8 | c.b];
    }
  return h;
}
uint32_t Key(uint16_t c565) {
  const Rgb24 c = Rgb565ToRgb(c565);
  return uint32_t(c.r) << 16 | c.g << 8 | c.b;
}

}  // namespace

TEST(PreviewColourRoles, LookUpThePaletteOfTheChosenScheme) {
  TMK mk;                                                 // factory schemes, hybrid flag clear
  EXPECT_EQ(SchemeColour(mk, 0, crDigitColor1), 0xFFFF);  // index 15, white
  EXPECT_EQ(SchemeColour(mk, 0, crDigitBack1), TMK::PackColour(0, 0, 6));
  EXPECT_EQ(SchemeColour(mk, 0, crMenuActiveBack), TMK::PackColour(31, 0, 0));
  EXPECT_EQ(SchemeColour(mk, 1, crDigitColor1), TMK::PackColour(29, 29, 29));
  EXPECT_EQ(SchemeColour(mk, 1, crArrowLeftDial), TMK::PackColour(29, 29, 29));
  // Role 23 is the spare byte the bottom panel uses: palette 0.
  EXPECT_EQ(SchemeColour(mk, 0, crDigitBottomPanel), 0);

  // Edits of block 10 show at once; only the low four bits of a role count.
  auto b10 = mk.Block(10);
  b10[248 + 32 + crDigitColor1] = 0xF3;
  EXPECT_EQ(SchemeColour(mk, 0, crDigitColor1), TMK::PackColour(9, 9, 0));
  b10[304 + 2 * 7] = 0x34, b10[304 + 2 * 7 + 1] = 0x12;
  EXPECT_EQ(SchemeColour(mk, 1, crDigitColor1), 0x1234);

  EXPECT_THROW(SchemeColour(mk, 2, 0), RangeError);
  EXPECT_THROW(SchemeColour(mk, -1, 0), RangeError);
  EXPECT_THROW(SchemeColour(mk, 0, kColourRoleCount), RangeError);
}

TEST(PreviewScreens, NamesCountsAndBadRequests) {
  for (PreviewScreen s : kAllScreens) EXPECT_EQ(PreviewScreenByName(PreviewScreenName(s)), s);
  EXPECT_FALSE(PreviewScreenByName("x5"));
  EXPECT_EQ(PreviewDisplayCount(PreviewScreen::X4), 6);
  EXPECT_EQ(PreviewDisplayCount(PreviewScreen::Arrow), 8);
  EXPECT_EQ(PreviewWidth(PreviewScreen::Info), 80);
  EXPECT_EQ(PreviewWidth(PreviewScreen::Graph), 320);

  Fixture f;
  PreviewSurface s;
  EXPECT_THROW(PaintPreview(s, PreviewScreen::X4, f.in, 6), RangeError);
  EXPECT_THROW(PaintPreview(s, PreviewScreen::X9, f.in, -1), RangeError);
  f.in.scheme = 2;
  EXPECT_THROW(PaintPreview(s, PreviewScreen::X4, f.in, 0), RangeError);
}

// Every display of every screen, both schemes, both drawings and both
// languages: it draws something in the scheme's colours and never fails.
// Run under the sanitizers this also proves no pixel lands outside.
TEST(PreviewScreens, EveryDisplayDrawsInBothSchemes) {
  Fixture f;
  for (PreviewScreen screen : kAllScreens)
    for (int d = 0; d < PreviewDisplayCount(screen); ++d)
      for (int scheme = 0; scheme < 2; ++scheme)
        for (int variant = 0; variant < 4; ++variant) {
          f.in.scheme = scheme;
          f.in.secondForm = variant & 1;
          f.in.english = variant & 2;
          PreviewSurface s(PreviewWidth(screen), kScreenHeight);
          ASSERT_NO_THROW(PaintPreview(s, screen, f.in, d))
              << PreviewScreenName(screen) << " " << d;
          const auto h = Histogram(s);
          EXPECT_GE(h.size(), 2u) << PreviewScreenName(screen) << " " << d;
          const int back = screen == PreviewScreen::Arrow   ? crArrowScaleBack
                           : screen == PreviewScreen::Graph ? crGraphBack
                                                            : crDigitBack1;
          EXPECT_GT(h.count(Key(SchemeColour(f.mk, scheme, back))), 0u)
              << PreviewScreenName(screen) << " " << d;
        }
}

// Cells holding codes the catalogue does not know, and info cells outside
// the item list, are drawn empty rather than failing.
TEST(PreviewScreens, UnknownCodesDrawEmptyCells) {
  Fixture f;
  auto b10 = f.mk.Block(10);
  for (int i = 12; i <= 122; ++i) b10[i] = uint8_t(i % 3 == 0 ? 40 : 200 + i % 50);
  for (int i = 400; i <= 411; ++i) b10[i] = 0;
  auto b13 = f.mk.Block(13);
  b13[4] = 0x80, b13[5] = 0xFF, b13[6] = 100, b13[7] = 12;  // -128, -1, 100, one past the end
  // Text colours that no frame or background shares.
  b10[248 + 32 + crDigitColor1] = 13;
  b10[248 + 32 + crArrowTitle] = 5;
  for (PreviewScreen screen : kAllScreens) {
    PreviewSurface s(PreviewWidth(screen), kScreenHeight);
    PaintPreview(s, screen, f.in, 0);
    if (screen == PreviewScreen::Menu || screen == PreviewScreen::Graph) continue;
    // Only backgrounds and frames: no text colour anywhere.
    const auto h = Histogram(s);
    const uint16_t text =
        SchemeColour(f.mk, 0, screen == PreviewScreen::Arrow ? crArrowTitle : crDigitColor1);
    EXPECT_EQ(h.count(Key(text)), 0u) << PreviewScreenName(screen);
  }
}

TEST(PreviewScreens, KnownPixels) {
  Fixture f;
  const auto colour = [&](int role) { return Rgb565ToRgb(SchemeColour(f.mk, 0, role)); };
  PreviewSurface s;

  // Four values: the frame crosses in the middle, cells are in background 1.
  PaintX4(s, f.in, 0);
  EXPECT_EQ(s.PixelAt(160, 60), colour(crDigitFrame));
  EXPECT_EQ(s.PixelAt(80, 120), colour(crDigitFrame));
  EXPECT_EQ(s.PixelAt(2, 2), colour(crDigitBack1));

  // Menu: the first line is the active one, across the whole width.
  PaintMenu(s, f.in);
  EXPECT_EQ(s.PixelAt(319, 8), colour(crMenuActiveBack));
  EXPECT_EQ(s.PixelAt(319, 60), colour(crDigitBack1));

  // Arrow display: the right dial's face under its hub, the title strips.
  PaintArrow(s, f.in, 0);
  EXPECT_EQ(s.PixelAt(220, 205), colour(crArrowRightDial));
  EXPECT_EQ(s.PixelAt(2, 239), colour(crArrowTitleBack));
  EXPECT_EQ(s.PixelAt(310, 20), colour(crArrowScaleBack));

  // One value with a bar: the bar of engine speed 2000 of 0..8000 is filled
  // a quarter of its way (inside the frame, between the "0" and "8000").
  auto b10 = f.mk.Block(10);
  b10[36] = 13;
  b10[248 + 32 + crDigitColor1] = 13;  // apart from the frame's white
  PaintX1(s, f.in, 0);
  int filled = 0;
  for (int x = 0; x < 320; ++x) filled += s.PixelAt(x, 172) == colour(crDigitColor1);
  const int barWidth = 320 - 16 - 2 * (4 * 8 + 8);
  EXPECT_EQ(filled, int((barWidth - 6) * 0.25 + 0.5));
}

TEST(PreviewInfoPanel, NumberingFollowsTheVariant) {
  VariantFlags plain;
  auto items = BuildInfoPanelItems(plain, false);
  ASSERT_EQ(items.size(), 12u);
  EXPECT_EQ(items[0].item, InfoItem::CheckEngine);
  EXPECT_STREQ(items[0].caption.en, "CheckEn");
  EXPECT_EQ(items[11].item, InfoItem::GasPetrol);

  VariantFlags f;
  f.VariantNoGas = true;
  f.VariantTrim = true;
  items = BuildInfoPanelItems(f, false);
  ASSERT_EQ(items.size(), 12u);
  EXPECT_EQ(items[11].item, InfoItem::Trim);  // takes the place gas left

  f = {};
  f.VariantHybrid = f.VariantPowerReserve = f.VariantTrim = f.VariantInclinometer = true;
  items = BuildInfoPanelItems(f, false);
  ASSERT_EQ(items.size(), 23u);
  EXPECT_EQ(items[12].item, InfoItem::EngineSpeedElectric);
  EXPECT_STREQ(items[12].caption.en, "Eng.sp.");
  EXPECT_EQ(items[22].item, InfoItem::Pitch);
  EXPECT_EQ(BuildInfoPanelItems(f, true)[12].caption.Get(false), "Обор/Эл");
  // Roll and pitch need both flags.
  f.VariantInclinometer = false;
  EXPECT_EQ(BuildInfoPanelItems(f, false).size(), 21u);
}

TEST(PreviewInfoPanel, TilesFollowTheStoredCodes) {
  Fixture f;
  const Rgb24 text = Rgb565ToRgb(SchemeColour(f.mk, 0, crDigitColor1));
  const Rgb24 icon = Rgb565ToRgb(SchemeColour(f.mk, 0, crDigitColor2));
  auto b13 = f.mk.Block(13);
  b13[4] = 3;     // speed: a value
  b13[5] = 0;     // check engine: the icon
  b13[6] = 0xFF;  // -1: empty
  b13[7] = 11;    // gas / petrol
  PreviewSurface s(80, 240);
  PaintInfoPanel(s, f.in);
  const auto count = [&](int tile, Rgb24 c) {
    int n = 0;
    for (int y = tile * 60 + 2; y < tile * 60 + 58; ++y)
      for (int x = 0; x < 80; ++x) n += s.PixelAt(x, y) == c;
    return n;
  };
  EXPECT_GT(count(0, text), 50);
  EXPECT_GT(count(1, icon), 300);
  EXPECT_EQ(count(1, text), 0);
  EXPECT_EQ(count(2, text) + count(2, icon), 0);
  EXPECT_GT(count(3, text), 20);
}

#ifdef TRIPCONF_CLI
namespace {
int RunCli(const std::string& args) {
  return std::system((std::string(TRIPCONF_CLI) + " " + args + " 2>/dev/null").c_str());
}
}  // namespace

TEST(PreviewCli, WritesPngOfTheScreenSize) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("preview_cli_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string file = (dir / "s.dvkps").string();
  ASSERT_EQ(RunCli("sample v104-8k --out " + file), 0);
  const auto png = [&](const std::string& name) { return (dir / name).string(); };
  ASSERT_EQ(
      RunCli("preview " + file + " --screen x4 --display 6 --scheme night --out " + png("x4.png")),
      0);
  ASSERT_EQ(RunCli("preview " + file + " --screen info --lang ru --out " + png("info.png")), 0);
  const auto size = [](const std::string& path) {
    const auto b = ReadWholeFile(path);
    EXPECT_GE(b.size(), 24u);
    EXPECT_EQ(b[1], 'P');
    return std::pair<int, int>(b[16] << 24 | b[17] << 16 | b[18] << 8 | b[19],
                               b[20] << 24 | b[21] << 16 | b[22] << 8 | b[23]);
  };
  EXPECT_EQ(size(png("x4.png")), (std::pair<int, int>(320, 240)));
  EXPECT_EQ(size(png("info.png")), (std::pair<int, int>(80, 240)));

  // Bad requests fail with a message and write nothing.
  EXPECT_NE(RunCli("preview " + file + " --screen x5 --display 1 --out " + png("bad.png")), 0);
  EXPECT_NE(RunCli("preview " + file + " --screen x4 --display 7 --out " + png("bad.png")), 0);
  EXPECT_NE(RunCli("preview " + file + " --screen x4 --out " + png("bad.png")), 0);
  EXPECT_NE(RunCli("preview " + file + " --screen menu --scheme dusk --out " + png("bad.png")), 0);
  EXPECT_NE(RunCli("preview " + png("missing.dvkps") + " --screen menu --out " + png("bad.png")),
            0);
  EXPECT_FALSE(fs::exists(png("bad.png")));
  fs::remove_all(dir);
}
#endif
