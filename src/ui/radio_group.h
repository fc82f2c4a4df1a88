// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A titled group of radio buttons laid out in columns, one of which is
// chosen: the radio-group control of the editor pages and the viewers.
#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace tc {

class TRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  explicit TRadioGroup(QWidget* parent = nullptr);

  // Replaces the items; `enabled` may be shorter than `texts` (the rest are
  // enabled). columns 0 puts every item in a column of its own. The chosen
  // item is kept when it still exists.
  void SetItems(const QStringList& texts, const std::vector<bool>& enabled = {}, int columns = 0);
  QStringList Items() const;
  int Count() const { return int(buttons_.size()); }
  QRadioButton* Button(int index) const;

  // Items run along the rows (the default) or down the columns.
  void SetColumnMajor(bool columnMajor);

  // -1: none chosen.
  int ItemIndex() const;
  void SetItemIndex(int index);

 signals:
  // The user clicked item `index` (not emitted by SetItemIndex).
  void Clicked(int index);

 private:
  void Place();

  QGridLayout* grid_;
  QButtonGroup* group_;
  std::vector<QRadioButton*> buttons_;
  int columns_ = 0;
  bool columnMajor_ = false;
};

}  // namespace tc
