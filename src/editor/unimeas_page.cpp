// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the universal-input page ("Унив.вход/Трим"): use and name of the
// input, and its calibration by two points (shown value and ADC reading).
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"

namespace tc {

void BuildUniMeasPage(QWidget* page, TSettingsBinder& b) {
  QHBoxLayout* row = PageRow(page);
  QGridLayout* grid;

  QVBoxLayout* column = NewColumn(row);
  column->addWidget(NewGroup(page, b, {"Универсальный вход", "Universal input"}, &grid));
  AddSettings(grid, b, {"cbUseUniMeas", "eUniMeasStr"});

  QGroupBox* calibration = NewGroup(page, b, {"Калибровка", "Calibration"}, &grid);
  column->addWidget(calibration);
  // The columns keep their width; the room left goes after them.
  grid->setColumnStretch(1, 0);
  grid->setColumnStretch(3, 1);
  const TextPair headings[] = {{"#", "#"}, {"Показания", "Data"}, {"АЦП", "ADC"}};
  for (int c = 0; c < 3; ++c) {
    auto* l = new QLabel(calibration);
    b.AddText(l, headings[c]);
    grid->addWidget(l, 0, c);
  }
  const TextPair rows[] = {{"Мин", "Min"}, {"Макс", "Max"}};
  for (int r = 0; r < 2; ++r) {
    const std::string n = std::to_string(r);
    auto* l = new QLabel(calibration);
    b.AddText(l, rows[r]);
    grid->addWidget(l, r + 1, 0);
    b.HideCaption("seUniMeasDat" + n);
    b.HideCaption("seUniMeasADC" + n);
    grid->addWidget(b.Control("seUniMeasDat" + n), r + 1, 1);
    grid->addWidget(b.Control("seUniMeasADC" + n), r + 1, 2);
  }
  column->addStretch(1);
  // The page's columns share its width: two empty ones keep this one narrow.
  NewColumn(row)->addStretch(1);
  NewColumn(row)->addStretch(1);
  row->addStretch(1);
}

const PageLayout kUniMeasLayout("tsUniMeas", BuildUniMeasPage);

}  // namespace tc
