// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rules of the tank calibration page ("Бак") that are more than one field:
// the tare table, its point count and the sensor slope mark.
#include <string>
#include <vector>

#include "editor_core/row_model.h"
#include "editor_core/setting_def.h"
#include "model/settings_layout.h"
#include "model/tank_file.h"

namespace tc {

class TMK;

constexpr int kTareMaxPoints = layout::kTarePointsMax;
// Digits a cell of the tare table takes: litres, sensor reading.
constexpr int kTareLitresDigits = 3;
constexpr int kTareSensorDigits = 4;
// A first sensor value above this marks the sensor as falling with the level.
constexpr int kSlopeMarkThreshold = 240;

// The tare points in use: the stored count, read as 0 when it is above 68.
// (NormaliseTareCount, model/tank_file.h, stores it so when settings are
// opened for editing and after a tank file is loaded.)
int TareRowCount(const TMK& mk);

struct TareRow {
  int litres;
  int sensor;
};
std::vector<TareRow> TareRows(const TMK& mk);

// A cell as the table stores it: every character that is not a digit is
// dropped ("1 2" is 12), an empty cell is 0. Values beyond any field are
// refused with RangeError.
int TareCellValue(const std::string& text);

struct TareCells {
  std::string litres;
  std::string sensor;
};
// Stores the cells of rows 1..count (a missing row counts as empty): litres
// as a byte, the sensor value as s16. A row whose litres do not fit a byte
// stops the store there with RangeError; the rows before it stay stored.
// Once the first row is stored, the slope mark follows its sensor value.
void StoreTareTable(TMK& mk, const std::vector<TareCells>& cells);

// The tare table of the page: "#", litres (3 digits), sensor value (4
// digits), one row per point in use, or one empty row without points; an
// edit is stored by StoreTareTable.
class TTareRows : public TRowModel {
 public:
  explicit TTareRows(TMK& mk) : mk_(mk) {}
  std::vector<RowColumn> Columns() const override;
  int RowCount() const override;
  std::string Cell(int row, int column, bool english) const override;
  RowEdit StoreCells(const std::vector<std::vector<std::string>>& rows) override;

 private:
  TMK& mk_;
};

// The text form of the table: "litres:sensor" per row, separated by blanks.
std::string FormatTareTable(const TMK& mk);
// Sets the point count to the number of rows and stores them by the table's
// rule. Rows may be separated by blanks or commas; a cell must be a number.
// Throws TripError for text that is no table, RangeError for a value that
// does not fit; the caller's edit session puts the blocks back.
bool ParseTareTable(TMK& mk, const std::string& text);

}  // namespace tc
