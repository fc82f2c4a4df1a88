// SPDX-License-Identifier: GPL-3.0-or-later
// schemes: shows the day and night colour schemes of a settings file, or
// puts the factory schemes of the file's variant back, as the editor's
// "Все в исх.состояние" does.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "editor_core/edit_session.h"
#include "editor_core/page_colors.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/text_pair.h"

namespace tc::cli {
namespace {

void PrintSchemes(const EditorContext& ctx, bool english) {
  for (int s = 0; s < 2; ++s) {
    const char* key = s ? "night" : "day";
    for (int i = 0; i < kPaletteSize; ++i) {
      const PaletteColour c = GetPaletteColour(ctx, s, i);
      std::printf("%s.palette.%d\t%d,%d,%d\n", key, i, c.r, c.g, c.b);
    }
    for (const RoleTable& t : RoleTables()) {
      int row = 0;
      for (const RoleRow& r : t.rows)
        std::printf("%s.%s.%d\t%d\t%s\n", key, t.name, ++row, GetRoleIndex(ctx, s, r.role),
                    r.caption.Get(english).c_str());
    }
  }
}

int RunSchemes(const Args& a) {
  ApplyLanguageOption(a);
  const std::string path = a.Single("settings file");
  const auto doc = OpenDocument(path);
  TMK& mk = doc->Model();
  // The session selects the file's variant and builds its factory schemes.
  TSettingsEditSession session(*doc);
  EditorContext& ctx = session.Context();
  if (!a.Flag("--reset")) {
    if (a.Option("--out"))
      throw TripError(
          Say("--out задаётся только вместе с --reset", "--out is only used with --reset"));
    PrintSchemes(ctx, EnglishVersion());
    return 0;
  }
  ResetColourSchemes(ctx);
  session.Accept();
  const std::string out = a.Option("--out").value_or(path);
  WriteSettingsFile(mk, out);
  const bool hybrid = ctx.Flags().VariantHybrid;
  std::printf("%s %s\n",
              hybrid ? Say("обе цветовые схемы заменены заводскими схемами гибридных вариантов; "
                           "записано в",
                           "both colour schemes set to the factory schemes of hybrid variants; "
                           "written to")
                           .c_str()
                     : Say("обе цветовые схемы заменены заводскими; записано в",
                           "both colour schemes set to the factory schemes; written to")
                           .c_str(),
              out.c_str());
  return 0;
}

const Register kSchemes({"schemes",
                         "show the colour schemes of a settings file, or reset them",
                         {{"FILE.dvkps", "the settings file"}},
                         {{"--reset", nullptr, "put the factory schemes into both schemes"},
                          {"--out", "NEW.dvkps", "with --reset: write there instead of in place"}},
                         "Without --reset, prints the palettes (R,G,B, 0..31 each) and the\n"
                         "colour roles (palette index) of the day and night schemes, named as\n"
                         "'get' and 'set' name them. --reset puts the factory schemes of the\n"
                         "file's device variant into both schemes, as the editor's\n"
                         "\"Initialize all\" does, and writes the file (in place unless --out\n"
                         "names another one).",
                         RunSchemes});

}  // namespace
}  // namespace tc::cli
