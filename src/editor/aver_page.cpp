// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the averages page ("Средние").
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"

namespace tc {

void BuildAverPage(QWidget* page, TSettingsBinder& b) {
  QHBoxLayout* row = PageRow(page);
  QGridLayout* grid;

  QVBoxLayout* left = NewColumn(row);
  left->addWidget(NewGroup(page, b, {"Расчет стоимости", "Cost calculation"}, &grid));
  AddSettings(grid, b, {"sePriceExpense", "sePriceTime", "sePricePath", "sePriceGas"});
  left->addWidget(NewGroup(page, b, {"Периоды автосброса, дни", "Autoreset periods"}, &grid));
  AddSettings(grid, b, {"cbResetPeriod0", "cbResetPeriod1", "cbResetPeriodOnly"});
  left->addStretch(1);

  QVBoxLayout* right = NewColumn(row);
  right->addWidget(NewGroup(page, b, {"Журнал поездок", "Trip journal"}, &grid));
  AddSettings(grid, b, {"seTripMinStop", "cbTripJournAuto", "cbTripShowFlag"});
  right->addStretch(1);
  row->addStretch(1);
}

const PageLayout kAverLayout("tsAver", BuildAverPage);

}  // namespace tc
