// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the signal sources page ("Источники"). What each control shows
// and stores comes from the settings schema.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"

namespace tc {

void BuildMethPage(QWidget* page, TSettingsBinder& b) {
  QHBoxLayout* row = PageRow(page);
  QGridLayout* grid;

  QVBoxLayout* sources = NewColumn(row);
  sources->addWidget(NewGroup(page, b, {"Источники сигналов", "Signal sources"}, &grid));
  AddSettings(grid, b,
              {"rgVelocityMeth", "rgRevolutionsMeth", "rgExpenseMeth", "rgGasMeth", "rgUaccMeth",
               "rgAirTemperGetMeth", "sgTrimMeth", "rgPrognozMeth"});
  AddSettings(grid, b, {"seK100Manual"}, true);
  sources->addStretch(1);

  // Protocols use at most four subtype slots, so the modes fit below them.
  QVBoxLayout* protocol = NewColumn(row);
  protocol->addWidget(NewGroup(page, b, {"Протокол ЭБУ", "ECU protocol"}, &grid));
  AddSettings(grid, b, {"cbProtocolSelectMeth", "cbProtocol"}, true);
  protocol->addWidget(NewGroup(
      page, b, {"Дополнительные настройки протокола", "Additional protocol settings"}, &grid));
  AddSettings(grid, b,
              {"cbProtTypeMain", "cbProtTypeAdd1", "cbProtTypeAdd2", "cbProtTypeAdd3",
               "cbProtTypeAdd4", "cbProtTypeAdd5", "cbProtTypeAdd6", "cbProtTypeAdd7"},
              true);
  protocol->addWidget(NewGroup(page, b, {"Режимы", "Modes"}, &grid));
  AddSettings(grid, b,
              {"cbGasOil", "cbLightsOn", "rgAirTemperMeth", "rgAirWaterShow", "rgGasCalcExp"});
  protocol->addStretch(1);

  QVBoxLayout* tank = NewColumn(row);
  tank->addWidget(NewGroup(page, b, {"Бак", "Tank"}, &grid));
  AddSettings(grid, b,
              {"cbTankMeth", "cbTankMode", "seTankContFull", "seGazContFull", "cbUseTank2",
               "cbCorrTankByAcc"});
  tank->addWidget(
      NewGroup(page, b, {"Замок зажигания и габариты", "Ignition lock and lights"}, &grid));
  AddSettings(grid, b, {"rgLockType", "rgLockTypeLevel", "rgGabarType", "rgGabarInvPol"});
  tank->addStretch(1);
  row->addStretch(1);
}

const PageLayout kMethLayout("tsMeth", BuildMethPage);

}  // namespace tc
