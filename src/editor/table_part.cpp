// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/table_part.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "ui/message_service.h"
#include "util/errors.h"

namespace tc {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

const QString kMarker = QStringLiteral("\u25B8 ");

// Readable text on a row painted in its colour.
QColor TextOn(const QColor& c) {
  return 299 * c.red() + 587 * c.green() + 114 * c.blue() > 140000 ? Qt::black : Qt::white;
}

// Cells of a column take at most its number of digits.
class DigitsDelegate : public QStyledItemDelegate {
 public:
  DigitsDelegate(QObject* parent, std::vector<RowColumn> columns)
      : QStyledItemDelegate(parent), columns_(std::move(columns)) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    const int c = index.column();
    if (c < 0 || c >= int(columns_.size()) || columns_[size_t(c)].maxDigits <= 0)
      return QStyledItemDelegate::createEditor(parent, option, index);
    auto* edit = new QLineEdit(parent);
    edit->setInputMask(QString(columns_[size_t(c)].maxDigits, '0'));
    return edit;
  }

 private:
  std::vector<RowColumn> columns_;
};

}  // namespace

TTablePart::TTablePart(TSettingsBinder& binder, QTableWidget* table, const char* name,
                       std::unique_ptr<TRowModel> model, const TableLook& look)
    : QObject(table),
      binder_(binder),
      table_(table),
      model_(std::move(model)),
      look_(look),
      columns_(model_->Columns()) {
  for (const RowColumn& c : columns_) editable_ |= c.maxDigits > 0;
  table_->setObjectName(name);
  table_->setColumnCount(int(columns_.size()));
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setMinimumSectionSize(std::min(look.rowHeight, 20));
  table_->verticalHeader()->setDefaultSectionSize(look.rowHeight);
  table_->horizontalHeader()->setHighlightSections(false);
  bool captions = false;
  int width = 0;
  for (int c = 0; c < int(columns_.size()); ++c) {
    const RowColumn& col = columns_[size_t(c)];
    captions |= *col.caption.ru != '\0';
    width += col.width;
    if (col.width > 0) {
      table_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Fixed);
      table_->setColumnWidth(c, col.width);
    } else {
      table_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
    }
  }
  if (!captions) table_->horizontalHeader()->hide();
  if (editable_)
    table_->setItemDelegate(new DigitsDelegate(table_, columns_));
  else
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  if (look.markCurrent) {
    table_->setSelectionMode(QAbstractItemView::NoSelection);
  } else {
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    if (look.selectRows) table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  }
  if (look.scroll != TableLook::Scroll::AsNeeded) {
    table_->setVerticalScrollBarPolicy(look.scroll == TableLook::Scroll::Vertical
                                           ? Qt::ScrollBarAlwaysOn
                                           : Qt::ScrollBarAlwaysOff);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  if (look.fitWidth)
    table_->setFixedWidth(width + table_->verticalScrollBar()->sizeHint().width() +
                          2 * table_->frameWidth() + 2);
  if (look.width > 0) table_->setFixedWidth(look.width);
  if (look.fitHeight)
    table_->setFixedHeight(model_->RowCount() * look.rowHeight + 2 * table_->frameWidth());
  if (*model_->PopupName() || model_->Movable())
    table_->setContextMenuPolicy(Qt::PreventContextMenu);

  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (row >= 0 && row < table_->rowCount()) Apply([&] { return model_->ActivateRow(row); });
  });
  if (look.markCurrent)
    connect(table_, &QTableWidget::currentCellChanged, this, [this] { Fill(); });
  if (editable_) {
    connect(table_, &QTableWidget::itemChanged, this, [this] {
      if (!filling_) edited_ = true;
    });
    // "Left" means the focus went to anything outside the table and its cell
    // editors; a window losing the focus altogether is no leave.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
      if (!edited_ || !now || now == table_ || table_->isAncestorOf(now)) return;
      StoreIfEdited();
    });
  }
  viewport_ = table_->viewport();
  viewport_->installEventFilter(this);
  Fill();
}

TTablePart::~TTablePart() = default;

void TTablePart::Fill() {
  const bool was = filling_;
  filling_ = true;
  model_->Sync();
  const int rows = model_->RowCount();
  if (table_->rowCount() != rows) table_->setRowCount(rows);
  const bool english = binder_.English();
  const int current = table_->currentRow();
  for (int r = 0; r < rows; ++r) {
    const std::optional<Rgb24> colour = model_->RowColour(r);
    for (int c = 0; c < int(columns_.size()); ++c) {
      const RowColumn& col = columns_[size_t(c)];
      QTableWidgetItem* item = table_->item(r, c);
      if (!item) {
        item = new QTableWidgetItem;
        if (col.handle) {
          item->setBackground(table_->palette().button());
          item->setFlags(Qt::ItemIsEnabled);
        } else if (editable_ && col.maxDigits <= 0) {
          item->setFlags(Qt::ItemIsEnabled);
        }
        if (col.centred) item->setTextAlignment(Qt::AlignCenter);
        table_->setItem(r, c, item);
      }
      QString text = Q(model_->Cell(r, c, english));
      if (look_.markCurrent) {
        QFont f = item->font();
        f.setBold(r == current);
        item->setFont(f);
        if (r == current) text = kMarker + text;
      }
      if (item->text() != text) item->setText(text);
      if (colour) {
        const QColor q(colour->r, colour->g, colour->b);
        item->setBackground(q);
        item->setForeground(TextOn(q));
      }
    }
  }
  filling_ = was;
}

