// Layouts of the corrections page and the signal sources page. What each
// control shows and stores comes from the settings schema.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <string>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"

namespace tc {

namespace {

constexpr struct {
  const char* page;
  PageBuilder build;
} kBuilders[] = {
    {"tsCorr", BuildCorrPage},
    {"tsMeth", BuildMethPage},
};

// A column of group boxes, packed to the top and as wide as its widest.
QVBoxLayout* NewColumn(QHBoxLayout* row) {
  auto* column = new QVBoxLayout;
  column->setSpacing(6);
  // Columns keep their place when controls appear and disappear.
  auto* strut = new QSpacerItem(250, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
  column->addSpacerItem(strut);
  row->addLayout(column);
  return column;
}

QHBoxLayout* PageRow(QWidget* page) {
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(8, 8, 8, 8);
  row->setSpacing(10);
  return row;
}

}  // namespace

PageBuilder FindPageBuilder(std::string_view pageName) {
  for (const auto& b : kBuilders)
    if (pageName == b.page) return b.build;
  return nullptr;
}

QGroupBox* NewGroup(QWidget* parent, TSettingsBinder& binder, const TextPair& title,
                    QGridLayout** grid) {
  auto* group = new QGroupBox(parent);
  binder.AddText(group, title);
  *grid = new QGridLayout(group);
  (*grid)->setContentsMargins(8, 6, 8, 8);
  (*grid)->setHorizontalSpacing(8);
  (*grid)->setVerticalSpacing(5);
  (*grid)->setColumnStretch(1, 1);
  return group;
}

void AddSettings(QGridLayout* grid, TSettingsBinder& binder,
                 std::initializer_list<const char*> names, bool labelAbove) {
  for (const char* name : names) {
    QWidget* control = binder.Control(name);
    const int row = grid->rowCount();
    if (QLabel* label = binder.Label(name)) {
      if (labelAbove) {
        grid->addWidget(label, row, 0, 1, 2);
        grid->addWidget(control, row + 1, 0, 1, 2);
      } else {
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
      }
    } else {
      grid->addWidget(control, row, 0, 1, 2);
    }
  }
}

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
  // The protocol list is long: show more of it at once.
  static_cast<QComboBox*>(b.Control("cbProtocol"))->setMaxVisibleItems(30);

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

}  // namespace tc
