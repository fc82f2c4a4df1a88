// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/page_layout.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace tc {

namespace {

// The title sits on the frame line; a plain group box is bold, the radio
// groups inside it keep the normal weight.
constexpr const char* kGroupStyle =
    "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
    " left: 8px; padding: 0 2px; background-color: palette(window); }"
    ".QGroupBox { font-weight: bold; }";

constexpr int kMaxVisibleItems = 20;
constexpr int kMinColumnWidth = 250;

}  // namespace

void ApplyGroupStyle(QWidget* scope) {
  scope->setStyleSheet(kGroupStyle);
}

void ConfigureCombo(QComboBox* combo) {
  combo->setMaxVisibleItems(kMaxVisibleItems);
  // Fusion and the offscreen platform open the list over the whole screen
  // around the current item and ignore the limit above; the list style of
  // the pop-up keeps it.
  combo->setStyleSheet("QComboBox { combobox-popup: 0; }");
}

TPageColumns::TPageColumns(QWidget* page) : QHBoxLayout(page) {
  setContentsMargins(6, 6, 6, 6);
  setSpacing(8);
  ApplyGroupStyle(page);
}

QVBoxLayout* TPageColumns::AddColumn() {
  auto* column = new QVBoxLayout;
  column->setSpacing(6);
  // Columns keep their width when controls appear and disappear.
  column->addSpacerItem(
      new QSpacerItem(kMinColumnWidth, 0, QSizePolicy::Fixed, QSizePolicy::Fixed));
  addLayout(column, 1);
  return column;
}

void TPageColumns::setGeometry(const QRect& r) {
  DropTrailingStretch();
  AlignCaptions();
  QHBoxLayout::setGeometry(r);
}

void TPageColumns::DropTrailingStretch() {
  for (int i = 0; i < count(); ++i) {
    QSpacerItem* s = itemAt(i)->spacerItem();
    if (!s || !(s->expandingDirections() & Qt::Horizontal)) continue;
    s->changeSize(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    setStretch(i, 0);
  }
}

void TPageColumns::AlignCaptions() {
  for (int c = 0; c < count(); ++c) {
    QLayout* column = itemAt(c)->layout();
    if (!column) continue;
    std::vector<QGridLayout*> grids;
    int width = 0;
    for (int g = 0; g < column->count(); ++g) {
      QWidget* w = column->itemAt(g)->widget();
      auto* grid = w ? qobject_cast<QGridLayout*>(w->layout()) : nullptr;
      if (!grid || w->isHidden()) continue;
      grids.push_back(grid);
      for (int i = 0; i < grid->count(); ++i) {
        int row, col, rowSpan, colSpan;
        grid->getItemPosition(i, &row, &col, &rowSpan, &colSpan);
        QLayoutItem* item = grid->itemAt(i);
        if (col == 0 && colSpan == 1 && !item->isEmpty())
          width = std::max(width, item->sizeHint().width());
      }
    }
    for (QGridLayout* grid : grids)
      if (grid->columnMinimumWidth(0) != width) grid->setColumnMinimumWidth(0, width);
  }
}

QGroupBox* NewPageGroup(QWidget* parent, QGridLayout** grid) {
  auto* group = new QGroupBox(parent);
  *grid = new QGridLayout(group);
  // The top margin clears the lower half of the title on the frame line.
  (*grid)->setContentsMargins(6, 10, 6, 6);
  (*grid)->setHorizontalSpacing(6);
  (*grid)->setVerticalSpacing(5);
  (*grid)->setColumnStretch(1, 1);
  return group;
}

namespace {
// An empty grid still reports one row.
int NextRow(const QGridLayout* grid) {
  return grid->count() ? grid->rowCount() : 0;
}
}  // namespace

void AddCaptionedRow(QGridLayout* grid, QLabel* caption, QWidget* control, bool captionAbove) {
  const int row = NextRow(grid);
  if (captionAbove) {
    grid->addWidget(caption, row, 0, 1, 2);
    grid->addWidget(control, row + 1, 0, 1, 2);
  } else {
    grid->addWidget(caption, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    // A control narrower than its column (a spin edit) stays beside its
    // caption instead of drifting to the far edge.
    const bool narrow = control->maximumWidth() < QWIDGETSIZE_MAX;
    grid->addWidget(control, row, 1, narrow ? Qt::AlignLeft | Qt::AlignVCenter : Qt::Alignment());
  }
}

void AddWideRow(QGridLayout* grid, QWidget* control) {
  grid->addWidget(control, NextRow(grid), 0, 1, 2);
}

}  // namespace tc
