// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/blocks_part.h"

#include <QEvent>
#include <QTableWidget>

#include "editor/table_part.h"

namespace tc {

TBlocksPart::TBlocksPart(TSettingsBinder& binder, QWidget* page, QTableWidget* all,
                         QTableWidget* used)
    : QObject(page), page_(page) {
  auto rows = std::make_unique<TSystemRows>(binder.Context());
  allRows_ = rows.get();
  const TableLook look{.rowHeight = 18};
  all_ = new TTablePart(binder, all, "sgAllBlocks", std::move(rows), look);
  used_ = new TTablePart(binder, used, "sgUsedBlocks",
                         std::make_unique<TUsedSystemRows>(binder.Context(), *allRows_), look);
  page_->installEventFilter(this);
}

bool TBlocksPart::eventFilter(QObject* watched, QEvent* event) {
  if (watched == page_ && event->type() == QEvent::Show) {
    allRows_->Rebuild();
    Load();
  }
  return false;
}

void TBlocksPart::Load() {
  // A page built while it is being shown has missed its show.
  if (allRows_->List().empty() && page_->isVisible()) allRows_->Rebuild();
  all_->Load();
  used_->Load();
}

void TBlocksPart::Refresh(const Visibility& v) {
  all_->Refresh(v);
  used_->Refresh(v);
}

}  // namespace tc
