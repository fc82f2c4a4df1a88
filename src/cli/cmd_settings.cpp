// SPDX-License-Identifier: GPL-3.0-or-later
// Named settings: settings, get, set, diff. Every name, conversion, limit and
// rule comes from the editor's settings schema, so a value set here is stored
// exactly as the editor would store it.
#include <cstdio>
#include <iostream>
#include <memory>

#include "catalog/variants.h"
#include "cli/cli.h"
#include "cli/settings_json.h"
#include "editor_core/edit_session.h"
#include "editor_core/editor_pages.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_report.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "link/mk_transfer.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc::cli {
namespace {

// A settings file opened for reading, with its own variant.
struct Opened {
  explicit Opened(const std::string& path)
      : doc(OpenDocument(path)), mk(doc->Model()), ctx{mk, doc->Variant()} {}
  std::unique_ptr<SettingsDocument> doc;
  TMK& mk;
  EditorContext ctx;
};

const SettingDef& Setting(const std::string& name) {
  if (const SettingDef* d = FindSetting(name)) return *d;
  throw TripError(Say("неизвестная настройка '", "unknown setting '") + name +
                  Say("' (их список: tripconf-cli settings FILE)",
                      "' (tripconf-cli settings FILE lists them)"));
}

std::string PageCaption(const char* page) {
  const EditorPage* p = FindEditorPage(page);
  return p ? p->caption() : page;
}

int RunSettings(const Args& a) {
  ApplyLanguageOption(a);
  if (a.Flag("--json")) return RunSettingsJson(a);
  if (a.Flag("--as-set")) return RunSettingsAsSet(a);
  Opened f(a.Single("settings file"));
  const Visibility v = ControlVisibility(f.ctx);
  const bool english = EnglishVersion();
  std::string page;
  for (const auto& d : SettingsSchema()) {
    if (page != d.page) {
      page = d.page;
      std::printf("# %s: %s\n", d.page, PageCaption(d.page).c_str());
    }
    std::printf("%s\t%s\t%s%s\n", d.name, SettingLabel(f.ctx, d).Get(english).c_str(),
                FormatValue(f.ctx, d, english).c_str(), v.Visible(d.name) ? "" : "\t(hidden)");
  }
  return 0;
}

int RunGet(const Args& a) {
  ApplyLanguageOption(a);
  if (a.Flag("--json")) return RunGetJson(a);
  const auto& pos = a.Positional();
  if (pos.size() < 2)
    throw TripError(Say("вызов: tripconf-cli get ФАЙЛ.dvkps ИМЯ [ИМЯ ...]",
                        "usage: tripconf-cli get FILE.dvkps NAME [NAME ...]"));
  Opened f(pos[0]);
  for (size_t i = 1; i < pos.size(); ++i)
    std::printf("%s\n", FormatValue(f.ctx, Setting(pos[i]), EnglishVersion()).c_str());
  return 0;
}

int RunSet(const Args& a) {
  ApplyLanguageOption(a);
  const auto& pos = a.Positional();
  const auto from = a.Option("--from");
  if (pos.empty() || (pos.size() < 2 && !from))
    throw TripError(Say("вызов: tripconf-cli set ФАЙЛ.dvkps ИМЯ=ЗНАЧЕНИЕ [...]",
                        "usage: tripconf-cli set FILE.dvkps NAME=VALUE [...]"));
  const std::string& path = pos[0];
  struct Assignment {
    const SettingDef* def;
    std::string value;
  };
  std::vector<Assignment> assignments;
  // A list given with --from comes first, then what the command line names.
  std::vector<std::string> texts = from ? ReadSetList(*from) : std::vector<std::string>{};
  texts.insert(texts.end(), pos.begin() + 1, pos.end());
  for (const std::string& text : texts) {
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0)
      throw TripError("'" + text + "' " +
                      Say("не в виде ИМЯ=ЗНАЧЕНИЕ (NAME=VALUE)", "is not NAME=VALUE"));
    assignments.push_back({&Setting(text.substr(0, eq)), text.substr(eq + 1)});
  }

