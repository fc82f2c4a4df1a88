// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout every settings page and window of the program is built from, so
// that they read as one product: columns of titled group boxes across the
// page, each group a grid of an aligned caption column and a control column,
// all in the main window's group style.
//
//   auto* columns = new TPageColumns(page);       // the page's row of columns
//   QVBoxLayout* left = columns->AddColumn();     // a column, packed to the top
//   QGridLayout* grid;
//   left->addWidget(NewPageGroup(page, &grid));  // a group; caption set later
//   AddCaptionedRow(grid, label, spin);           // caption | control
//   AddWideRow(grid, radioGroup);                 // across both columns
#include <QHBoxLayout>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QVBoxLayout;

namespace tc {

// The main window's group style (a thin frame, the bold title on the frame
// line) for every group box inside `scope`.
void ApplyGroupStyle(QWidget* scope);

// A drop-down list opens at most ~20 items high, whatever the style.
void ConfigureCombo(QComboBox* combo);

// The page's columns share its width equally (each at least as wide as its
// contents); a stretch added at the end of the row is ignored, so columns
// never bunch up on the left. Within a column the caption columns of all its
// groups line up.
class TPageColumns : public QHBoxLayout {
 public:
  explicit TPageColumns(QWidget* page);

  // A column of group boxes, packed to the top (end it with addStretch).
  QVBoxLayout* AddColumn();

  void setGeometry(const QRect& r) override;

 private:
  void DropTrailingStretch();
  void AlignCaptions();
};

// A group box in the page style with a caption | control grid inside.
QGroupBox* NewPageGroup(QWidget* parent, QGridLayout** grid);
// Appends a row: the caption on the left (or above the control).
void AddCaptionedRow(QGridLayout* grid, QLabel* caption, QWidget* control,
                     bool captionAbove = false);
// Appends a control that spans both columns (radio groups, check boxes).
void AddWideRow(QGridLayout* grid, QWidget* control);

}  // namespace tc
