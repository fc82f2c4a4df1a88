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
#include "editor_core/pages.h"

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

  // One group per display kind, captioned by the kind, the x1 displays in
  // columns of eight.
  QVBoxLayout* right = NewColumn(row);
  QGroupBox* shown = NewGroup(page, b, {"Показывать дисплеи", "Show displays"}, &grid);
  grid->setVerticalSpacing(2);
  right->addWidget(shown);
  for (const DisplayGroup& g : DisplayGroups()) {
    const int r = grid->rowCount();
    auto* caption = new QLabel(shown);
    b.AddText(caption, g.caption);
    grid->addWidget(caption, r, 0, Qt::AlignTop);
    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(6);
    boxes->setVerticalSpacing(0);
    const int perRow = g.perColumn ? 5 : (g.names.empty() ? 8 : 3);
    for (int i = 0; i < g.count; ++i) {
      QWidget* box = b.Control("cbShowDisp_" + std::string(g.key) + "_" + std::to_string(i));
      // The x1 displays stand in five columns of "#1".."#8".
      if (g.perColumn)
        boxes->addWidget(box, i % g.perColumn, i / g.perColumn);
      else
        boxes->addWidget(box, i / perRow, i % perRow);
    }
    grid->addLayout(boxes, r, 1);
  }
  right->addStretch(1);
  row->addStretch(1);
}

}  // namespace tc
