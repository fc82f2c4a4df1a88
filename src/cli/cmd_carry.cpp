// SPDX-License-Identifier: GPL-3.0-or-later
// carry: one configuration carried onto the settings of another device or
// software version, with the account of what came along.
#include <cstdio>
#include <memory>

#include "cli/cli.h"
#include "editor_core/carry_over.h"
#include "editor_core/edit_session.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "util/errors.h"

namespace tc::cli {
namespace {

// Exit status when something the target shows could not come along.
constexpr int kSomethingLeftOut = 3;

int RunCarry(const Args& a) {
  ApplyLanguageOption(a);
  const auto& pos = a.Positional();
  if (pos.size() != 2)
    throw TripError(Say("вызов: tripconf-cli carry ИСХОДНЫЕ.dvkps ЦЕЛЕВЫЕ.dvkps --out НОВЫЕ.dvkps",
                        "usage: tripconf-cli carry SOURCE.dvkps TARGET.dvkps --out NEW.dvkps"));
  const bool dryRun = a.Flag("--dry-run");
  const auto out = a.Option("--out");
  if (!out && !dryRun)
    throw TripError(Say("укажите --out НОВЫЕ.dvkps (или --dry-run, чтобы только посмотреть)",
                        "give --out NEW.dvkps (or --dry-run to look only)"));
  const bool english = EnglishVersion();
  const auto source = OpenDocument(pos[0]);
  const auto target = OpenDocument(pos[1]);
  const EditorContext src{source->Model(), source->Variant()};
  TSettingsEditSession session(*target);
  const SettingsAccount account = CarryOver(src, session.Context(), english);
  session.Accept();

  if (a.Flag("--json")) {
    std::fputs(AccountJson(account, english).c_str(), stdout);
  } else {
    std::fputs(AccountText(account, english).c_str(), stdout);
    const size_t carried =
        account.Count(AccountOutcome::Carried) + account.Count(AccountOutcome::CarriedWithFile);
    size_t left = 0;
    for (const AccountPage& p : account.pages)
      for (const AccountEntry& e : p.entries) left += LeftOut(e.outcome);
    std::printf(Say("# перенесено %zu, оставлено как было %zu, не показывается на этом МК %zu, "
                    "только в новых настройках %zu\n",
                    "# carried %zu, left as the target had it %zu, not shown on this device %zu, "
                    "only in the target %zu\n")
                    .c_str(),
                carried, left, account.Count(AccountOutcome::NotShown),
                account.Count(AccountOutcome::TargetOnly));
  }
  if (!dryRun) WriteSettingsFile(target->Model(), *out);
  return account.SomethingLeftOut() ? kSomethingLeftOut : 0;
}

const Register kCarry(
    {"carry",
     "carry the settings of one file onto another device's or version's settings",
     {{"SOURCE.dvkps", "the settings to carry (the old device or software)"},
      {"TARGET.dvkps", "the settings they go onto (as read from the new device)"}},
     {{"--out", "NEW.dvkps", "write the result there (TARGET is left as it is)"},
      {"--dry-run", nullptr, "print the account only, write nothing"},
      {"--json", nullptr, "print the account as JSON"}},
     "Every setting goes by its meaning: the protocol by its code, list items\n"
     "by what they name, hot-menu items, systems and display parameters by\n"
     "their codes where the target offers them, numbers only within the\n"
     "target's limits, hot menus and systems entry by entry. The tank calibration\n"
     "and the service settings come along byte for byte, as their side files\n"
     "carry them. Prints, page by page, what was carried, what was left as the\n"
     "target had it and why (not shown on this device, value not offered, out\n"
     "of range, list entry missing) and what only the target shows. Exit\n"
     "status 0 when everything the target shows came along, 3 when something\n"
     "was left out (NEW is written all the same unless --dry-run).",
     RunCarry});

}  // namespace
}  // namespace tc::cli
