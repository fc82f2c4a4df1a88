// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/preview_surface.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/preview_font.h"
#include "model/preview_pictures.h"
#include "util/cp1251.h"
#include "util/errors.h"

using namespace tc;

namespace {

constexpr uint16_t kRed = 0xF800, kGreen = 0x07E0, kBlue = 0x001F, kWhite = 0xFFFF;
const Rgb24 kBlack24{0, 0, 0}, kRed24{255, 0, 0}, kGreen24{0, 255, 0}, kBlue24{0, 0, 255},
    kWhite24{255, 255, 255};

// Number of pixels of a colour inside a rectangle (inclusive bounds).
int CountIn(const PreviewSurface& s, int x1, int y1, int x2, int y2, Rgb24 c) {
  int n = 0;
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) n += s.PixelAt(x, y) == c;
  return n;
}
int CountAll(const PreviewSurface& s, Rgb24 c) {
  return CountIn(s, 0, 0, s.Width() - 1, s.Height() - 1, c);
}

}  // namespace

TEST(PreviewColours, Rgb565ConvertsToFullRange) {
  EXPECT_EQ(Rgb565ToRgb(0xFFFF), (Rgb24{255, 255, 255}));
  EXPECT_EQ(Rgb565ToRgb(0x0000), (Rgb24{0, 0, 0}));
  EXPECT_EQ(Rgb565ToRgb(0x8410), (Rgb24{132, 130, 132}));
  EXPECT_EQ(Rgb565ToRgb(kRed), kRed24);
  EXPECT_EQ(Rgb565ToRgb(kGreen), kGreen24);
  EXPECT_EQ(Rgb565ToRgb(kBlue), kBlue24);
  // Green's six bits: 0x0020 is the lowest green step, not blue.
  EXPECT_EQ(Rgb565ToRgb(0x0020), (Rgb24{0, 4, 0}));
}

TEST(PreviewSurface, StartsBlackAndClearsWhole) {
  PreviewSurface s;
  EXPECT_EQ(s.Width(), 320);
  EXPECT_EQ(s.Height(), 240);
  EXPECT_EQ(s.Rgb().size(), 320u * 240u * 3u);
  EXPECT_EQ(CountAll(s, kBlack24), 320 * 240);
  s.ClearSurface(kBlue);
  EXPECT_EQ(CountAll(s, kBlue24), 320 * 240);
  // Reading outside is harmless and black.
  EXPECT_EQ(s.PixelAt(-1, 0), kBlack24);
  EXPECT_EQ(s.PixelAt(320, 239), kBlack24);
}

TEST(PreviewSurface, FillRectIsShiftedByOriginAndClipped) {
  PreviewSurface s;
  s.SetBackground(kRed);
  s.SetOrigin(10, 20);
  s.FillRect(5, 3);
  EXPECT_EQ(CountAll(s, kRed24), 15);
  EXPECT_EQ(CountIn(s, 10, 20, 14, 22, kRed24), 15);

  // Beyond the right and bottom edges only the inside part is filled.
  s.ClearSurface(0);
  s.SetOrigin(300, 230);
  s.FillRect(50, 50);
  EXPECT_EQ(CountAll(s, kRed24), 20 * 10);
  // Beyond the left and top edges too.
  s.ClearSurface(0);
  s.SetOrigin(-5, -7);
  s.FillRect(10, 10);
  EXPECT_EQ(CountAll(s, kRed24), 5 * 3);
  // Entirely outside, empty or negative sizes: nothing.
  s.ClearSurface(0);
  s.SetOrigin(400, 10);
  s.FillRect(10, 10);
  s.SetOrigin(0, 0);
  s.FillRect(0, 10);
  s.FillRect(-3, 10);
  EXPECT_EQ(CountAll(s, kRed24), 0);
}

