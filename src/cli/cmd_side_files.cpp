// SPDX-License-Identifier: GPL-3.0-or-later
// Side files: tank export/import (.dvkpo) and service export/import (.dvkpt),
// the same bytes the editor's tank and service pages save and load.
#include <cstdio>
#include <initializer_list>
#include <iostream>

#include "cli/cli.h"
#include "model/service_file.h"
#include "model/settings_file.h"
#include "model/tank_file.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc::cli {
namespace {

void Export(const Args& a, const SideFileFormat& format, const std::string& settings) {
  TMK mk;
  ReadSettingsFile(mk, settings);
  mk.DecodeSettingsBlocks();
  WriteSideFile(mk, format, a.Required("--out"));
}

void Import(const Args& a, const SideFileFormat& format, std::initializer_list<int> blocks,
            const std::string& settings, const std::string& side) {
  TMK mk;
  ReadSettingsFile(mk, settings);
  mk.DecodeSettingsBlocks();
  const auto bytes = ReadSideFile(format, side);
  if (bytes.size() < format.size) {
    if (!a.Flag("--partial")) throw TripError(ShortSideFileRefusal(format, side, bytes.size()));
    std::cerr << Say("примечание: ", "note: ") << side << Say(": загружено только ", ": only ")
              << bytes.size() << Say(" из ", " of ") << format.size
              << Say(" байт\n", " bytes loaded\n");
  }
  ApplySideFileBytes(mk, format, bytes);
  for (int n : blocks) mk.EncodeBlock(n);
  WriteSettingsFile(mk, a.Option("--out").value_or(settings));
}

int Run(const Args& a, const char* command, const SideFileFormat& format,
        std::initializer_list<int> blocks) {
  ApplyLanguageOption(a);
  const auto& pos = a.Positional();
  const std::string verb = pos.empty() ? "" : pos[0];
  if (verb == "export" && pos.size() == 2) {
    Export(a, format, pos[1]);
    return 0;
  }
  if (verb == "import" && pos.size() == 3) {
    Import(a, format, blocks, pos[1], pos[2]);
    return 0;
  }
  throw TripError(std::string("usage: tripconf-cli ") + command + " export FILE.dvkps --out F." +
                  format.extension + " | " + command + " import FILE.dvkps F." + format.extension +
                  " [--out NEW.dvkps] [--partial]");
}

int RunTank(const Args& a) {
  return Run(a, "tank", TankFileFormat(), {3, 4});
}
int RunService(const Args& a) {
  return Run(a, "service", ServiceFileFormat(), {5});
}

const Register kTank({"tank",
                      "export or import the tank calibration (.dvkpo)",
                      {{"export|import", "what to do"},
                       {"FILE", "the settings file, then for import the .dvkpo file", 1, 2}},
                      {{"--out", "FILE", "export: the tank file; import: the settings to write"},
                       {"--partial", nullptr, "import a tank file shorter than 245 bytes"}},
                      "Export writes the 2-point and 7-point calibrations and the tare table\n"
                      "(245 bytes) as the editor's tank page saves them. Import copies such a\n"
                      "file into the settings, rewriting FILE unless --out names another one.\n"
                      "A file shorter than 245 bytes is refused unless --partial is given;\n"
                      "an empty or a longer file is always refused.",
                      RunTank});
const Register kService({"service",
                         "export or import the service settings (.dvkpt)",
                         {{"export|import", "what to do"},
                          {"FILE", "the settings file, then for import the .dvkpt file", 1, 2}},
                         {{"--out", "FILE",
                           "export: the service file; import: the settings to write"},
                          {"--partial", nullptr, "import a service file shorter than 125 bytes"}},
                         "Export writes block 5 (125 bytes: service reminders, universal input,\n"
                         "additional systems) as the editor's service page saves it. Import\n"
                         "copies such a file into the settings, rewriting FILE unless --out\n"
                         "names another one. A file shorter than 125 bytes is refused unless\n"
                         "--partial is given; an empty or a longer file is always refused.",
                         RunService});

}  // namespace
}  // namespace tc::cli
