// SPDX-License-Identifier: GPL-3.0-or-later
// The tank calibration page ("Бак"): linear calibrations by 2 and by up to 7
// points, and the tare table measured by filling the tank.
#include "editor_core/page_tank.h"

#include <algorithm>
#include <string>

#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "editor_core/setting_value.h"
#include "editor_core/visibility.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/text_pair.h"

namespace tc {

int TareRowCount(const TMK& mk) {
  const int n = int(mk.GetInt(layout::kTarirLeng));
  return n > kTareMaxPoints ? 0 : n;
}

std::vector<TareRow> TareRows(const TMK& mk) {
  std::vector<TareRow> rows;
  for (int i = 0; i < TareRowCount(mk); ++i)
    rows.push_back(
        {int(mk.GetInt(layout::kTareLitres[i])), int(mk.GetInt(layout::kTareSensor[i]))});
  return rows;
}

int TareCellValue(const std::string& text) {
  int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    v = v * 10 + (c - '0');
    if (v > 1000000) throw RangeError();
  }
  return int(v);
}

void StoreTareTable(TMK& mk, const std::vector<TareCells>& cells) {
  const int n = TareRowCount(mk);
  bool firstStored = false;
  try {
    for (int i = 0; i < n; ++i) {
      const TareCells c = i < int(cells.size()) ? cells[size_t(i)] : TareCells{};
      const int litres = TareCellValue(c.litres);
      const int sensor = TareCellValue(c.sensor);
      // Both refuse a value that does not fit before anything of the row is written.
      if (litres > 255)
        throw RangeError(std::string("Range check error: ") +
                         TextPair{"литры — допустимо 0..255", "litres allowed 0..255"}());
      mk.SetInt(layout::kTareSensor[i], sensor);
      mk.SetInt(layout::kTareLitres[i], litres);
      firstStored = true;
    }
  } catch (const RangeError&) {
    if (firstStored)
      mk.SetInt(layout::kTarirSlopeMark, mk.GetInt(layout::kTareSensor[0]) > kSlopeMarkThreshold);
    throw;
  }
  // Without points there is no first row to judge the slope by.
  if (firstStored)
    mk.SetInt(layout::kTarirSlopeMark, mk.GetInt(layout::kTareSensor[0]) > kSlopeMarkThreshold);
}

std::vector<RowColumn> TTareRows::Columns() const {
  return {{.caption = {"#", "#"}, .width = 36},
          {.caption = {"литры", "litres"}, .width = 70, .maxDigits = kTareLitresDigits},
          {.caption = {"уе", "CU"}, .width = 70, .maxDigits = kTareSensorDigits}};
}

int TTareRows::RowCount() const {
  // Without points one empty row stays, ready for the first one.
  return std::max(1, TareRowCount(mk_));
}

std::string TTareRows::Cell(int row, int column, bool) const {
  if (column == 0) return std::to_string(row + 1);
  if (row >= TareRowCount(mk_)) return "";
  return std::to_string(
      int(mk_.GetInt(column == 1 ? layout::kTareLitres[row] : layout::kTareSensor[row])));
}

RowEdit TTareRows::StoreCells(const std::vector<std::vector<std::string>>& rows) {
  const std::string before = FormatTareTable(mk_);
  std::vector<TareCells> cells;
  for (const auto& r : rows) cells.push_back({r.size() > 1 ? r[1] : "", r.size() > 2 ? r[2] : ""});
  StoreTareTable(mk_, cells);
  return {FormatTareTable(mk_) != before, ""};
}

std::string FormatTareTable(const TMK& mk) {
  std::string s;
  for (const TareRow& r : TareRows(mk)) {
    if (!s.empty()) s += ' ';
    s += std::to_string(r.litres) + ":" + std::to_string(r.sensor);
  }
  return s;
}

bool ParseTareTable(TMK& mk, const std::string& text) {
  std::vector<TareCells> cells;
  std::string row;
  const auto takeRow = [&] {
    if (row.empty()) return;
    const auto colon = row.find(':');
    const auto digits = [](const std::string& t) {
      return !t.empty() && t.find_first_not_of("0123456789") == std::string::npos;
    };
    if (colon == std::string::npos || !digits(row.substr(0, colon)) ||
        !digits(row.substr(colon + 1)))
      throw TripError("'" + row + "' " +
                      TextPair{"— не точка тарировки (литры:датчик, например 10:200)",
                               "is not a tare point (litres:sensor, e.g. 10:200)"}());
    // The table's cells take no more digits than the editor lets one type.
    if (colon > size_t(kTareLitresDigits) || row.size() - colon - 1 > size_t(kTareSensorDigits))
      throw TripError("'" + row + "' " +
                      TextPair{"— не точка тарировки: литры не длиннее 3 цифр, показание "
                               "датчика не длиннее 4 цифр",
                               "is not a tare point: litres take at most 3 digits, the sensor "
                               "reading at most 4"}());
    cells.push_back({row.substr(0, colon), row.substr(colon + 1)});
    row.clear();
  };
  for (char c : text) {
    if (c == ' ' || c == ',' || c == '\t' || c == ';')
      takeRow();
    else
      row += c;
  }
  takeRow();
  if (int(cells.size()) > kTareMaxPoints)
    throw TripError(TextPair{"в таблице тарировки не больше", "the tare table holds at most"}() +
                    " " + std::to_string(kTareMaxPoints) + " " +
                    TextPair{"точек, а не", "points, not"}() + " " + std::to_string(cells.size()));
  const std::string before = FormatTareTable(mk);
  const int64_t countBefore = mk.GetInt(layout::kTarirLeng);
  mk.SetInt(layout::kTarirLeng, int64_t(cells.size()));
  StoreTareTable(mk, cells);
  return FormatTareTable(mk) != before || mk.GetInt(layout::kTarirLeng) != countBefore;
}

