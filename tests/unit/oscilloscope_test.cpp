// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/oscilloscope.h"

#include <gtest/gtest.h>

#include <string>

#include "model/plot_font.h"
#include "model/sample_image.h"
#include "model/tmk.h"
#include "util/errors.h"

using namespace tc;

namespace {

const CellFormat kEn{true, '.'};

OscTrace Trace(int viewTb, int recTb, int volts = 1, int divider = 1, uint8_t sample = 0) {
  OscTrace t;
  t.view = {uint8_t(viewTb), 0, uint8_t(volts), uint8_t(divider)};
  t.recording = {uint8_t(recTb), 0, uint8_t(volts), uint8_t(divider)};
  t.samples.fill(sample);
  return t;
}

int CountColour(const RgbImage& img, Rgb c, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += img.At(x, y) == c;
  return n;
}

// Leftmost x holding a trace pixel, or -1.
int FirstTraceX(const RgbImage& img) {
  for (int x = 0; x < img.Width(); ++x)
    for (int y = 0; y < img.Height(); ++y)
      if (img.At(x, y) == osc_colours::kTrace) return x;
  return -1;
}

}  // namespace

TEST(OscData, RecordsFromTheImage) {
  TMK mk;
  mk.ReplaceImage(BuildSampleImage(SampleSetupByName("v104-8k")), 0x104);
  std::vector<uint8_t> image = mk.Image();
  image[3542] = 4;     // view time base
  image[3546] = 0x9C;  // view trigger level -100 (s16)
  image[3547] = 0xFF;
  image[7606 + 6] = 2;  // recording volts
  image[3550] = 11;     // sample 0
  image[4061] = 22;     // sample 511
  image[7614] = 33;     // sample 512
  image[8125] = 44;     // sample 1023
  mk.ReplaceImage(image);
  mk.LoadOscRecords();
  OscTrace t = ReadOscTrace(mk);
  EXPECT_EQ(t.view.timeBase, 4);
  EXPECT_EQ(t.view.triggerLevel, -100);
  EXPECT_EQ(t.recording.voltsPerDiv, 2);
  EXPECT_EQ(t.samples[0], 11);
  EXPECT_EQ(t.samples[511], 22);
  EXPECT_EQ(t.samples[512], 33);
  EXPECT_EQ(t.samples[1023], 44);

  // The viewer's time-base choice lasts until the records are loaded again.
  SetOscViewTimeBase(mk, 7);
  EXPECT_EQ(ReadOscTrace(mk).view.timeBase, 7);
  EXPECT_EQ(image[3542], 4);
  EXPECT_THROW(SetOscViewTimeBase(mk, 10), RangeError);
  mk.LoadOscRecords();
  EXPECT_EQ(ReadOscTrace(mk).view.timeBase, 4);
}

TEST(OscScales, LabelsKeepTheirSpacesAndIndexesAreChecked) {
  EXPECT_EQ(VoltsPerDivisionLabel(1, 0), "  2");
  EXPECT_EQ(VoltsPerDivisionLabel(1, 1), "  5");
  EXPECT_EQ(VoltsPerDivisionLabel(1, 2), " 10");
  EXPECT_EQ(VoltsPerDivisionLabel(0, 0), "0.2");
  EXPECT_EQ(VoltsPerDivisionLabel(2, 2), "100");
  EXPECT_EQ(TimeBaseLabel(0), "0.5");
  EXPECT_EQ(TimeBaseLabel(4), " 10");
  EXPECT_EQ(DividerName(0), "  1:1");
  EXPECT_EQ(TimeBaseDivisor(9), 2);
  EXPECT_EQ(InputGain(2), 4);

  try {
    TimeBaseLabel(10);
    FAIL() << "no range error";
  } catch (const RangeError& e) {
    EXPECT_NE(std::string(e.what()).find("time-base index 10"), std::string::npos) << e.what();
  }
  EXPECT_THROW(VoltsPerDivisionLabel(3, 0), RangeError);
  EXPECT_THROW(VoltsPerDivisionLabel(0, -1), RangeError);
  EXPECT_THROW(DividerFactor(3), RangeError);

  // A header index outside its table stops the drawing with a message.
  OscTrace bad = Trace(2, 2);
  bad.view.voltsPerDiv = 3;
  try {
    DrawOscPlot(bad, 0, kOscPlotWidth, kOscPlotHeight, kEn);
    FAIL() << "no range error";
  } catch (const RangeError& e) {
    EXPECT_NE(std::string(e.what()).find("volts-per-division"), std::string::npos) << e.what();
  }
  bad = Trace(2, 12);
  EXPECT_THROW(DrawOscPlot(bad, 0, kOscPlotWidth, kOscPlotHeight, kEn), RangeError);
  bad = Trace(2, 2, 1, 7);
  EXPECT_THROW(MakeOscPlotTexts(bad, 0, kEn), RangeError);
}

