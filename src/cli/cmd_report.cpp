// SPDX-License-Identifier: GPL-3.0-or-later
// report: the settings report an installer hands to a car owner, as one
// self-contained HTML page in the user's language: only the pages, settings
// and screens the editor shows for the file's variant, the journals' sums,
// and with --against first what changed since the settings before the job.
// The report itself is made by the core (editor_core/report_html.h), which
// the program uses to save and print it too.
#include <memory>
#include <string>

#include "cli/cli.h"
#include "editor_core/report_html.h"
#include "model/settings_document.h"
#include "util/files.h"
#include "util/text_pair.h"

namespace tc::cli {
namespace {

// The name the header shows: the file's own name, without its folders.
std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int RunReport(const Args& a) {
  ApplyLanguageOption(a);
  const std::string path = a.Single("settings file");
  const std::string out = a.Required("--out");
  const auto doc = OpenDocument(path);
  ReportOptions o;
  o.english = EnglishVersion();
  o.fileName = BaseName(path);
  std::unique_ptr<SettingsDocument> before;
  if (const auto against = a.Option("--against")) {
    before = OpenDocument(*against);
    o.before = before.get();
    o.beforeName = BaseName(*against);
  }
  WriteFileAtomic(out, MakeSettingsReport(*doc, o).html);
  return 0;
}

const Register kReport(
    {"report",
     "write a printable HTML report of a settings file",
     {{"FILE.dvkps", "the settings file"}},
     {{"--out", "REPORT.html", "the report to write", true},
      {"--against", "BEFORE.dvkps", "start with every setting that differs from these settings"}},
     "Writes one self-contained HTML page (pictures embedded) for the car owner,\n"
     "in the language of --lang: the device, its variant and versions; every page\n"
     "of the settings editor that shows a setting for this device, with the\n"
     "settings as the editor shows them; each display layout the device has, with\n"
     "its cells by parameter name; the colour schemes; the journals' sums. With\n"
     "--against it starts with every setting that differs from BEFORE.dvkps\n"
     "(the settings diff names), before -> after. It prints on A4 from a browser.\n"
     "The settings files are never changed.",
     RunReport});

}  // namespace
}  // namespace tc::cli
