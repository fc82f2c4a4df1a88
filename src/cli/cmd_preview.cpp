// SPDX-License-Identifier: GPL-3.0-or-later
// preview: draws one of the trip computer's screens from a settings file as
// the settings editor shows it, and saves it as a PNG picture.
#include <string>

#include "catalog/meas_par.h"
#include "catalog/variants.h"
#include "cli/cli.h"
#include "model/preview.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/png.h"
#include "util/text_pair.h"

namespace tc::cli {
namespace {

int RunPreview(const Args& a) {
  ApplyLanguageOption(a);
  const std::string path = a.Single("settings file");
  const std::string out = a.Required("--out");
  const std::string screenName = a.Required("--screen");
  const auto screen = PreviewScreenByName(screenName);
  if (!screen)
    throw TripError(Say("неизвестный экран '", "unknown screen '") + screenName +
                    "' (x1, x3, x4, x6, x7, x9, graph, arrow, menu " + Say("или", "or") + " info)");
  const int count = PreviewDisplayCount(*screen);
  long display = 1;
  if (auto d = a.IntOption("--display"))
    display = *d;
  else if (count > 1)
    throw TripError(Say("для ", "--display N is required for ") + screenName +
                    Say(" нужен --display N", ""));
  if (display < 1 || display > count)
    throw TripError(Say("--display для ", "--display for ") + screenName +
                    Say(": от 1 до ", " takes 1 to ") + std::to_string(count));

  // The variant of the device the file came from; a stored protocol number
  // the variant does not offer still selects its flags.
  const auto doc = OpenSettingsDocument(path);
  TMK& mk = doc->Model();
  const VariantFlags& flags = doc->Flags();

  PreviewInput in(mk, mk.MeasParList);
  in.english = EnglishVersion();
  // The device's active scheme unless one is asked for.
  in.scheme = mk.GetInt(layout::kActiveColorScheme) == 1 ? 1 : 0;
  if (auto s = a.Option("--scheme")) {
    if (*s == "day")
      in.scheme = 0;
    else if (*s == "night")
      in.scheme = 1;
    else
      throw TripError(Say("--scheme: day или night", "--scheme takes day or night"));
  }
  // x4 and x9 follow their type setting; the x1 form is chosen by hand.
  if (*screen == PreviewScreen::X4) in.secondForm = mk.GetInt(layout::kDispVar4) == 1;
  if (*screen == PreviewScreen::X9) in.secondForm = mk.GetInt(layout::kDispVar9) == 1;
  if (auto t = a.IntOption("--type")) {
    if (*t != 1 && *t != 2) throw TripError(Say("--type: 1 или 2", "--type takes 1 or 2"));
    in.secondForm = *t == 2;
  }
  in.infoItems = BuildInfoPanelItems(flags, false);

  PreviewSurface surface(PreviewWidth(*screen), kScreenHeight);
  PaintPreview(surface, *screen, in, int(display - 1));
  WriteFileAtomic(out, EncodePng(surface.Width(), surface.Height(), surface.Rgb().data()));
  return 0;
}

const Register kPreview(
    {"preview",
     "draw one of the device's screens from a settings file as a PNG",
     {{"FILE.dvkps", "the settings file"}},
     {{"--screen", "KIND", "x1, x3, x4, x6, x7, x9, graph, arrow, menu or info", true},
      {"--display", "N",
       "which display of that kind, from 1 (x1: 1-4, x3: 1-3, x4: 1-6, x6: 1-2, x7: 1-4, x9: "
       "1-3, graph and arrow: 1-8)"},
      {"--scheme", "day|night", "colour scheme; default: the device's active scheme"},
      {"--type", "1|2",
       "second drawing: the x1 boat form, x4 / x9 type 2; default for x4 and x9: the device's "
       "type setting"},
      {"--lang", "en|ru", "language of captions and fixed texts; default: the locale"},
      {"--out", "OUT.png", "the picture to write", true}},
     "Draws the screen as the settings editor previews it: 320 x 240 pixels, the info\n"
     "panel 80 x 240.",
     RunPreview});

}  // namespace
}  // namespace tc::cli
