// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the corrections page ("Поправки"). What each control shows and
// stores comes from the settings schema.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"

namespace tc {

void BuildCorrPage(QWidget* page, TSettingsBinder& b) {
  QHBoxLayout* row = PageRow(page);
  QGridLayout* grid;

  QVBoxLayout* left = NewColumn(row);
  left->addWidget(NewGroup(page, b, {"Коррекция показаний", "Corrections"}, &grid));
  AddSettings(grid, b,
              {"seVelocityCorr", "seExpenseCorr", "seGazExpenseCorr", "seAirTemperCorr",
               "seAccCorr", "seTimeCorr"});
  left->addStretch(1);

  QVBoxLayout* middle = NewColumn(row);
  middle->addWidget(NewGroup(page, b, {"Начальные значения", "Initial values"}, &grid));
  AddSettings(grid, b, {"seAllPathStart", "seAllTimeStart"});
  middle->addWidget(NewGroup(page, b, {"Форсунки и тахометр", "Injectors and tachometer"}, &grid));
  AddSettings(grid, b, {"seForsCoefCarb", "rgForsPosFlag", "rgForsCoef"});
  middle->addStretch(1);
  row->addStretch(1);
}

const PageLayout kCorrLayout("tsCorr", BuildCorrPage);

}  // namespace tc
