#include "editor/hotmenu_part.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>
#include <functional>

#include "catalog/variants.h"
#include "editor_core/page_hotmenu.h"
#include "model/tmk.h"

namespace tc {

namespace {

const TextPair kInsert{"Вставить пункт", "Insert item"};
const TextPair kDelete{"Удалить пункт", "Delete item"};
const TextPair kClear{"Очистить список", "Clear all"};

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

void AddNodes(QMenu* into, const std::vector<HotMenuNode>& nodes, bool english,
              const std::function<void(uint16_t)>& chosen) {
  for (const HotMenuNode& n : nodes) {
    if (n.IsItem()) {
      const uint16_t code = n.code;
      QAction* a = into->addAction(Q(n.Caption(english)));
      a->setObjectName(Q(n.ident));
      QObject::connect(a, &QAction::triggered, into, [chosen, code] { chosen(code); });
    } else {
      QMenu* sub = into->addMenu(Q(n.Caption(english)));
      AddNodes(sub, n.children, english, chosen);
      // A category whose items this variant lacks stays in its place.
      sub->setEnabled(!sub->isEmpty());
    }
  }
}

}  // namespace

THotMenuPart::THotMenuPart(TSettingsBinder& binder, int menu, QTableWidget* table, QLabel* status)
    : QObject(table), binder_(binder), menu_(menu), table_(table), status_(status) {
  table_->setObjectName(HotMenuSettingName(menu));
  table_->setRowCount(kHotMenuRows);
  table_->setColumnCount(2);
  table_->horizontalHeader()->hide();
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setContextMenuPolicy(Qt::PreventContextMenu);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setColumnWidth(0, 28);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->setDefaultSectionSize(20);
  table_->setFixedHeight(kHotMenuRows * 20 + 2 * table_->frameWidth());
  for (int r = 0; r < kHotMenuRows; ++r) {
    // The left column is the handle by which a row is dragged.
    auto* number = new QTableWidgetItem(QString::number(r + 1));
    number->setTextAlignment(Qt::AlignCenter);
    number->setBackground(table_->palette().button());
    number->setFlags(Qt::ItemIsEnabled);
    table_->setItem(r, 0, number);
    table_->setItem(r, 1, new QTableWidgetItem);
  }
  viewport_ = table_->viewport();
  viewport_->installEventFilter(this);
}

void THotMenuPart::Load() {
  EditorContext& ctx = binder_.Context();
  // Shown packed; a gap left in the stored list is closed by the next edit
  // of the menu, so that merely opening the editor rewrites nothing.
  const HotMenu packed = PackHotMenu(ReadHotMenu(ctx.mk, menu_));
  for (int r = 0; r < kHotMenuRows; ++r)
    table_->item(r, 1)->setText(
        Q(HotMenuEntryCaption(ctx.catalog.MenuItems(), packed[size_t(r)], binder_.English())));
}

void THotMenuPart::Refresh(const Visibility&) {}

QMenu* THotMenuPart::NewMenu() {
  if (popup_) popup_->close();
  popup_ = new QMenu(table_);
  popup_->setAttribute(Qt::WA_DeleteOnClose);
  connect(popup_, &QObject::destroyed, this, [this, m = popup_] {
    if (popup_ == m) popup_ = nullptr;
  });
  return popup_;
}

void THotMenuPart::ShowRowMenu(int row, QPoint global) {
  const bool en = binder_.English();
  QMenu* m = NewMenu();
  m->setObjectName("pmHotMenu");
  m->addAction(Q(kInsert.Get(en)), this, [this, row, global] {
    // The tree opens where the row menu was, once that has closed.
    QMetaObject::invokeMethod(
        this, [this, row, global] { ShowInsertTree(row, global); }, Qt::QueuedConnection);
  });
  m->addAction(Q(kDelete.Get(en)), this,
               [this, row] { Change([row](HotMenu& e) { DeleteHotMenuEntry(e, row); }); });
  m->addAction(Q(kClear.Get(en)), this, [this] { Change([](HotMenu& e) { ClearHotMenu(e); }); });
  m->popup(global);
}

void THotMenuPart::ShowInsertTree(int row, QPoint global) {
  EditorContext& ctx = binder_.Context();
  QMenu* m = NewMenu();
  m->setObjectName("pmHotMenuInsert");
  const auto tree = HotMenuInsertTree(menu_, ctx.catalog.MenuItems(), ctx.Flags());
  AddNodes(m, tree, binder_.English(), [this, row](uint16_t code) {
    SetStatus(InsertIntoHotMenu(binder_.Context(), menu_, row, code, binder_.English()));
    binder_.Reload();
  });
  m->popup(global);
}

template <typename Edit>
void THotMenuPart::Change(Edit edit) {
  EditorContext& ctx = binder_.Context();
  HotMenu e = PackHotMenu(ReadHotMenu(ctx.mk, menu_));
  edit(e);
  WriteHotMenu(ctx.mk, menu_, PackHotMenu(e));
  SetStatus("");
  binder_.Reload();
}

void THotMenuPart::SetStatus(const std::string& text) {
  status_->setText(Q(text));
}

bool THotMenuPart::eventFilter(QObject* watched, QEvent* event) {
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
      table_->selectRow(row);
      ShowRowMenu(row, table_->viewport()->mapToGlobal(pos));
      return true;
    }
    if (me->button() == Qt::LeftButton && table_->columnAt(pos.x()) == 0) {
      dragFrom_ = row;
      table_->viewport()->setCursor(Qt::ClosedHandCursor);
    }
    return false;
  }
  if (me->button() != Qt::LeftButton || dragFrom_ < 0) return false;
  const int from = dragFrom_;
  dragFrom_ = -1;
  table_->viewport()->unsetCursor();
  if (row >= 0 && row != from) {
    Change([from, row](HotMenu& e) { MoveHotMenuEntry(e, from, row); });
    table_->selectRow(row);
  }
  return false;
}

}  // namespace tc