namespace {

Limits LitresLimits(const EditorContext& ctx, const SettingDef&) {
  return {0, double(ctx.mk.GetInt(layout::kTankContFull))};
}

int64_t ReadTareCount(const EditorContext& ctx, const SettingDef&) {
  return TareRowCount(ctx.mk);
}

std::string FormatTable(const EditorContext& ctx, const SettingDef&, bool) {
  return FormatTareTable(ctx.mk);
}
bool ParseTable(EditorContext& ctx, const SettingDef&, const std::string& text) {
  return ParseTareTable(ctx.mk, text);
}
// The table's value: litres and sensor reading of each row in use.
SettingValue TableValue(const EditorContext& ctx, const SettingDef&) {
  SettingValue v;
  for (const TareRow& r : TareRows(ctx.mk)) v.numbers.insert(v.numbers.end(), {r.litres, r.sensor});
  return v;
}

}  // namespace

void UpdateVariantControlsTank(const EditorContext& ctx, Visibility& v) {
  // Rows of the 7-point calibration beyond the point count are hidden.
  const int64_t n = ctx.mk.GetInt(layout::kOilCalibrQuant);
  for (int k = 0; k < layout::kOilCalibrRes.Size(); ++k) {
    if (k < n) continue;
    v.Hide("seOilCalibrResArr" + std::to_string(k));
    v.Hide("seOilCalibrLitArr" + std::to_string(k));
  }
}

void AddTankSettings(std::vector<SettingDef>& s) {
  const auto sensor = [&](const char* name, TextPair label, FieldRef field, int index) {
    s.push_back(
        {.name = name, .label = label, .field = field, .index = index, .min = 0, .max = 2000});
  };
  const auto litres = [&](const char* name, TextPair label, FieldRef field, int index) {
    s.push_back({.name = name,
                 .label = label,
                 .field = field,
                 .index = index,
                 .min = 0,
                 .max = 2040,
                 .limits = LitresLimits});
  };
  sensor("seOil6L", {"2 точки: точка 1, у.е.", "2 points: point 1, CU"}, layout::kOil6L, 0);
  litres("seLit6L", {"2 точки: точка 1, литры", "2 points: point 1, litres"}, layout::kLit6L, 0);
  sensor("seOil43L", {"2 точки: точка 2, у.е.", "2 points: point 2, CU"}, layout::kOil43L, 1);
  litres("seLit43L", {"2 точки: точка 2, литры", "2 points: point 2, litres"}, layout::kLit43L, 1);
  for (int k = 0; k < layout::kOilCalibrRes.Size(); ++k) {
    const std::string n = std::to_string(k + 1);
    const char* ru = InternName("7 точек: точка " + n + ", у.е.");
    const char* en = InternName("7 points: point " + n + ", CU");
    sensor(InternName("seOilCalibrResArr" + std::to_string(k)), {ru, en}, layout::kOilCalibrRes[k],
           k);
    ru = InternName("7 точек: точка " + n + ", литры");
    en = InternName("7 points: point " + n + ", litres");
    litres(InternName("seOilCalibrLitArr" + std::to_string(k)), {ru, en}, layout::kOilCalibrLit[k],
           k);
  }
  s.push_back({.name = "seOilCalibrQuant",
               .label = {"Кол-во точек", "Points qnt"},
               .field = layout::kOilCalibrQuant,
               .min = 0,
               .max = 7});
  s.push_back({.name = "cbTarirFlagFinish",
               .kind = ControlKind::Check,
               .label = {"Тарировка проведена", "Tare finished"},
               .field = layout::kTarirFlagFinish});
  // Every arrow click stores the count and the table follows it.
  s.push_back({.name = "seTarirLeng",
               .label = {"Количество точек тарировки", "Tare points qnt"},
               .field = layout::kTarirLeng,
               .min = 0,
               .max = kTareMaxPoints,
               .typing = false,
               .storeOnChange = true,
               .read = ReadTareCount});
  s.push_back({.name = "sgTarir",
               .kind = ControlKind::Table,
               .label = {"Таблица тарировки (литры:у.е.)", "Tare table (litres:CU)"},
               .field = layout::kTareLitres[0],
               .format = FormatTable,
               .parse = ParseTable,
               .value = TableValue,
               .covers = {layout::kTareLitres, layout::kTareSensor}});
  s.push_back({.name = "rgTarirIncline",
               .kind = ControlKind::Radio,
               .label = {"Наклон ДУТ (справочно)", "FLS slope"},
               .field = layout::kTarirIncline,
               .items = Items({{"Обратный", "Rev"}, {"Прямой", "Dir"}, {"Авто", "Auto"}}),
               .readOnly = true});
}

constinit const EditorPage kTankPage{
    .name = "tsOil",
    .caption = {"Бак", "Fuel"},
    .addSettings = AddTankSettings,
    .updateVariantControls = UpdateVariantControlsTank,
};

}  // namespace tc
