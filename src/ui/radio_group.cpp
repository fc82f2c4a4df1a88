// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace tc {

TRadioGroup::TRadioGroup(QWidget* parent)
    : QGroupBox(parent), grid_(new QGridLayout(this)), group_(new QButtonGroup(this)) {
  // In the program's group style the title sits on the frame line and the
  // contents start just below the line: clear the title's lower half.
  grid_->setContentsMargins(6, 10, 6, 4);
  grid_->setHorizontalSpacing(8);
  grid_->setVerticalSpacing(2);
  group_->setExclusive(true);
  connect(group_, &QButtonGroup::idClicked, this, &TRadioGroup::Clicked);
}

void TRadioGroup::SetItems(const QStringList& texts, const std::vector<bool>& enabled,
                           int columns) {
  const int chosen = ItemIndex();
  const int n = int(texts.size());
  if (columns <= 0) columns = std::max(n, 1);
  if (n != Count() || columns != columns_) {
    for (QRadioButton* b : buttons_) {
      group_->removeButton(b);
      delete b;
    }
    buttons_.clear();
    for (int i = 0; i < n; ++i) {
      auto* b = new QRadioButton(this);
      b->setObjectName(QString("%1_%2").arg(objectName()).arg(i));
      group_->addButton(b, i);
      buttons_.push_back(b);
    }
    columns_ = columns;
    Place();
  }
  for (int i = 0; i < n; ++i) {
    QRadioButton* b = buttons_[size_t(i)];
    b->setText(texts[i]);
    b->setEnabled(size_t(i) >= enabled.size() || enabled[size_t(i)]);
  }
  for (int c = 0; c < grid_->columnCount(); ++c) grid_->setColumnStretch(c, c < columns ? 1 : 0);
  SetItemIndex(chosen < n ? chosen : -1);
}

void TRadioGroup::SetColumnMajor(bool columnMajor) {
  if (columnMajor == columnMajor_) return;
  columnMajor_ = columnMajor;
  Place();
}

void TRadioGroup::Place() {
  const int n = Count();
  if (!n) return;
  const int rows = (n + columns_ - 1) / columns_;
  for (int i = 0; i < n; ++i) {
    QRadioButton* b = buttons_[size_t(i)];
    grid_->removeWidget(b);
    if (columnMajor_)
      grid_->addWidget(b, i % rows, i / rows);
    else
      grid_->addWidget(b, i / columns_, i % columns_);
  }
}

QStringList TRadioGroup::Items() const {
  QStringList texts;
  for (const QRadioButton* b : buttons_) texts << b->text();
  return texts;
}

QRadioButton* TRadioGroup::Button(int index) const {
  return index >= 0 && index < Count() ? buttons_[size_t(index)] : nullptr;
}

int TRadioGroup::ItemIndex() const {
  return group_->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
  if (QRadioButton* b = Button(index)) {
    b->setChecked(true);
    return;
  }
  // No item chosen: an exclusive group cannot uncheck its last button.
  group_->setExclusive(false);
  for (QRadioButton* b : buttons_) b->setChecked(false);
  group_->setExclusive(true);
}

}  // namespace tc