TEST(PreviewSurface, LinesIncludeBothEndsInEitherOrder) {
  PreviewSurface s;
  s.SetForeground(kGreen);
  s.SetOrigin(5, 5);
  s.HLine(10, 3, 0);  // x 8..15 on row 5
  EXPECT_EQ(CountAll(s, kGreen24), 8);
  EXPECT_EQ(s.PixelAt(8, 5), kGreen24);
  EXPECT_EQ(s.PixelAt(15, 5), kGreen24);
  EXPECT_EQ(s.PixelAt(16, 5), kBlack24);
  s.VLine(0, 4, 1);  // column 5, rows 6..9
  EXPECT_EQ(CountIn(s, 5, 0, 5, 239, kGreen24), 4);
  EXPECT_EQ(s.PixelAt(5, 9), kGreen24);
  // Lines running off the surface are clipped, not wrapped to the next row.
  s.ClearSurface(0);
  s.SetOrigin(0, 0);
  s.HLine(310, 400, 0);
  s.VLine(100, -50, 500);
  EXPECT_EQ(CountIn(s, 0, 1, 10, 1, kGreen24), 0);
  EXPECT_EQ(CountAll(s, kGreen24), 10 + 240);
}

TEST(PreviewSurface, ThickLinesStartHalfTheThicknessBefore) {
  PreviewSurface s;
  s.SetForeground(kWhite);
  s.SetThickness(4);
  s.ThickHLine(0, 9, 20);  // rows 18..21
  EXPECT_EQ(CountAll(s, kWhite24), 40);
  EXPECT_EQ(CountIn(s, 0, 18, 9, 21, kWhite24), 40);
  s.ClearSurface(0);
  s.SetThickness(3);
  s.ThickVLine(50, 0, 4);  // columns 49..51
  EXPECT_EQ(CountIn(s, 49, 0, 51, 4, kWhite24), 15);
  EXPECT_EQ(CountAll(s, kWhite24), 15);
  s.ClearSurface(0);
  s.SetThickness(0);
  s.ThickHLine(0, 9, 20);
  EXPECT_EQ(CountAll(s, kWhite24), 0);
}

TEST(PreviewSurface, StampPictureSetsOnlyThePictureBits) {
  PreviewSurface s;
  s.ClearSurface(kBlue);
  s.SetForeground(kRed);
  const Picture& dot = GetPicture(PictureId::Circle9);
  int set = 0;
  for (int y = 0; y < dot.height; ++y)
    for (int x = 0; x < dot.width; ++x) set += dot.IsSet(x, y);
  ASSERT_GT(set, 0);
  s.SetOrigin(100, 50);
  s.StampPicture(dot, 3, 4);
  EXPECT_EQ(CountAll(s, kRed24), set);
  EXPECT_EQ(CountAll(s, kBlue24), 320 * 240 - set);
  for (int y = 0; y < dot.height; ++y)
    for (int x = 0; x < dot.width; ++x)
      EXPECT_EQ(s.PixelAt(103 + x, 54 + y), dot.IsSet(x, y) ? kRed24 : kBlue24);
  // Partly outside: clipped, no crash.
  s.SetOrigin(0, 0);
  s.StampPicture(PictureId::Circle99, 250, 200);
  s.StampPicture(PictureId::Circle99, -150, -150);
}

TEST(PreviewText, PutCharMapsBothCharacterSets) {
  EXPECT_EQ(GlyphOfChar(CharSet::Full, ' '), 0);
  EXPECT_EQ(GlyphOfChar(CharSet::Full, 'A'), 33);
  EXPECT_EQ(GlyphOfChar(CharSet::Full, 127), 95);
  EXPECT_EQ(GlyphOfChar(CharSet::Full, 0xC0), 96);   // А
  EXPECT_EQ(GlyphOfChar(CharSet::Full, 0xFF), 159);  // я
  EXPECT_EQ(GlyphOfChar(CharSet::Full, 31), -1);
  EXPECT_EQ(GlyphOfChar(CharSet::Full, 150), -1);
  EXPECT_EQ(GlyphOfChar(CharSet::Full, 0xA8), -1);  // Ё has no glyph
  EXPECT_EQ(GlyphOfChar(CharSet::Full, 191), -1);
  const std::string digits = "+-.:0123456789TDNPR";
  for (size_t i = 0; i < digits.size(); ++i)
    EXPECT_EQ(GlyphOfChar(CharSet::Digits, uint8_t(digits[i])), int(i) + 1) << digits[i];
  EXPECT_EQ(GlyphOfChar(CharSet::Digits, 'A'), 0);
  EXPECT_EQ(GlyphOfChar(CharSet::Digits, ' '), 0);
  EXPECT_EQ(GlyphOfChar(CharSet::Digits, 't'), 0);
  EXPECT_EQ(GlyphOfChar(CharSet::Digits, 0xD2), 0);  // Cyrillic Т is not the letter T
}

