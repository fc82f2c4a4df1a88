// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two tables of the "Допсистемы" page: every system of the list with
// its mark, and the selected ones. The list is built again each time the
// page is brought to the front (the protocol may have changed on another
// page); double-clicks change the selection through the core's rules
// (TSystemRows, TUsedSystemRows). The page adds the part.
#include <QObject>
#include <vector>

#include "editor/settings_binder.h"
#include "editor_core/page_blocks.h"

class QTableWidget;

namespace tc {

class TTablePart;

class TBlocksPart : public QObject, public TEditorPart {
  Q_OBJECT
 public:
  // page: the page whose showing rebuilds the list.
  TBlocksPart(TSettingsBinder& binder, QWidget* page, QTableWidget* all, QTableWidget* used);

  void Load() override;
  void Refresh(const Visibility&) override;

  const std::vector<SystemEntry>& List() const { return allRows_->List(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* page_;
  TSystemRows* allRows_;
  TTablePart* all_;
  TTablePart* used_;
};

}  // namespace tc
