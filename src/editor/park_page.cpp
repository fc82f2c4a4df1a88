// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the parking sensors page ("Парковка").
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"

namespace tc {

void BuildParkPage(QWidget* page, TSettingsBinder& b) {
  QHBoxLayout* row = PageRow(page);
  QGridLayout* grid;

  QVBoxLayout* rear = NewColumn(row);
  rear->addWidget(NewGroup(page, b, {"Задний", "Rear"}, &grid));
  AddSettings(grid, b,
              {"cbParkUse0", "seParkSense0", "seParkSpeed0", "seParkMinLeng0", "seParkStopVel0",
               "seParkStopLeng0", "seParkStopLengBeep", "seParkFarkopLen", "seParkProbesQntReal0",
               "rgParkBeepType"});
  rear->addStretch(1);

  QVBoxLayout* front = NewColumn(row);
  front->addWidget(NewGroup(page, b, {"Передний", "Front"}, &grid));
  AddSettings(grid, b,
              {"cbParkUse1", "seParkSense1", "seParkSpeed1", "seParkMinLeng1", "seParkStopVel1",
               "seParkStopLeng1", "seParkProbesQntReal1", "rgParkForwConstOff"});
  front->addStretch(1);

  QVBoxLayout* type = NewColumn(row);
  type->addWidget(NewGroup(page, b, {"Датчики", "Sensors"}, &grid));
  AddSettings(grid, b, {"rgParkType"});
  type->addStretch(1);
  row->addStretch(1);
}

const PageLayout kParkLayout("tsPark", BuildParkPage);

}  // namespace tc