TEST(PreviewText, UnmappedCharacterDrawsNothingAndKeepsCursor) {
  PreviewSurface s;
  s.SetColours(kWhite, kRed);
  s.SelectFont(1);
  s.SetTextCursor(3, 2);
  s.PutChar(150);
  s.PutChar(10);
  EXPECT_EQ(s.TextColumn(), 3);
  EXPECT_EQ(CountAll(s, kRed24) + CountAll(s, kWhite24), 0);
  // A digit font draws the blank glyph for "A" and advances.
  s.SelectFont(3);
  s.PutChar('A');
  EXPECT_EQ(s.TextColumn(), 4);
  EXPECT_EQ(CountIn(s, 96, 128, 127, 191, kRed24), 32 * 64);
}

TEST(PreviewText, PutCharStopsAtTheLastWholeCell) {
  PreviewSurface s;
  s.SetColours(kWhite, kRed);
  s.SelectFont(2);  // 16 x 32: 20 columns, 7 rows
  s.SetTextCursor(19, 6);
  s.PutChar('W');
  EXPECT_EQ(s.TextColumn(), 20);
  EXPECT_GT(CountIn(s, 304, 192, 319, 223, kWhite24), 0);
  const int before = CountAll(s, kRed24) + CountAll(s, kWhite24);
  s.PutChar('W');  // column 20: nothing, cursor stays
  EXPECT_EQ(s.TextColumn(), 20);
  s.SetTextCursor(0, 7);
  s.PutChar('W');
  EXPECT_EQ(s.TextColumn(), 0);
  EXPECT_EQ(CountAll(s, kRed24) + CountAll(s, kWhite24), before);

  // TextOut of a long text fills to the edge and no further.
  s.ClearSurface(0);
  s.SelectFont(1);
  s.TextOut(35, 0, "0123456789");
  EXPECT_EQ(s.TextColumn(), 40);
  EXPECT_EQ(CountIn(s, 0, 0, 279, 15, kWhite24) + CountIn(s, 0, 0, 279, 15, kRed24), 0);
  EXPECT_EQ(CountIn(s, 0, 16, 319, 239, kWhite24) + CountIn(s, 0, 16, 319, 239, kRed24), 0);

  // The info panel's narrow surface keeps the screen's text grid: the cursor
  // goes on past the surface's edge, and a text moved in from the left by
  // the origin still shows its later characters.
  PreviewSurface panel(80, 240);
  panel.SetColours(kWhite, kRed);
  panel.SelectFont(2);
  panel.SetOrigin(-16, 0);
  panel.TextOut(0, 0, "123456");
  EXPECT_EQ(panel.TextColumn(), 6);
  EXPECT_GT(CountIn(panel, 64, 0, 79, 31, kWhite24), 0);  // the "6" in column 5
}

TEST(PreviewText, GlyphsDrawForegroundAndBackgroundShiftedByOrigin) {
  PreviewSurface s;
  s.ClearSurface(kBlue);
  s.SetColours(kWhite, kRed);
  s.SelectFont(1);
  s.SetOrigin(4, 2);
  s.TextOut(1, 1, "\xC6");  // Ж
  const BitmapFont& f = PreviewFont(1);
  const uint8_t* g = f.Glyph(GlyphOfChar(CharSet::Full, 0xC6));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool on = (g[y] >> (7 - x)) & 1;
      EXPECT_EQ(s.PixelAt(4 + 8 + x, 2 + 16 + y), on ? kWhite24 : kRed24) << x << "," << y;
    }
  EXPECT_EQ(CountAll(s, kBlue24), 320 * 240 - 128);
  // Glyph numbers outside the font draw nothing; a glyph hanging over the
  // edge is clipped.
  s.DrawGlyph(0, 0, 160);
  s.DrawGlyph(0, 0, -1);
  EXPECT_EQ(CountAll(s, kBlue24), 320 * 240 - 128);
  s.SetOrigin(316, 236);
  s.DrawGlyph(0, 0, 33);
  EXPECT_EQ(CountIn(s, 316, 236, 319, 239, kBlue24), 0);
}

