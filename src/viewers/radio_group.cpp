#include "viewers/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace tc {

namespace {
constexpr int kTopMargin = 16;  // below the caption
constexpr int kSideMargin = 8;
constexpr int kBottomMargin = 4;
}  // namespace

RadioGroup::RadioGroup(int columns, QWidget* parent)
    : QGroupBox(parent), columns_(columns < 1 ? 1 : columns), group_(new QButtonGroup(this)) {
  group_->setExclusive(true);
  connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

void RadioGroup::SetItems(const QStringList& items) {
  for (QRadioButton* b : buttons_) {
    group_->removeButton(b);
    delete b;
  }
  buttons_.clear();
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], this);
    b->setObjectName(QString("%1_%2").arg(objectName()).arg(i));
    group_->addButton(b, i);
    buttons_.push_back(b);
    b->show();
  }
  Arrange();
}

QStringList RadioGroup::Items() const {
  QStringList l;
  for (const QRadioButton* b : buttons_) l << b->text();
  return l;
}

int RadioGroup::ItemIndex() const {
  return group_->checkedId();
}

void RadioGroup::SetItemIndex(int i) {
  if (i >= 0 && i < Count()) {
    buttons_[size_t(i)]->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; let go of it for a moment.
  group_->setExclusive(false);
  for (QRadioButton* b : buttons_) b->setChecked(false);
  group_->setExclusive(true);
}

void RadioGroup::resizeEvent(QResizeEvent* e) {
  QGroupBox::resizeEvent(e);
  Arrange();
}

void RadioGroup::Arrange() {
  if (buttons_.empty()) return;
  const int rows = (Count() + columns_ - 1) / columns_;
  const int innerW = width() - 2 * kSideMargin;
  const int innerH = height() - kTopMargin - kBottomMargin;
  const int colW = innerW / columns_;
  const int rowH = innerH / rows;
  for (int i = 0; i < Count(); ++i) {
    const int c = i / rows;
    const int r = i % rows;
    buttons_[size_t(i)]->setGeometry(kSideMargin + c * colW, kTopMargin + r * rowH, colW, rowH);
  }
}

}  // namespace tc
