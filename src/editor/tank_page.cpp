// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the tank calibration page ("Бак"): the 2-point and 7-point
// calibrations, the tare table, and the buttons that keep the calibration in
// a tank settings file.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"
#include "editor/side_file_buttons.h"
#include "editor/tare_table_part.h"
#include "editor_core/visibility.h"
#include "model/tank_file.h"

namespace tc {

namespace {

// The row numbers of the 7-point group come and go with their rows.
class RowNumbers : public QObject, public TEditorPart {
 public:
  RowNumbers(QWidget* parent, TSettingsBinder& b) : QObject(parent) { b.AddPart(this); }
  void Add(QLabel* label, std::string control) { rows_.push_back({label, std::move(control)}); }
  void Load() override {}
  void Refresh(const Visibility& v) override {
    for (const auto& [label, control] : rows_) label->setVisible(v.Visible(control));
  }

 private:
  std::vector<std::pair<QLabel*, std::string>> rows_;
};

QLabel* Text(QWidget* parent, TSettingsBinder& b, TextPair text) {
  auto* l = new QLabel(parent);
  l->setWordWrap(true);
  b.AddText(l, text);
  return l;
}

void AddHeading(QWidget* parent, TSettingsBinder& b, QGridLayout* grid) {
  const int row = grid->rowCount();
  const TextPair headings[] = {{"#", "#"}, {"литры", "litres"}, {"у.е.", "CU"}};
  for (int c = 0; c < 3; ++c) grid->addWidget(Text(parent, b, headings[c]), row, c);
}

// A calibration point: its number, litres and sensor reading in one row.
QLabel* AddPoint(QWidget* parent, TSettingsBinder& b, QGridLayout* grid, int number,
                 const std::string& litres, const std::string& sensor) {
  const int row = grid->rowCount();
  auto* n = new QLabel(QString::number(number), parent);
  grid->addWidget(n, row, 0);
  b.HideCaption(litres);
  b.HideCaption(sensor);
  grid->addWidget(b.Control(litres), row, 1);
  grid->addWidget(b.Control(sensor), row, 2);
  return n;
}

// The number, litres and sensor columns keep their width; the room left goes
// to an empty column after them.
void KeepColumnsLeft(QGridLayout* grid) {
  grid->setColumnStretch(1, 0);
  grid->setColumnStretch(3, 1);
}

}  // namespace

void BuildTankPage(QWidget* page, TSettingsBinder& b) {
  QHBoxLayout* row = PageRow(page);
  QGridLayout* grid;

  QVBoxLayout* linear = NewColumn(row);
  QGroupBox* two = NewGroup(page, b, {"Линейный по 2 точкам", "Linear 2 points"}, &grid);
  linear->addWidget(two);
  KeepColumnsLeft(grid);
  AddHeading(two, b, grid);
  AddPoint(two, b, grid, 1, "seLit6L", "seOil6L");
  AddPoint(two, b, grid, 2, "seLit43L", "seOil43L");

  QGroupBox* seven = NewGroup(page, b, {"Линейный по 7 точкам", "Linear 7 points"}, &grid);
  linear->addWidget(seven);
  KeepColumnsLeft(grid);
  grid->addWidget(b.Label("seOilCalibrQuant"), 0, 0, 1, 2);
  grid->addWidget(b.Control("seOilCalibrQuant"), 0, 2);
  AddHeading(seven, b, grid);
  auto* numbers = new RowNumbers(seven, b);
  for (int k = 0; k < 7; ++k) {
    const std::string n = std::to_string(k);
    numbers->Add(AddPoint(seven, b, grid, k + 1, "seOilCalibrLitArr" + n, "seOilCalibrResArr" + n),
                 "seOilCalibrResArr" + n);
  }
  linear->addStretch(1);

  QVBoxLayout* tare = NewColumn(row);
  QGroupBox* table = NewGroup(page, b, {"Тарировка", "Tare"}, &grid);
  tare->addWidget(table);
  AddSettings(grid, b, {"cbTarirFlagFinish", "seTarirLeng"});
  auto* part = new TTareTablePart(table, b);
  part->Table()->setMinimumHeight(250);
  grid->addWidget(part->Table(), grid->rowCount(), 0, 1, 2);
  // The device finds the slope; the page only shows it.
  AddSettings(grid, b, {"rgTarirIncline"});
  b.Control("rgTarirIncline")->setEnabled(false);
  tare->addStretch(1);

  QVBoxLayout* notes = NewColumn(row);
  notes->addWidget(Text(page, b,
                        {"Внимание! Для правильной работы программы МК НЕОБХОДИМО использовать "
                         "последние версии ПО МК и программы настройки.",
                         "Attention! For the correct operation of the device program, it is "
                         "NECESSARY to use the latest versions of the MK software and the "
                         "configuration program."}));
  notes->addWidget(Text(
      page, b,
      {"В том случае, если Вы хотите скопировать текущие настройки бака из текущей версии ПО в "
       "последующие, сохраните их сейчас кнопкой \"Сохранить настройки бака\".\nВ будущем, после "
       "загрузки НОВОГО ПО МК и соответствующей новой программы настройки, откройте закладку Бак "
       "и нажмите кнопку \"Считать настройки бака\".",
       "If you want to copy the current tank settings from the current version of the software "
       "to the next ones, save them now with the \"Save tank settings\" button.\nIn the future, "
       "after downloading the NEW device software and the corresponding new configuration "
       "program, open the Tank tab and click the \"Read tank settings\" button."}));
  const SideFileButtons buttons = NewSideFileButtons(
      page, b, TankFileFormat(), "bSaveTank",
      {"Сохранить настройки бака в файл", "Save tank settings to a file"}, "bLoadTank",
      {"Считать настройки бака из файла", "Load tank settings from a file"});
  notes->addWidget(buttons.save);
  notes->addWidget(buttons.load);
  notes->addSpacing(12);
  notes->addWidget(Text(page, b,
                        {"Внимание! Установка значений пользователем вручную НЕ РЕКОМЕНДУЕТСЯ! "
                         "\nНекорректная установка может привести к неправильной работе МК!",
                         "Attention! Setting the values manually by the user is NOT "
                         "RECOMMENDED!\nIncorrect setting can lead to incorrect operation of the "
                         "device!"}));
  notes->addStretch(1);
  row->addStretch(1);
}

const PageLayout kTankLayout("tsOil", BuildTankPage);

}  // namespace tc
