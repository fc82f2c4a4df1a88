#include "editor/blocks_part.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableWidget>

#include "model/tmk.h"

namespace tc {

namespace {

const TextPair kName{"Название", "Name"};
const TextPair kSelected{"Выбр.", "Sel."};

QString Q(const TextPair& t, bool english) {
  return QString::fromStdString(t.Get(english));
}

void SetUp(QTableWidget* t, const char* name, int columns) {
  t->setObjectName(name);
  t->setColumnCount(columns);
  t->verticalHeader()->hide();
  t->verticalHeader()->setDefaultSectionSize(18);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  t->setSelectionBehavior(QAbstractItemView::SelectRows);
  t->horizontalHeader()->setHighlightSections(false);
  t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
}

void SetCell(QTableWidget* t, int row, int column, const QString& text) {
  QTableWidgetItem* item = t->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    t->setItem(row, column, item);
  }
  item->setText(text);
}

}  // namespace

TBlocksPart::TBlocksPart(TSettingsBinder& binder, QWidget* page, QTableWidget* all,
                         QTableWidget* used)
    : QObject(page), binder_(binder), page_(page), all_(all), used_(used) {
  SetUp(all_, "sgAllBlocks", 2);
  all_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
  all_->setColumnWidth(1, 44);
  SetUp(used_, "sgUsedBlocks", 1);
  page_->installEventFilter(this);
  connect(all_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (row >= 0 && row < int(list_.size())) Select(list_[size_t(row)].code, true);
  });
  connect(used_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (row >= 0 && row < int(shownUsed_.size())) Select(shownUsed_[size_t(row)].code, false);
  });
}

bool TBlocksPart::eventFilter(QObject* watched, QEvent* event) {
  if (watched == page_ && event->type() == QEvent::Show) {
    list_ = SystemList(binder_.Context());
    Load();
  }
  return false;
}

void TBlocksPart::Select(int code, bool toggle) {
  TMK& mk = binder_.Context().mk;
  if (toggle)
    ToggleSystem(mk, code);
  else
    SelectSystem(mk, code, false);
  binder_.Reload();
}

void TBlocksPart::Load() {
  const TMK& mk = binder_.Context().mk;
  all_->setRowCount(int(list_.size()));
  for (size_t i = 0; i < list_.size(); ++i) {
    SetCell(all_, int(i), 0, QString::fromUtf8(list_[i].name));
    SetCell(all_, int(i), 1, SystemSelected(mk, list_[i].code) ? "V" : "");
    all_->item(int(i), 1)->setTextAlignment(Qt::AlignCenter);
  }
  shownUsed_ = UsedSystems(mk, list_);
  used_->setRowCount(int(shownUsed_.size()));
  for (size_t i = 0; i < shownUsed_.size(); ++i)
    SetCell(used_, int(i), 0, QString::fromUtf8(shownUsed_[i].name));
}

void TBlocksPart::Refresh(const Visibility&) {
  const bool en = binder_.English();
  all_->setHorizontalHeaderLabels({Q(kName, en), Q(kSelected, en)});
  used_->setHorizontalHeaderLabels({Q(kName, en)});
}

}  // namespace tc