void TTablePart::Load() {
  Fill();
  edited_ = false;
}

void TTablePart::Refresh(const Visibility&) {
  const bool en = binder_.English();
  QStringList captions;
  for (const RowColumn& c : columns_) captions << Q(c.caption.Get(en));
  if (!table_->horizontalHeader()->isHidden()) table_->setHorizontalHeaderLabels(captions);
}

bool TTablePart::Commit() {
  return StoreIfEdited();
}

bool TTablePart::StoreIfEdited() {
  if (!edited_) return true;
  edited_ = false;
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < table_->rowCount(); ++r) {
    std::vector<std::string>& cells = rows.emplace_back();
    for (int c = 0; c < table_->columnCount(); ++c) {
      const QTableWidgetItem* i = table_->item(r, c);
      cells.push_back(i ? i->text().toStdString() : std::string());
    }
  }
  std::string error;
  try {
    model_->StoreCells(rows);
  } catch (const TripError& e) {
    error = e.what();
  }
  // The rows stored before a refused one are shown as stored, with the rest.
  binder_.Reload();
  if (!error.empty()) ShowError(error, table_->window());
  return error.empty();
}

template <typename Edit>
void TTablePart::Apply(Edit edit) {
  RowEdit result;
  std::string error;
  try {
    result = edit();
  } catch (const TripError& e) {
    error = e.what();
  }
  if (status_) status_->setText(Q(result.note));
  if (result.changed || !error.empty()) binder_.Reload();
  if (!error.empty()) ShowError(error, table_->window());
}

QMenu* TTablePart::NewMenu(const char* name) {
  if (popup_) popup_->close();
  popup_ = new QMenu(table_);
  popup_->setObjectName(name);
  popup_->setAttribute(Qt::WA_DeleteOnClose);
  connect(popup_, &QObject::destroyed, this, [this, m = popup_] {
    if (popup_ == m) popup_ = nullptr;
  });
  return popup_;
}

void TTablePart::ShowChoices(const char* name, const std::vector<RowChoice>& choices, int row,
                             QPoint global) {
  QMenu* m = NewMenu(name);
  AddChoices(m, choices, row, global);
  m->popup(global);
}

void TTablePart::AddChoices(QMenu* into, const std::vector<RowChoice>& choices, int row,
                            QPoint global) {
  const bool english = binder_.English();
  for (const RowChoice& c : choices) {
    if (*c.popupName) {
      // Its choices open where this pop-up was, once this one has closed.
      into->addAction(Q(c.Caption(english)), this, [this, row, global, c] {
        QMetaObject::invokeMethod(
            this, [this, row, global, c] { ShowChoices(c.popupName, c.choices, row, global); },
            Qt::QueuedConnection);
      });
    } else if (c.id != 0) {
      QAction* a = into->addAction(Q(c.Caption(english)));
      if (!c.name.empty()) a->setObjectName(Q(c.name));
      const int id = c.id;
      connect(a, &QAction::triggered, this, [this, row, id] {
        Apply([&] { return model_->RunChoice(row, id, binder_.English()); });
      });
    } else {
      QMenu* sub = into->addMenu(Q(c.Caption(english)));
      AddChoices(sub, c.choices, row, global);
      // A category whose items this variant lacks stays in its place.
      sub->setEnabled(!sub->isEmpty());
    }
  }
}

bool TTablePart::eventFilter(QObject* watched, QEvent* event) {
  if (watched != viewport_) return false;
  const auto type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) return false;
  const auto* me = static_cast<QMouseEvent*>(event);
  const QPoint pos = me->position().toPoint();
  const int row = table_->rowAt(pos.y());
  if (type == QEvent::MouseButtonPress) {
    dragFrom_ = -1;
    if (row < 0) return false;
    if (me->button() == Qt::RightButton) {
      std::vector<RowChoice> choices = model_->RowMenu(row);
      if (choices.empty()) return false;
      table_->selectRow(row);
      ShowChoices(model_->PopupName(), choices, row, viewport_->mapToGlobal(pos));
      return true;
    }
    const int column = table_->columnAt(pos.x());
    if (me->button() == Qt::LeftButton && model_->Movable() && column >= 0 &&
        columns_[size_t(column)].handle) {
      dragFrom_ = row;
      viewport_->setCursor(Qt::ClosedHandCursor);
    }
    return false;
  }
  if (me->button() != Qt::LeftButton || dragFrom_ < 0) return false;
  const int from = dragFrom_;
  dragFrom_ = -1;
  viewport_->unsetCursor();
  if (row >= 0 && row != from) {
    Apply([&] { return model_->MoveRow(from, row); });
    table_->selectRow(row);
  }
  return false;
}

}  // namespace tc