  const auto doc = OpenDocument(path);
  TMK& mk = doc->Model();
  TSettingsEditSession session(*doc);
  EditorContext& ctx = session.Context();
  const bool english = EnglishVersion();
  // What every setting holds before, so a rule's effect on a setting that
  // was not named (the trim rule raising the high limit, the inverter
  // warning copied to the HVB one) can be reported. Values, not texts: a
  // change may not show in the text, and a hidden setting's bytes count too.
  std::vector<SettingValue> initially;
  std::vector<std::string> initiallyShown;
  for (const auto& d : SettingsSchema()) {
    initially.push_back(ReadValue(ctx, d));
    initiallyShown.push_back(FormatValue(ctx, d, english));
  }
  std::vector<SettingValue> after;
  // What a rule left out while storing (entries beyond a full hot menu).
  std::vector<std::string> notes;
  ctx.notes = &notes;
  for (const auto& s : assignments) {
    const std::string before = FormatValue(ctx, *s.def, english);
    try {
      SetFromText(ctx, *s.def, s.value);
    } catch (const TripError& e) {
      // The session puts every block back; nothing is written.
      std::string why = e.what();
      if (!why.empty() && why.back() == '.') why.pop_back();
      throw TripError(std::string(s.def->name) + ": " + why +
                      Say("; ничего не записано", "; nothing was written"));
    }
    after.push_back(ReadValue(ctx, *s.def));
    std::printf("%s\t%s -> %s\n", s.def->name, before.c_str(),
                FormatValue(ctx, *s.def, english).c_str());
    for (const std::string& n : notes) std::cerr << Say("примечание: ", "note: ") << n << "\n";
    notes.clear();
  }
  const Visibility shown = ControlVisibility(ctx);
  // A rule of a later setting may move an earlier one (a physical ignition
  // lock drops a speed source that needs a virtual one): say so.
  for (size_t i = 0; i < assignments.size(); ++i) {
    bool setAgain = false;
    for (size_t j = i + 1; j < assignments.size(); ++j)
      setAgain |= assignments[j].def == assignments[i].def;
    if (setAgain) continue;
    if (!shown.Visible(assignments[i].def->name))
      std::cerr << Say("примечание: редактор не показывает ", "note: the editor does not show ")
                << assignments[i].def->name
                << Say(" при этих настройках и этом варианте МК\n",
                       " for these settings and this device variant\n");
    if (ReadValue(ctx, *assignments[i].def) != after[i])
      std::cerr << Say("примечание: ", "note: ") << assignments[i].def->name << Say(" = ", " is ")
                << FormatValue(ctx, *assignments[i].def, english)
                << Say(" по правилам редактора для следующих за ней настроек\n",
                       " after the editor's rules for the settings that followed it\n");
  }
  // Settings that share a byte with a named one (the x1, x3 and x7 cells)
  // change with it; that is no rule's doing.
  std::vector<ExtentByte> namedBytes;
  for (const auto& s : assignments)
    for (const ExtentByte& b : SettingExtent(*s.def)) namedBytes.push_back(b);
  const auto sharesNamedBytes = [&](const SettingDef& d) {
    return ExtentsOverlap(SettingExtent(d), namedBytes);
  };
  const auto& schema = SettingsSchema();
  for (size_t i = 0; i < schema.size(); ++i) {
    const SettingDef& d = schema[i];
    const SettingValue now = ReadValue(ctx, d);
    if (now == initially[i] || sharesNamedBytes(d)) continue;
    std::string text = FormatValue(ctx, d, english);
    // Two values may show alike (a float beyond the shown decimals).
    if (text == initiallyShown[i])
      text += " (" + initially[i].StoredText() + " -> " + now.StoredText() + ")";
    std::cerr << Say("примечание: ", "note: ") << d.name << Say(" теперь ", " is now ") << text
              << Say(" по правилам редактора", " by the editor's rules")
              << (shown.Visible(d.name)
                      ? ""
                      : Say(" (редактор её не показывает)", " (the editor does not show it)"))
              << "\n";
  }
  session.Accept();
  WriteSettingsFile(mk, a.Option("--out").value_or(path));
  return 0;
}

