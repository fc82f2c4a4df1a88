// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the display options page ("Разное"), with the display-selection
// check boxes of every display kind.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <string>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"
#include "editor_core/page_divers.h"

namespace tc {

void BuildDiversPage(QWidget* page, TSettingsBinder& b) {
  QHBoxLayout* row = PageRow(page);
  QGridLayout* grid;

  QVBoxLayout* left = NewColumn(row);
  left->addWidget(NewGroup(page, b, {"Дисплей", "Display"}, &grid));
  AddSettings(grid, b,
              {"cbDispShowTitle", "cbShowDispName", "rgDispSpeed", "sgDispVar4", "sgDispVar9",
               "seExpPBLim"});
  left->addWidget(NewGroup(page, b, {"Стрелочные дисплеи", "Arrow displays"}, &grid));
  AddSettings(grid, b, {"rgDispShowArrowMeth_0", "rgDispShowArrowMeth_1"});
  left->addStretch(1);

  QVBoxLayout* middle = NewColumn(row);
  middle->addWidget(NewGroup(page, b, {"Яркость и цвет", "Brightness and colour"}, &grid));
  AddSettings(grid, b,
              {"rgIntenseMeth", "rgColorMeth", "meIntenseDayTime", "meIntenseNightTime",
               "seIntense0", "seIntense1", "rgActiveColorScheme"});
  middle->addStretch(1);

  // One group per display kind, captioned by the kind, all check boxes on
  // one grid so their columns line up; the x1 displays in columns of eight.
  QVBoxLayout* right = NewColumn(row);
  QGroupBox* shown = NewGroup(page, b, {"Показывать дисплеи", "Show displays"}, &grid);
  grid->setVerticalSpacing(0);
  grid->setColumnStretch(1, 0);
  right->addWidget(shown);
  // Six columns: the eight graph and arrow displays take two rows of four.
  constexpr int kColumns = 6;
  for (const DisplayGroup& g : DisplayGroups()) {
    const int top = grid->rowCount();
    auto* caption = new QLabel(shown);
    b.AddText(caption, g.caption);
    grid->addWidget(caption, top, 0, Qt::AlignTop);
    // Named boxes are wider: three to a row, two columns each.
    const int span = g.names.empty() ? 1 : 2;
    const int perRow = !g.names.empty() ? 3 : g.count > kColumns ? 4 : kColumns;
    for (int i = 0; i < g.count; ++i) {
      QWidget* box = b.Control("cbShowDisp_" + std::string(g.key) + "_" + std::to_string(i));
      const int r = g.perColumn ? i % g.perColumn : i / perRow;
      const int c = g.perColumn ? i / g.perColumn : i % perRow;
      grid->addWidget(box, top + r, 1 + c * span, 1, span);
    }
  }
  grid->setColumnStretch(kColumns + 1, 1);
  grid->setColumnMinimumWidth(0, 64);  // "Графики", "Стрелки", "Средние"
  right->addStretch(1);
  row->addStretch(1);
}

const PageLayout kDiversLayout("tsDivers", BuildDiversPage);

}  // namespace tc
