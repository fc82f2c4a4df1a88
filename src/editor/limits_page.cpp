// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the limits page ("Границы"). What each control shows and stores
// comes from the settings schema.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"

namespace tc {

void BuildLimitsPage(QWidget* page, TSettingsBinder& b) {
  QHBoxLayout* row = PageRow(page);
  QGridLayout* grid;

  QVBoxLayout* warnings = NewColumn(row);
  warnings->addWidget(NewGroup(page, b, {"Пределы предупреждений", "Warning limits"}, &grid));
  AddSettings(grid, b,
              {"seLiqTemperLimit", "seRevolutionsLimit", "seVelocityLimit", "seStopVelocityLimit",
               "seTankLimit", "seUaccLowLimit", "seUaccHighLimit", "seVentTempLimit",
               "seInjTimeLimit", "seLiqTemperReady", "seVAGSFilterLimit"});
  warnings->addStretch(1);

  QVBoxLayout* oils = NewColumn(row);
  oils->addWidget(NewGroup(page, b, {"Масла и трансмиссия", "Oils and transmission"}, &grid));
  AddSettings(grid, b,
              {"seOilAKPPTemperLimit", "seOilEngTemperLimit", "seCVTFDeteriorLim",
               "seRetarderOilTemperLimit"});
  oils->addWidget(NewGroup(page, b, {"Таймеры разгона", "Acceleration timers"}, &grid));
  AddSettings(grid, b, {"seVel100", "seVel100Down"});
  oils->addWidget(NewGroup(page, b, {"Груз", "Cargo"}, &grid));
  AddSettings(grid, b, {"seTareWeight", "seCargoDens"});
  oils->addWidget(NewGroup(page, b, {"Трим", "Trim"}, &grid));
  AddSettings(grid, b, {"seTrimLowLimit", "seTrimHighLimit"});
  oils->addStretch(1);

  QVBoxLayout* hybrid = NewColumn(row);
  hybrid->addWidget(NewGroup(page, b, {"Гибрид", "Hybrid"}, &grid));
  AddSettings(grid, b,
              {"seInvTemperLimit", "seHVBTemperLimit", "seAddCoolingTemper", "cbHybridCoolHVB",
               "cbHybrUse6VentSpeed", "seHybrVentSpeedStep"});
  hybrid->addWidget(NewGroup(page, b, {"Режимы", "Modes"}, &grid));
  AddSettings(grid, b, {"rgExp100ArrowLim", "rg24VMode"});
  hybrid->addStretch(1);
  row->addStretch(1);
}

const PageLayout kLimitsLayout("tsLim", BuildLimitsPage);

}  // namespace tc
