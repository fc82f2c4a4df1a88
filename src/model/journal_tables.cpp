// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/journal_tables.h"

#include "model/fault_journal.h"
#include "model/tmk.h"
#include "util/cp1251.h"
#include "util/files.h"

namespace tc {

const TextPair kJournalHeaders[9] = {
    {"#", "#"},
    {"Дата и время записи", "Date and time of rec."},
    {"Время в пути", "Travel time"},
    {"Пробег, км", "Mileage, km"},
    {"Расход топлива, л", "Fuel expense, l"},
    {"Ср. скорость, км/час", "Av. speed, km/h"},
    {"Ср. расход на 100 км", "Av. expense per 100 km"},
    {"Ср. расход в час", "Av. expense per hour"},
    {"Стоимость", "Cost"},
};

const TextPair kFaultListHeaders[3] = {
    {"#", "#"},
    {"Время", "Time"},
    {"Код ошибки", "Trouble code"},
};

TextTable JournalTable(const TMK& mk, Journal j, const CellFormat& fmt) {
  TextTable t;
  t.reserve(kJournalTableRows);
  auto& header = t.emplace_back();
  for (const TextPair& c : kJournalHeaders) header.push_back(c.Get(fmt.english));
  const JournalPrices prices = ReadJournalPrices(mk);
  for (int r = 0; r < kJournalRecords; ++r) {
    const auto cells = JournalRow(ReadJournalRecord(mk, j, r), r, prices, fmt);
    t.emplace_back(cells.begin(), cells.end());
  }
  return t;
}

TextTable SumTable(const TMK& mk, int sum, const CellFormat& fmt) {
  TextTable t;
  for (auto& [label, value] : SumRows(mk, sum, fmt)) t.push_back({label, value});
  return t;
}

TextTable FaultListTable(const TMK& mk, int codeKind, const CellFormat& fmt) {
  TextTable t;
  t.reserve(kFaultListRows);
  auto& header = t.emplace_back();
  for (const TextPair& c : kFaultListHeaders) header.push_back(c.Get(fmt.english));
  const CodeSwitches switches = ReadCodeSwitches(mk);
  for (int r = 0; r < kFaultRecords; ++r) {
    const FaultRecord rec = ReadFaultRecord(mk, r);
    if (rec.Empty()) {
      t.push_back({std::to_string(r), "", ""});
      continue;
    }
    t.push_back({std::to_string(r), FormatFaultStamp(rec.minutes, rec.day, rec.month),
                 FormatTroubleCode(codeKind, rec.code, switches)});
  }
  return t;
}

TextTable StoredDataTable(const TMK& mk, int selectedRow, const CellFormat& fmt) {
  TextTable t;
  if (selectedRow < 1 || selectedRow > kFaultRecords) return t;
  for (auto& [label, value] : StoredDataRows(mk, selectedRow - 1, fmt)) t.push_back({label, value});
  return t;
}

std::string TableExportText(const TextTable& table) {
  std::string out;
  for (const auto& row : table) {
    for (const auto& cell : row) {
      out += Utf8ToCp1251(cell);
      out += '\t';
    }
    out += "\r\n";
  }
  return out;
}

void ExportTable(const std::string& path, const TextTable& table) {
  WriteFileAtomic(path, TableExportText(table));
}

}  // namespace tc