TEST(PreviewText, SelectFontRefusesUnknownNumbers) {
  PreviewSurface s;
  EXPECT_THROW(s.SelectFont(0), RangeError);
  EXPECT_THROW(s.SelectFont(5), RangeError);
  EXPECT_EQ(s.FontNumber(), 1);
  s.SelectFont(4);
  EXPECT_EQ(s.Font().width, 40);
}

TEST(PreviewText, CentreOffsetRoundsTowardZero) {
  EXPECT_EQ(CentreOffset(320, 5, 40), 60);
  EXPECT_EQ(CentreOffset(160, 3, 16), 56);
  EXPECT_EQ(CentreOffset(107, 2, 16), 37);  // 75 / 2
  EXPECT_EQ(CentreOffset(80, 12, 8), -8);   // wider than the region
  EXPECT_EQ(CentreOffset(80, 11, 8), -4);   // -8 / 2
  EXPECT_EQ(CentreOffset(10, 2, 8), -3);    // -6 / 2
  EXPECT_EQ(CentreOffset(120, 1, 80), 20);  // vertical: (H - height) / 2
}

TEST(PreviewFonts, EveryGlyphIsPresentWithTheRightCell) {
  const int cells[4][2] = {{8, 16}, {16, 32}, {32, 64}, {40, 80}};
  for (int n = 1; n <= 4; ++n) {
    const BitmapFont& f = PreviewFont(n);
    EXPECT_EQ(f.width, cells[n - 1][0]);
    EXPECT_EQ(f.height, cells[n - 1][1]);
    EXPECT_EQ(f.width % 8, 0);
    EXPECT_EQ(f.glyphCount, n <= 2 ? 160 : 20);
    EXPECT_EQ(f.charSet, n <= 2 ? CharSet::Full : CharSet::Digits);
    // Blank glyphs: space (and DEL) in the full set, glyph 0 in the digits.
    std::set<int> blank = n <= 2 ? std::set<int>{0, 95} : std::set<int>{0};
    std::set<std::string> seen;
    for (int g = 0; g < f.glyphCount; ++g) {
      const uint8_t* p = f.Glyph(g);
      int ink = 0;
      for (int i = 0; i < f.BytesPerGlyph(); ++i) ink += __builtin_popcount(p[i]);
      if (blank.count(g)) {
        EXPECT_EQ(ink, 0) << "font " << n << " glyph " << g;
        continue;
      }
      EXPECT_GT(ink, 0) << "font " << n << " glyph " << g;
      // Digit glyphs leave a gap to the next cell so values never run together.
      if (n >= 3) {
        for (int y = 0; y < f.height; ++y) EXPECT_EQ(p[y * f.BytesPerRow()] & 0x80, 0);
      }
      seen.insert(std::string(reinterpret_cast<const char*>(p), f.BytesPerGlyph()));
    }
    // Distinct pictures for distinct characters (a few Latin and Cyrillic
    // capitals share their shape: A/А, B/В, E/Е ...).
    EXPECT_GT(int(seen.size()), n <= 2 ? 130 : 18) << "font " << n;
  }
}