TEST(OscMaths, ZoomHeightsAndPositions) {
  EXPECT_DOUBLE_EQ(OscZoom(Trace(2, 2)), 1.0);
  EXPECT_DOUBLE_EQ(OscZoom(Trace(0, 2)), 4.0);  // 0.5 ms/div viewed, 2 ms/div recorded

  // Sample 0 lies on the bottom grid line whatever the scale.
  for (int v = 0; v < 3; ++v) EXPECT_EQ(OscSampleY(0, v), 256) << v;
  EXPECT_EQ(OscSampleY(100, 1), 132);  // 256 - 100 * 256 / (0.5 / 2 / (3 / 2480))
  EXPECT_EQ(OscSampleY(155, 0), 16);   // 155 * 256 / (0.2 / 1 / (3 / 2480)) = 240
  EXPECT_EQ(OscSampleY(255, 2), -60);  // above the plot: clipped when drawn
  EXPECT_THROW(OscSampleY(1, 3), RangeError);

  OscTrace t = Trace(2, 2);
  t.view.triggerLevel = 25;  // 2.5 V at 0.5 V/div: five divisions up
  EXPECT_EQ(OscTriggerLevelY(t), 96);
  t.view.triggerLevel = -5;
  EXPECT_EQ(OscTriggerLevelY(t), 288);

  EXPECT_EQ(OscSampleX(32, 0, t), 64);
  EXPECT_EQ(OscTriggerTimeX(0, t), 64);
  EXPECT_EQ(OscSampleX(0, -32, t), 64);
  // A four times faster view spreads the trace: scrolling 32 moves 128 pixels.
  const OscTrace fast = Trace(0, 2);
  EXPECT_EQ(OscSampleX(33, 0, fast), 68);
  EXPECT_EQ(OscSampleX(100, 0, fast) - OscSampleX(100, 32, fast), 128);
  EXPECT_EQ(OscTriggerTimeX(32, fast), 64 - 128);
  // A slower view squeezes it; positions round halves to even.
  const OscTrace slow = Trace(3, 2);       // 5 ms/div over 2 ms/div: 0.4 px per sample
  EXPECT_EQ(OscSampleX(37, 0, slow), 66);  // 5 * 0.4 + 64
  const OscTrace half = Trace(2, 1);       // 0.5 px per sample
  EXPECT_EQ(OscSampleX(33, 0, half), 64);  // 64.5 -> 64
  EXPECT_EQ(OscSampleX(35, 0, half), 66);  // 65.5 -> 66
  EXPECT_EQ(OscSampleX(31, 0, half), 64);  // 63.5 -> 64
}