int RunDiff(const Args& a) {
  ApplyLanguageOption(a);
  if (a.Flag("--json")) return RunDiffJson(a);
  const auto& pos = a.Positional();
  if (pos.size() != 2)
    throw TripError(Say("вызов: tripconf-cli diff A.dvkps B.dvkps",
                        "usage: tripconf-cli diff A.dvkps B.dvkps"));
  const bool english = EnglishVersion();
  Opened fa(pos[0]);
  Opened fb(pos[1]);
  const SettingsComparison c = CompareSettings(fa.ctx, fb.ctx, english);
  int differences = 0;
  if (fa.mk.DeviceVersion != fb.mk.DeviceVersion) {
    std::printf("device version\t0x%04X -> 0x%04X\n", fa.mk.DeviceVersion, fb.mk.DeviceVersion);
    ++differences;
  }
  if (fa.mk.Image().size() != fb.mk.Image().size()) {
    std::printf("image size\t%zu -> %zu bytes\n", fa.mk.Image().size(), fb.mk.Image().size());
    ++differences;
  }
  for (const auto& d : c.settings) {
    std::printf("%s\t%s\t%s -> %s%s\n", d.def->name, d.label.c_str(), d.a.c_str(), d.b.c_str(),
                d.note.empty() ? "" : ("\t(" + d.note + ")").c_str());
    ++differences;
  }
  for (const auto& r : c.bytes) {
    const std::string where = r.block ? "block " + std::to_string(r.block) : "image";
    if (r.first == r.last)
      std::printf("%s\tbyte %zu\n", where.c_str(), r.first);
    else
      std::printf("%s\tbytes %zu..%zu\n", where.c_str(), r.first, r.last);
    ++differences;
  }
  return differences ? 1 : 0;
}

const Register kSettings({"settings",
                          "list every named setting of a settings file",
                          {{"FILE.dvkps", "the settings file"}},
                          {{"--json", nullptr, "every setting as JSON (shape: see the README)"},
                           {"--as-set", nullptr,
                            "NAME=VALUE lines of visible settings off their defaults"},
                           {"--all", nullptr, "with --as-set: every visible setting"}},
                          "Prints one line per setting the editor knows: control name, label and\n"
                          "value in the units the editor shows, page by page. Settings the\n"
                          "editor does not show for the file's device variant are marked\n"
                          "(hidden). --json prints every setting as data; --as-set prints\n"
                          "NAME=VALUE lines (every visible setting with --all) that\n"
                          "'set FILE --from LIST.txt' replays.",
                          RunSettings});
const Register kGet({"get",
                     "print named settings of a settings file",
                     {{"FILE.dvkps", "the settings file"},
                      {"NAME", "setting names, as 'settings' lists them", 1, -1}},
                     {{"--json", nullptr, "the settings as JSON, as settings --json has them"}},
                     "Prints the value of each setting, one per line, as 'settings' shows it.",
                     RunGet});
const Register kSet({"set",
                     "change named settings in a settings file",
                     {{"FILE.dvkps", "the settings file"},
                      {"NAME=VALUE", "settings and their new values", 0, -1}},
                     {{"--out", "OTHER.dvkps", "write the result there instead of in place"},
                      {"--from", "LIST.txt", "NAME=VALUE lines to apply first, in order"}},
                     "Values are given as the editor shows them: numbers in display units\n"
                     "(5.0 for a 5 % correction), items by their text in either language or\n"
                     "as #N (the N-th item, from 0), check boxes as on/off, times of day as\n"
                     "HH:MM (00:00..23:59). Hot menus and additional systems take a list\n"
                     "separated by commas, each entry one item: its code, its name, or\n"
                     "both as 'get' prints them, or its caption; a hot menu holds at most\n"
                     "ten items, and '-' empties a list. Display cells (x4.1.2 ...) take a\n"
                     "parameter's code, its caption, or #N (the N-th choice of the cell's\n"
                     "pop-up, from 0). The editor's\n"
                     "limits, rounding and rules apply, in the order given; a value that\n"
                     "does not fit is refused and nothing is written. The file is rewritten\n"
                     "in place unless --out names another one. --from applies a list of\n"
                     "NAME=VALUE lines first (blank lines and # comments are skipped).",
                     RunSet});
const Register kDiff({"diff",
                      "compare two settings files setting by setting",
                      {{"A.dvkps", "the first settings file"},
                       {"B.dvkps", "the second settings file"}},
                      {{"--json", nullptr, "the differences as JSON (shape: see the README)"}},
                      "Each file is read with its own device variant. Prints the named\n"
                      "settings whose values differ (name, label, A -> B; the stored values\n"
                      "in brackets when both show the same), a setting whose bytes differ\n"
                      "outside what it shows with a note saying which, then the bytes that\n"
                      "differ where no setting is stored, by block and offset ('image' for\n"
                      "bytes outside the blocks). Exit status 0 when the files hold the same\n"
                      "settings, 1 when they differ.",
                      RunDiff});

}  // namespace
}  // namespace tc::cli
