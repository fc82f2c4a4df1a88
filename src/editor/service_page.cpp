// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the service page ("ТО"): one row per reminder (caption or name
// field, thousands of kilometres left, switch), the two dates, the engine
// hours, and the buttons that keep block 5 in a service settings file.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"
#include "editor/side_file_buttons.h"
#include "model/service_file.h"

namespace tc {

namespace {

// caption: the setting whose caption stands first, or a name field.
void AddRow(QGridLayout* grid, TSettingsBinder& b, const char* name, const char* value,
            const char* check) {
  const int row = grid->rowCount();
  if (name) {
    b.HideCaption(value);
    // Room for the 15 characters of a name.
    b.Control(name)->setMinimumWidth(170);
    grid->addWidget(b.Control(name), row, 0);
    b.HideCaption(name);
  } else {
    grid->addWidget(b.Label(value), row, 0);
  }
  grid->addWidget(b.Control(value), row, 1);
  if (check) {
    b.HideCaption(check);
    grid->addWidget(b.Control(check), row, 2, Qt::AlignHCenter);
  }
}

}  // namespace

void BuildServicePage(QWidget* page, TSettingsBinder& b) {
  QHBoxLayout* row = PageRow(page);
  QGridLayout* grid;

  QVBoxLayout* column = NewColumn(row);
  QGroupBox* group = NewGroup(page, b, {"Напоминания", "Reminders"}, &grid);
  column->addWidget(group);
  // The columns keep their width; the room left goes after them.
  grid->setColumnStretch(1, 0);
  grid->setColumnStretch(3, 1);
  const TextPair headings[] = {
      {"Осталось до...", "Stay until..."}, {"тыс.км", "th.km"}, {"использ.", "use"}};
  for (int c = 0; c < 3; ++c) {
    auto* l = new QLabel(group);
    b.AddText(l, headings[c]);
    grid->addWidget(l, 0, c, c == 2 ? Qt::AlignHCenter : Qt::Alignment());
  }
  // The general interval of the short list stands in the first counter's row.
  const int first = grid->rowCount();
  AddRow(grid, b, nullptr, "seAirFiltCntK", "cbAirFiltCntK");
  grid->addWidget(b.Label("seTOCntK"), first, 0);
  grid->addWidget(b.Control("seTOCntK"), first, 1);
  AddRow(grid, b, nullptr, "seKPPOilCntK", "cbKPPOilCntK");
  AddRow(grid, b, "eForsTOCntK", "seForsTOCntK", "cbForsTOCntK");
  AddRow(grid, b, "eGRMStrapCntK", "seGRMStrapCntK", "cbGRMStrapCntK");
  AddRow(grid, b, nullptr, "seCoolLiqCntK", "cbCoolLiqCntK");
  AddRow(grid, b, nullptr, "seEngOilCntK", "cbEngOilCntK");
  AddRow(grid, b, "eCandleCntK", "seCandleCntK", "cbCandleCntK");
  AddRow(grid, b, nullptr, "deTO", "cbTO");
  AddRow(grid, b, nullptr, "deOSAGO", "cbOSAGO");
  AddRow(grid, b, nullptr, "seMotoHourLim", "cbMotoHour");
  column->addStretch(1);

  // The file buttons name the device's own file type and read the same in
  // both languages.
  QVBoxLayout* files = NewColumn(row);
  const SideFileButtons buttons = NewSideFileButtons(
      page, b, ServiceFileFormat(), "bSaveTO",
      {"Сохранить настройки ТО в файл", "Сохранить настройки ТО в файл"}, "bLoadTO",
      {"Считать настройки ТО из файла", "Считать настройки ТО из файла"});
  files->addWidget(buttons.save, 0, Qt::AlignLeft);
  files->addWidget(buttons.load, 0, Qt::AlignLeft);
  files->addStretch(1);
  row->addStretch(1);
}

const PageLayout kServiceLayout("tsTO", BuildServicePage);

}  // namespace tc
