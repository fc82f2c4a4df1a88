// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli journals: the journal viewer's tables as text, and its export.
#include <cstdio>
#include <iostream>
#include <limits>
#include <optional>

#include "cli/cli.h"
#include "model/fault_journal.h"
#include "model/journal_tables.h"
#include "model/journals.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/fixed_text.h"
#include "util/text_pair.h"

namespace tc::cli {
namespace {

long RecordOption(const Args& a, long count, const std::string& table) {
  const auto r = a.IntOption("--record");
  if (!r) return 0;
  if (*r < 0 || *r >= count)
    throw TripError(Say("--record для --table ", "--record for --table ") + table +
                    Say(": от 0 до ", " takes 0 to ") + std::to_string(count - 1));
  return *r;
}

void PrintTable(const TextTable& t) {
  for (const auto& row : t) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) line += (i ? "\t" : "") + row[i];
    std::printf("%s\n", line.c_str());
  }
}

int RunJournals(const Args& a) {
  ApplyLanguageOption(a);
  const std::string path = a.Single("settings file");
  const std::string table = a.Option("--table").value_or("trips");
  const CellFormat fmt{EnglishVersion(), UserDecimalSeparator()};

  std::optional<int> kind;
  if (auto k = a.IntOption("--kind")) {
    if (*k < std::numeric_limits<int>::min() || *k > std::numeric_limits<int>::max())
      throw TripError(Say("--kind вне допустимых пределов", "--kind is out of range"));
    kind = int(*k);
  }
  const bool takesRecord = table == "sums" || table == "stored";
  if (a.Option("--record") && !takesRecord)
    throw TripError(Say("--record применим только к --table sums и --table stored",
                        "--record applies to --table sums and --table stored only"));

  SettingsDocument doc(EnglishVersion());
  TMK& mk = doc.Model();
  ReadSettingsFile(mk, path);
  mk.DecodeSettingsBlocks();
  // The same blocks the viewer decodes when it opens; nothing is encoded.
  JournalSession session(mk);

  TextTable t;
  if (table == "trips") {
    t = JournalTable(mk, Journal::Trips, fmt);
  } else if (table == "refuels") {
    t = JournalTable(mk, Journal::Refuels, fmt);
  } else if (table == "faults") {
    if (!kind) {
      std::string problem;
      kind = JournalFaultCodeKind(doc, &problem);
      if (!problem.empty())
        std::fprintf(
            stderr, "%s\n",
            (Say("протокол МК не удаётся выбрать (", "the device's protocol cannot be selected (") +
             problem + Say("); коды показаны как вид 0", "); codes shown as kind 0"))
                .c_str());
    }
    t = FaultListTable(mk, *kind, fmt);
  } else if (table == "sums") {
    if (a.Option("--record")) {
      t = SumTable(mk, int(RecordOption(a, kSumCount, table)), fmt);
    } else {
      // All eight tables, each under its caption, an empty line between.
      for (int s = 0; s < kSumCount; ++s) {
        if (s) t.emplace_back();
        t.push_back({SumLayoutOf(s).caption.Get(fmt.english)});
        for (auto& row : SumTable(mk, s, fmt)) t.push_back(row);
      }
    }
  } else if (table == "stored") {
    const long record = RecordOption(a, kFaultRecords, table);
    t = StoredDataTable(mk, int(record) + 1, fmt);
    if (t.empty())
      std::fprintf(stderr, "%s\n",
                   (Say("в записи ошибки ", "fault record ") + std::to_string(record) +
                    Say(" нет сохранённых данных двигателя", " holds no stored engine data"))
                       .c_str());
  } else {
    throw TripError(Say("--table: trips, refuels, faults, sums или stored",
                        "--table takes trips, refuels, faults, sums or stored"));
  }

  if (auto out = a.Option("--export")) {
    ExportTable(*out, t);
    return 0;
  }
  PrintTable(t);
  return 0;
}

const Register kJournals(
    {"journals",
     "print or export the trip, refuelling, sums and fault journals",
     {{"FILE.dvkps", "the settings file"}},
     {{"--table", "trips|refuels|faults|sums|stored",
       "trips (default), refuels, faults (the fault list), sums (the eight accumulated sums) "
       "or stored (the stored engine data of a fault)"},
      {"--record", "N",
       "sums: one sum 0-7 (general, trip, reset 1, jams, traffic, reset 2, petrol only, gas "
       "only); stored: the fault record 0-6 (default 0)"},
      {"--kind", "K",
       "trouble-code kind to list faults with, instead of the kind of the engine-control "
       "protocol the file's settings select"},
      {"--export", "PATH",
       "write the table instead, as the viewer's \"Save to file\" does: Windows-1251, a tab "
       "after each cell, CR LF line ends"}},
     "Prints one table of the journal viewer as it shows it: tab-separated cells,\n"
     "one row per line, UTF-8. Decimal numbers use the locale's separator.\n"
     "The file is never changed.",
     RunJournals});

}  // namespace
}  // namespace tc::cli
