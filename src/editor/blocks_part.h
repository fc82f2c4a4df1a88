#pragma once
// The two tables of the "Допсистемы" page: every system of the list with
// its selection mark, and the selected ones. The list is built again each
// time the page is brought to the front (the protocol may have changed on
// another page); double-clicks change the selection through the core's
// rules (page_blocks.h).
#include <QObject>
#include <vector>

#include "editor/settings_binder.h"
#include "editor_core/page_blocks.h"

class QTableWidget;

namespace tc {

class TBlocksPart : public QObject, public TEditorPart {
  Q_OBJECT
 public:
  // page: the page whose showing rebuilds the list.
  TBlocksPart(TSettingsBinder& binder, QWidget* page, QTableWidget* all, QTableWidget* used);

  void Load() override;
  void Refresh(const Visibility&) override;

  const std::vector<SystemEntry>& List() const { return list_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Select(int code, bool toggle);

  TSettingsBinder& binder_;
  QWidget* page_;
  QTableWidget* all_;
  QTableWidget* used_;
  std::vector<SystemEntry> list_;
  std::vector<SystemEntry> shownUsed_;
};

}  // namespace tc