TEST(OscMaths, TriggerAndTimeOffsetTexts) {
  OscTrace t = Trace(2, 2, 1, 1);
  t.recording.triggerLevel = 25;
  EXPECT_EQ(OscTriggerLevelText(t), "25.0");  // divider 1:10
  t.recording.divider = 0;
  EXPECT_EQ(OscTriggerLevelText(t), "2.5");
  t.recording.divider = 2;
  EXPECT_EQ(OscTriggerLevelText(t, ','), "250,0");
  t.recording.divider = 0;
  t.recording.triggerLevel = -5;
  EXPECT_EQ(OscTriggerLevelText(t), "-0.5");

  EXPECT_EQ(OscTimeOffsetText(0, t), "0.0");
  // One division (32 samples) at 2 ms/div lasts 2 ms.
  EXPECT_EQ(OscTimeOffsetText(32, t), "2.0");
  EXPECT_EQ(OscTimeOffsetText(-32, t), "-2.0");
  EXPECT_EQ(OscTimeOffsetText(992, t), "62.0");
  EXPECT_EQ(OscTimeOffsetText(32, Trace(2, 0)), "0.5");     // recorded at 0.5 ms/div
  EXPECT_EQ(OscTimeOffsetText(96, Trace(2, 9)), "1500.0");  // 3 divisions of 500 ms

  const OscPlotTexts en = MakeOscPlotTexts(Trace(4, 2, 1, 1), 0, kEn);
  EXPECT_EQ(en.voltsPerDiv, "  5V/div");
  EXPECT_EQ(en.timeBase, " 10ms/div");
  EXPECT_EQ(en.timeOffset, "0.0ms");
  const OscPlotTexts ru = MakeOscPlotTexts(Trace(4, 2, 1, 1), 0, {false, ','});
  EXPECT_EQ(ru.voltsPerDiv, "  5В/д");
  EXPECT_EQ(ru.timeBase, " 10мс/д");
  EXPECT_EQ(ru.triggerLevel, "0,0В");
}

TEST(OscPlot, GridMarkersAndTexts) {
  using namespace osc_colours;
  const int w = kOscPlotWidth;
  const RgbImage img = DrawOscPlot(Trace(2, 2), 0, w, kOscPlotHeight, kEn);
  ASSERT_EQ(img.Width(), w);
  ASSERT_EQ(img.Height(), kOscPlotHeight);
  // Grid: horizontal lines every 32 rows and at 257, vertical ones to 255.
  EXPECT_EQ(img.At(500, 0), kGrid);
  EXPECT_EQ(img.At(500, 224), kGrid);
  EXPECT_EQ(img.At(500, 257), kGrid);
  EXPECT_EQ(img.At(500, 225), (Rgb{0, 0, 0}));
  EXPECT_EQ(img.At(32, 100), kGrid);
  EXPECT_EQ(img.At(33, 100), (Rgb{0, 0, 0}));
  // Samples of 0 start at x = 32 on the bottom line; left of it the grid.
  EXPECT_EQ(img.At(10, 256), kGrid);
  EXPECT_EQ(img.At(100, 256), kTrace);
  EXPECT_EQ(FirstTraceX(img), 32);
  // Trigger level 0: cyan arrows at both edges on y = 256.
  for (int x = 0; x < 4; ++x) EXPECT_EQ(img.At(x, 256), kLevel) << x;
  EXPECT_EQ(img.At(4, 256), kGrid);
  EXPECT_EQ(img.At(0, 253), kLevel);
  EXPECT_NE(img.At(1, 253), kLevel);
  for (int x = w - 4; x < w; ++x) EXPECT_EQ(img.At(x, 256), kLevel) << x;
  EXPECT_NE(img.At(w - 5, 256), kLevel);
  EXPECT_EQ(img.At(w - 1, 259), kLevel);
  // Trigger time marker at x = 64, end points excluded.
  EXPECT_EQ(img.At(64, 253), kTime);
  EXPECT_EQ(img.At(64, 252), kGrid);
  EXPECT_EQ(img.At(65, 254), kTime);
  EXPECT_EQ(img.At(65, 253), (Rgb{0, 0, 0}));
  EXPECT_EQ(img.At(67, 256), kTime);
  EXPECT_EQ(img.At(67, 255), (Rgb{0, 0, 0}));
  // Texts sit under the grid, each in its colour and place.
  EXPECT_GT(CountColour(img, kText, 10, 258, 90, 278), 20);
  EXPECT_GT(CountColour(img, kText, 100, 258, 190, 278), 20);
  EXPECT_GT(CountColour(img, kTime, 200, 258, 290, 278), 10);
  EXPECT_GT(CountColour(img, kLevel, 300, 258, 390, 278), 10);
  EXPECT_EQ(CountColour(img, kText, 0, 0, w, 258), 0);
}