TEST(PreviewPictures, AllFourteenAtTheirSizes) {
  struct {
    PictureId id;
    const char* name;
    int w, h;
  } const want[] = {{PictureId::ScaleL, "ScaleL", 79, 136},
                    {PictureId::ScaleR, "ScaleR", 149, 136},
                    {PictureId::Circle99, "Circle99", 199, 199},
                    {PictureId::Circle9, "Circle9", 9, 9},
                    {PictureId::Arrow, "Arrow", 129, 129},
                    {PictureId::GasStation, "GasStation", 25, 49},
                    {PictureId::Acc, "Acc", 79, 41},
                    {PictureId::BoatMotor, "BoatMotor", 33, 49},
                    {PictureId::BoatScaleT, "BoatScaleT", 33, 105},
                    {PictureId::BoatT, "BoatT", 41, 17},
                    {PictureId::BoatScaleC, "BoatScaleC", 33, 105},
                    {PictureId::BoatC, "BoatC", 41, 17},
                    {PictureId::CheckEngine, "CheckEngine", 105, 105},
                    {PictureId::Electro, "Electro", 105, 105}};
  for (const auto& w : want) {
    const Picture& p = GetPicture(w.id);
    EXPECT_STREQ(p.name, w.name);
    EXPECT_EQ(p.width, w.w) << w.name;
    EXPECT_EQ(p.height, w.h) << w.name;
    EXPECT_EQ(FindPicture(w.name), &p);
    int set = 0;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) set += p.IsSet(x, y);
    // Neither empty nor a solid block.
    EXPECT_GT(set, p.width * p.height / 50) << w.name;
    EXPECT_LT(set, p.width * p.height) << w.name;
  }
  EXPECT_EQ(FindPicture("Needle"), nullptr);
  EXPECT_THROW(GetPicture(PictureId(14)), RangeError);
}

TEST(PreviewSurface, TurnedAndReducedPictures) {
  const Picture& needle = GetPicture(PictureId::Arrow);
  PreviewSurface plain, turned;
  plain.SetForeground(kWhite);
  turned.SetForeground(kWhite);
  // Unturned, the pivot lands on the given point: same as a plain stamp.
  plain.StampPicture(needle, 160 - 64, 120 - 64);
  turned.StampPictureRotated(needle, 64, 64, 160, 120, 0);
  EXPECT_EQ(plain.Rgb(), turned.Rgb());
  // The needle points up; a quarter turn clockwise points it right.
  turned.ClearSurface(0);
  turned.StampPictureRotated(needle, 64, 64, 160, 120, 90);
  EXPECT_EQ(turned.PixelAt(160 + 50, 120), kWhite24);
  EXPECT_EQ(turned.PixelAt(160, 120 - 50), kBlack24);
  EXPECT_EQ(turned.PixelAt(160 - 50, 120), kBlack24);
  // Half size: every set pixel comes from a set block, and the picture
  // stays recognisable (a third of its pixels or more survive).
  PreviewSurface half;
  half.SetForeground(kWhite);
  const Picture& engine = GetPicture(PictureId::CheckEngine);
  half.StampPictureReduced(engine, 0, 0, 2);
  int set = 0, halfSet = CountAll(half, kWhite24);
  for (int y = 0; y < engine.height; ++y)
    for (int x = 0; x < engine.width; ++x) set += engine.IsSet(x, y);
  EXPECT_EQ(CountIn(half, 53, 0, 319, 239, kWhite24) + CountIn(half, 0, 53, 52, 239, kWhite24), 0);
  EXPECT_GE(halfSet * 4, set);
  EXPECT_LE(halfSet, set);
}

TEST(PreviewSurface, DiscsCirclesAndSlantedLines) {
  PreviewSurface s;
  s.SetForeground(kWhite);
  s.FillDisc(10, 10, 0);
  EXPECT_EQ(CountAll(s, kWhite24), 1);
  s.ClearSurface(0);
  s.FillDisc(100, 100, 10);
  EXPECT_EQ(s.PixelAt(110, 100), kWhite24);
  EXPECT_EQ(s.PixelAt(111, 100), kBlack24);
  EXPECT_NEAR(CountAll(s, kWhite24), 3.14159 * 10.5 * 10.5, 20);
  s.ClearSurface(0);
  s.SetThickness(2);
  s.Circle(100, 100, 10);
  EXPECT_EQ(s.PixelAt(100, 100), kBlack24);
  EXPECT_EQ(s.PixelAt(100, 90), kWhite24);
  EXPECT_EQ(s.PixelAt(100, 91), kWhite24);
  EXPECT_EQ(s.PixelAt(100, 92), kBlack24);
  // A diagonal, one pixel thick, has one pixel a row, both ends included.
  s.ClearSurface(0);
  s.SetThickness(1);
  s.Line(0, 0, 9, 9);
  EXPECT_EQ(CountAll(s, kWhite24), 10);
  EXPECT_EQ(s.PixelAt(9, 9), kWhite24);
  // Off the surface: clipped.
  s.Line(-100, 300, 500, -20);
  s.FillDisc(-5, -5, 20);
}
