#include "editor/tare_table_part.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "editor_core/page_tank.h"
#include "model/tmk.h"
#include "ui/message_service.h"
#include "util/errors.h"

namespace tc {

namespace {

enum Column { kNumber, kLitres, kSensor };

// Litres take at most 3 digits, sensor values at most 4.
class CellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    auto* edit = new QLineEdit(parent);
    edit->setInputMask(index.column() == kLitres ? "000" : "0000");
    return edit;
  }
};

}  // namespace

TTareTablePart::TTareTablePart(QWidget* parent, TSettingsBinder& binder)
    : QObject(parent), b_(binder), table_(new QTableWidget(parent)) {
  table_->setObjectName("sgTarir");
  table_->setColumnCount(3);
  table_->setItemDelegate(new CellDelegate(table_));
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(20);
  table_->setColumnWidth(kNumber, 36);
  table_->setColumnWidth(kLitres, 70);
  table_->setColumnWidth(kSensor, 70);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->horizontalHeader()->setStretchLastSection(false);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // As wide as its columns and the scroll bar.
  table_->setFixedWidth(36 + 70 + 70 + table_->verticalScrollBar()->sizeHint().width() +
                        2 * table_->frameWidth() + 2);
  connect(table_, &QTableWidget::itemChanged, this, [this] {
    if (!filling_) edited_ = true;
  });
  // "Left" means the focus went to anything outside the table and its cell
  // editors; a window losing the focus altogether is no leave.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (!edited_ || !now || now == table_ || table_->isAncestorOf(now)) return;
    StoreIfEdited();
  });
  b_.AddPart(this);
}

void TTareTablePart::Load() {
  TMK& mk = b_.Context().mk;
  NormaliseTareCount(mk);
  const auto rows = TareRows(mk);
  filling_ = true;
  // Without points one empty row stays, ready for the first one.
  table_->setRowCount(rows.empty() ? 1 : int(rows.size()));
  for (int r = 0; r < table_->rowCount(); ++r) {
    auto* number = new QTableWidgetItem(QString::number(r + 1));
    number->setFlags(Qt::ItemIsEnabled);
    table_->setItem(r, kNumber, number);
    const bool has = r < int(rows.size());
    table_->setItem(r, kLitres,
                    new QTableWidgetItem(has ? QString::number(rows[size_t(r)].litres) : ""));
    table_->setItem(r, kSensor,
                    new QTableWidgetItem(has ? QString::number(rows[size_t(r)].sensor) : ""));
  }
  filling_ = false;
  edited_ = false;
}

void TTareTablePart::Refresh(const Visibility&) {
  const bool en = b_.English();
  table_->setHorizontalHeaderLabels({"#", en ? "litres" : "литры", en ? "CU" : "уе"});
}

bool TTareTablePart::Commit() {
  return StoreIfEdited();
}

bool TTareTablePart::StoreIfEdited() {
  if (!edited_) return true;
  edited_ = false;
  std::vector<TareCells> cells;
  for (int r = 0; r < table_->rowCount(); ++r) {
    const auto text = [&](int c) {
      const QTableWidgetItem* i = table_->item(r, c);
      return i ? i->text().toStdString() : std::string();
    };
    cells.push_back({text(kLitres), text(kSensor)});
  }
  bool ok = true;
  std::string error;
  try {
    StoreTareTable(b_.Context().mk, cells);
  } catch (const TripError& e) {
    ok = false;
    error = e.what();
  }
  // The rows stored before a refused one are shown as stored, with the rest.
  b_.Reload();
  if (!ok) ShowError(error, table_->window());
  return ok;
}

}  // namespace tc
