// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The journal viewer's tables and texts, cell by cell, and its text export.
// The Qt viewer only puts these cells into its grids; tripconf-cli prints
// and exports the same tables.
#include <string>
#include <vector>

#include "model/journals.h"
#include "util/text_pair.h"

namespace tc {

class TMK;

// Rows of cells, header row (if any) first.
using TextTable = std::vector<std::vector<std::string>>;

// --- Window texts -----------------------------------------------------------------

inline constexpr TextPair kJournalViewerTitle{"Просмотр журналов", "Viewing logs"};
inline constexpr TextPair kTripLogTab{"Журнал поездок", "Trip log"};
inline constexpr TextPair kPetrolLogTab{"Журнал заправок", "Petrol log"};
inline constexpr TextPair kAverageTab{"Средние", "Average"};
inline constexpr TextPair kFaultsLogTab{"Журнал ошибок", "Faults log"};
inline constexpr TextPair kClearButton{"Очистить", "Clear"};
inline constexpr TextPair kSaveToFileButton{"Сохранить в файл", "Save to file"};
inline constexpr TextPair kSumResetNote{
    "Для сброса накопителей сделайте двойной щелчок мыши на соответствующей таблице",
    "To reset the adders, double-click on the corresponding table"};

// Column headers of the journal tables (9) and of the fault list (3).
extern const TextPair kJournalHeaders[9];
extern const TextPair kFaultListHeaders[3];

// --- Tables ------------------------------------------------------------------------

constexpr int kJournalTableRows = kJournalRecords + 1;  // header row + records
constexpr int kJournalTableColumns = 9;
constexpr int kFaultListRows = 8;
constexpr int kFaultListColumns = 3;

// 22 rows of 9 cells: the header row, then JournalRow for records 0..20.
TextTable JournalTable(const TMK& mk, Journal j, const CellFormat& fmt);

// The 6 rows of 2 cells of one sum table (no header).
TextTable SumTable(const TMK& mk, int sum, const CellFormat& fmt);

// 8 rows of 3 cells: the header row, then for fault records 0..6 the record
// number, the stamp and the trouble code (both empty for an empty record).
// `codeKind` is the code kind of the engine-control protocol; block 11's
// switches refine it.
TextTable FaultListTable(const TMK& mk, int codeKind, const CellFormat& fmt);

// The stored-data table for the fault list's selected row: the rows of
// StoredDataRows for record row - 1 when row is 1..7, else none.
TextTable StoredDataTable(const TMK& mk, int selectedRow, const CellFormat& fmt);

// --- Export ------------------------------------------------------------------------

// The export file's bytes: one line per row, each cell followed by a tab,
// lines ended by CR LF, characters in Windows-1251.
std::string TableExportText(const TextTable& table);
// Writes TableExportText to path, replacing an existing file; on failure
// throws FileError and leaves any old file as it was.
void ExportTable(const std::string& path, const TextTable& table);

}  // namespace tc
