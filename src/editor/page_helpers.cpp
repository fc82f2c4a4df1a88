// The layout pieces every editor page is built from: columns of titled
// group boxes with aligned caption and control columns.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"

namespace tc {

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

}  // namespace tc
