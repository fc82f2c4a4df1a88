// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/text_grid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace tc {

namespace {
constexpr int kTextMargin = 2;
}

TextGrid::TextGrid(const Shape& shape, QWidget* parent) : QTableWidget(parent), shape_(shape) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(shape_.rowHeight);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  setTabKeyNavigation(false);
  setItemDelegate(new TextGridDelegate(this));
  setColumnCount(int(shape_.columnWidths.size()));
  for (int c = 0; c < columnCount(); ++c) setColumnWidth(c, shape_.columnWidths[c]);
  SetRowCount(shape_.rows);
}

void TextGrid::SetRowCount(int rows) {
  const int old = rowCount();
  setRowCount(rows);
  for (int r = old; r < rows; ++r) ShapeRow(r);
}

void TextGrid::ShapeRow(int row) {
  setRowHeight(row, shape_.rowHeight);
  for (int c = 0; c < columnCount(); ++c) {
    auto* item = new QTableWidgetItem;
    if (IsHeaderCell(row, c)) {
      // Header cells cannot be selected, as in a grid's fixed rows.
      item->setFlags(Qt::ItemIsEnabled);
      item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    } else {
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      const Qt::Alignment h =
          size_t(c) < shape_.alignments.size() ? shape_.alignments[c] : Qt::AlignLeft;
      item->setTextAlignment(h | Qt::AlignVCenter);
    }
    setItem(row, c, item);
  }
}

QTableWidgetItem* TextGrid::ItemAt(int row, int column) {
  if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
  return item(row, column);
}

void TextGrid::SetCell(int row, int column, const std::string& utf8) {
  if (QTableWidgetItem* it = ItemAt(row, column)) it->setText(QString::fromStdString(utf8));
}

QString TextGrid::Cell(int row, int column) const {
  const QTableWidgetItem* it = item(row, column);
  return it ? it->text() : QString();
}

void TextGrid::SetRows(const std::vector<std::vector<std::string>>& rows, int firstRow) {
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c) SetCell(firstRow + int(r), int(c), rows[r][c]);
  FitColumns();
}

void TextGrid::FitColumns() {
  // A header longer than its column (an English caption in a width made for
  // the Russian one) takes room from columns whose texts leave some, so
  // nothing is clipped and the grid keeps its width.
  const QFontMetrics fm(font());
  const int n = columnCount();
  std::vector<int> need(size_t(n), 0), width = shape_.columnWidths;
  for (int c = 0; c < n; ++c)
    for (int r = 0; r < rowCount(); ++r)
      need[size_t(c)] = std::max(need[size_t(c)], fm.horizontalAdvance(Cell(r, c)) + 2 * kMargin);
  for (int c = 0; c < n; ++c) {
    int missing = need[size_t(c)] - width[size_t(c)];
    // From the column with the most room first.
    while (missing > 0) {
      int donor = -1, most = 0;
      for (int d = 0; d < n; ++d)
        if (d != c && width[size_t(d)] - need[size_t(d)] > most)
          donor = d, most = width[size_t(d)] - need[size_t(d)];
      if (donor < 0) break;
      const int take = std::min(most, missing);
      width[size_t(donor)] -= take;
      width[size_t(c)] += take;
      missing -= take;
    }
  }
  for (int c = 0; c < n; ++c) setColumnWidth(c, width[size_t(c)]);
}

void TextGrid::ClearRow(int row) {
  for (int c = 0; c < columnCount(); ++c)
    if (QTableWidgetItem* it = ItemAt(row, c)) it->setText(QString());
}

void TextGrid::ClearCells() {
  for (int r = 0; r < rowCount(); ++r) ClearRow(r);
}

void TextGrid::mouseDoubleClickEvent(QMouseEvent* e) {
  QTableWidget::mouseDoubleClickEvent(e);
  if (e->button() == Qt::LeftButton) emit gridDoubleClicked();
}

TextGridDelegate::TextGridDelegate(TextGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void TextGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  const bool header = grid_->IsHeaderCell(index.row(), index.column());
  const bool selected = !header && (option.state & QStyle::State_Selected);
  const QPalette& pal = option.palette;
  const QRect r = option.rect;

  painter->save();
  if (header) {
    painter->fillRect(r, pal.button());
    // A raised edge: light at the top and left, dark at the bottom and right.
    painter->setPen(pal.light().color());
    painter->drawLine(r.topLeft(), r.topRight());
    painter->drawLine(r.topLeft(), r.bottomLeft());
    painter->setPen(pal.mid().color());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->drawLine(r.topRight(), r.bottomRight());
  } else {
    painter->fillRect(r, selected ? pal.highlight() : pal.base());
  }

  const QString text = index.data(Qt::DisplayRole).toString();
  if (!text.isEmpty()) {
    const Qt::Alignment align =
        Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) | Qt::AlignVCenter;
    const QRect textRect = r.adjusted(kTextMargin, 0, -kTextMargin, 0);
    painter->setClipRect(r);
    painter->setFont(option.font);
    painter->setPen(header     ? pal.buttonText().color()
                    : selected ? pal.highlightedText().color()
                               : pal.text().color());
    painter->drawText(textRect, int(align) | Qt::TextSingleLine, text);
  }
  painter->restore();
}

}  // namespace tc
