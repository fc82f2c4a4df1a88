// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli osc: the oscilloscope trace held in a settings file.
#include <cstdio>

#include "catalog/variants.h"
#include "cli/cli.h"
#include "model/oscilloscope.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/fixed_text.h"
#include "util/png.h"
#include "util/text_pair.h"

namespace tc::cli {
namespace {

void PrintHeader(const char* name, const OscHeader& h) {
  std::printf("%s time base index\t%d\n", name, h.timeBase);
  std::printf("%s trigger level\t%d\n", name, h.triggerLevel);
  std::printf("%s volts/div index\t%d\n", name, h.voltsPerDiv);
  std::printf("%s divider index\t%d\n", name, h.divider);
}

int RunOsc(const Args& a) {
  ApplyLanguageOption(a);
  const std::string path = a.Single("settings file");
  const CellFormat fmt{EnglishVersion(), UserDecimalSeparator()};
  long offset = 0;
  if (auto n = a.IntOption("--offset")) {
    if (*n < kOscScrollMin || *n > kOscScrollMax)
      throw TripError(Say("--offset: от ", "--offset takes ") + std::to_string(kOscScrollMin) +
                      Say(" до ", " to ") + std::to_string(kOscScrollMax));
    offset = *n;
  }

  SettingsDocument doc(EnglishVersion());
  TMK& mk = doc.Model();
  ReadSettingsFile(mk, path);
  // As the viewer does: only a variant with the oscilloscope has a trace.
  mk.DecodeIdentityBlock();
  doc.SelectVariant();
  if (!doc.Flags().VariantOscilloscope) throw TripError(kOscNotSupported());
  mk.LoadOscRecords();
  if (auto tb = a.IntOption("--timebase")) {
    if (*tb < 0 || *tb >= kTimeBaseCount)
      throw TripError(Say("--timebase: от 0 до ", "--timebase takes 0 to ") +
                      std::to_string(kTimeBaseCount - 1));
    SetOscViewTimeBase(mk, int(*tb));
  }
  const OscTrace t = ReadOscTrace(mk);

  PrintHeader("view", t.view);
  PrintHeader("recording", t.recording);
  // Every derived text checks its indexes; a bad one ends here with its message.
  const OscPlotTexts texts = MakeOscPlotTexts(t, int(offset), fmt);
  std::printf("time base\t\"%s\"\n", TimeBaseLabel(t.view.timeBase).c_str());
  std::printf("volts per division\t\"%s\"\n",
              VoltsPerDivisionLabel(t.recording.divider, t.view.voltsPerDiv).c_str());
  std::printf("input divider\t\"%s\"\n", DividerName(t.recording.divider).c_str());
  std::printf("zoom\t%s\n", FixedText(OscZoom(t), 3, fmt.decimalSeparator).c_str());
  std::printf("trigger level\t%s\n", texts.triggerLevel.c_str());
  std::printf("time offset\t%s\n", texts.timeOffset.c_str());

  if (auto png = a.Option("--png"))
    WritePngFile(*png, DrawOscPlot(t, int(offset), kOscPlotWidth, kOscPlotHeight, fmt));
  return 0;
}

const Register kOsc({"osc",
                     "show the oscilloscope trace's settings, or save its plot",
                     {{"FILE.dvkps", "the settings file"}},
                     {{"--offset", "N", "scroll offset in samples, -32 to 992 (default 0)"},
                      {"--timebase", "I",
                       "view time base 0-9 (0.5 to 500 ms/div) instead of the one recorded in "
                       "header 1"},
                      {"--png", "OUT.png", "write the viewer's plot (1002 x 278 pixels) as PNG"}},
                     "Prints both trace headers and the texts the oscilloscope viewer derives\n"
                     "from them (time base, volts per division, divider, zoom in pixels per\n"
                     "sample, trigger level, time offset). Refused for a device variant\n"
                     "without the oscilloscope. The file is never changed.",
                     RunOsc});

}  // namespace
}  // namespace tc::cli