TEST(OscPlot, TraceFollowsScrollAndZoom) {
  using namespace osc_colours;
  OscTrace t = Trace(2, 2, 1, 1, 50);
  const int y50 = OscSampleY(50, 1);
  EXPECT_EQ(y50, 194);
  // At n = -32 the trace starts at x = 64 with sample 0.
  t.samples[0] = 200;
  RgbImage img = DrawOscPlot(t, -32, kOscPlotWidth, kOscPlotHeight, kEn);
  EXPECT_EQ(FirstTraceX(img), 64);
  EXPECT_EQ(img.At(64, OscSampleY(200, 1)), kTrace);
  EXPECT_EQ(img.At(96, 253), kTime);  // the trigger time marker moved with the trace

  // Zoom 4: 1024 samples cover 4096 pixels; the view ends at the picture.
  t = Trace(0, 2, 1, 1, 50);
  img = DrawOscPlot(t, 0, kOscPlotWidth, kOscPlotHeight, kEn);
  EXPECT_EQ(FirstTraceX(img), 0);  // sample 0 at x = -64
  EXPECT_EQ(img.At(kOscPlotWidth - 10, y50), kTrace);

  // Scrolled to the end, the trace stops at x = 63.
  img = DrawOscPlot(Trace(2, 2, 1, 1, 50), kOscScrollMax, kOscPlotWidth, kOscPlotHeight, kEn);
  EXPECT_EQ(img.At(62, y50), kTrace);
  EXPECT_NE(img.At(63, y50), kTrace);

  // Extreme zooms and odd sizes draw without trouble.
  EXPECT_NO_THROW(DrawOscPlot(Trace(0, 9), 500, kOscPlotWidth, kOscPlotHeight, kEn));
  EXPECT_NO_THROW(DrawOscPlot(Trace(9, 0), -32, kOscPlotWidth, kOscPlotHeight, kEn));
  EXPECT_NO_THROW(DrawOscPlot(Trace(2, 2), 0, 1, 1, kEn));
  EXPECT_THROW(DrawOscPlot(Trace(2, 2), 0, -1, 10, kEn), TripError);
}

TEST(PlotFont, GlyphsAndText) {
  for (char32_t c = 0x20; c < 0x7F; ++c) EXPECT_NE(FindPlotGlyph(c), nullptr) << int(c);
  for (char32_t c : {U'В', U'д', U'м', U'с'}) EXPECT_NE(FindPlotGlyph(c), nullptr);
  EXPECT_EQ(FindPlotGlyph(U'ж'), nullptr);
  EXPECT_EQ(*FindPlotGlyph(U'В'), *FindPlotGlyph(U'B'));
  EXPECT_EQ(*FindPlotGlyph(U' '), (PlotGlyph{}));
  EXPECT_EQ(PlotTextWidth("мс/д"), 4 * kPlotCharAdvance);

  RgbImage img(12, 7);
  const Rgb white{255, 255, 255};
  DrawPlotText(img, 0, 0, "-ж", white);
  for (int x = 0; x < 6; ++x)
    for (int y = 0; y < 7; ++y) EXPECT_EQ(img.At(x, y) == white, y == 3 && x < 5) << x << "," << y;
  // A character the font lacks is drawn as a box.
  EXPECT_EQ(img.At(6, 0), white);
  EXPECT_EQ(img.At(8, 3), (Rgb{0, 0, 0}));
  EXPECT_EQ(img.At(10, 6), white);
  // Drawing off the picture is clipped, not a fault.
  DrawPlotText(img, -3, 5, "888", white);
}
