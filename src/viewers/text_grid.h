// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A read-only grid of text cells as the viewers show their tables: fixed
// column widths and row height, an optional header row and header column
// drawn like buttons, cells that the user can select but not edit.
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <string>
#include <vector>

namespace tc {

class TextGrid : public QTableWidget {
  Q_OBJECT
 public:
  struct Shape {
    int rows = 1;
    std::vector<int> columnWidths;
    int rowHeight = 18;
    bool headerRow = false;     // row 0 is a header
    bool headerColumn = false;  // column 0 is a header
    // Alignment of each column's non-header cells (left when not given).
    std::vector<Qt::Alignment> alignments;
  };

  TextGrid(const Shape& shape, QWidget* parent = nullptr);

  // Sets the number of rows, keeping the shape of each.
  void SetRowCount(int rows);
  void SetCell(int row, int column, const std::string& utf8);
  QString Cell(int row, int column) const;
  // Writes rows of cells starting at `firstRow`; cells beyond the grid are
  // ignored.
  void SetRows(const std::vector<std::vector<std::string>>& rows, int firstRow = 0);
  // Widens a column whose texts do not fit by what other columns can spare
  // (SetRows does it); the grid's width stays as its shape gives it.
  void FitColumns();
  // Space left and right of a cell's text.
  static constexpr int kMargin = 3;
  // Empties every cell of the given row.
  void ClearRow(int row);
  // Empties every cell.
  void ClearCells();

  bool IsHeaderCell(int row, int column) const {
    return (shape_.headerRow && row == 0) || (shape_.headerColumn && column == 0);
  }

 signals:
  // A double click anywhere on the grid, on a cell or not.
  void gridDoubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  QTableWidgetItem* ItemAt(int row, int column);
  void ShapeRow(int row);

  Shape shape_;
};

// Paints the cells of a TextGrid: header cells on the button colour with a
// raised edge, text 2 pixels from the edge it is aligned to.
class TextGridDelegate : public QStyledItemDelegate {
 public:
  explicit TextGridDelegate(TextGrid* grid);
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  TextGrid* grid_;
};

}  // namespace tc
