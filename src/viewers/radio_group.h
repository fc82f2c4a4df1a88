#pragma once
// A captioned group of radio buttons laid out in columns, filled column by
// column, with one item index for the whole group (-1: none chosen).
#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace tc {

class RadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  explicit RadioGroup(int columns = 1, QWidget* parent = nullptr);

  // Replaces the items; the index becomes -1.
  void SetItems(const QStringList& items);
  QStringList Items() const;
  int Count() const { return int(buttons_.size()); }
  QRadioButton* Button(int i) const { return buttons_.at(size_t(i)); }

  int ItemIndex() const;
  // Checks item i without emitting itemClicked; an index outside the items
  // unchecks all.
  void SetItemIndex(int i);

 signals:
  // The user chose item i.
  void itemClicked(int i);

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void Arrange();

  int columns_;
  QButtonGroup* group_;
  std::vector<QRadioButton*> buttons_;
};

}  // namespace tc
