#pragma once
// One hot-menu table of the "Горячие меню" page: ten rows of the row number
// and the item's caption, a row pop-up to insert (from the menu's insert
// tree), delete or clear, and a move by dragging a row by its left column.
// Every rule is the core's (page_hotmenu.h); this part only wires them.
#include <QObject>
#include <QPoint>

#include "editor/settings_binder.h"

class QLabel;
class QMenu;
class QTableWidget;

namespace tc {

class THotMenuPart : public QObject, public TEditorPart {
  Q_OBJECT
 public:
  // status: the page's status line, shared by its four tables.
  THotMenuPart(TSettingsBinder& binder, int menu, QTableWidget* table, QLabel* status);

  void Load() override;
  void Refresh(const Visibility&) override;

  QTableWidget* Table() const { return table_; }
  // The pop-up shown last (row menu or insert tree), while it is open.
  QMenu* OpenMenu() const { return popup_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowRowMenu(int row, QPoint global);
  void ShowInsertTree(int row, QPoint global);
  // Stores the edited entries, packed, and reloads every control and part.
  template <typename Edit>
  void Change(Edit edit);
  void SetStatus(const std::string& text);
  QMenu* NewMenu();

  TSettingsBinder& binder_;
  int menu_;
  QTableWidget* table_;
  // The table's viewport, kept apart: the filter must know it without asking
  // the table, which may be half destroyed when its viewport's last events come.
  QWidget* viewport_ = nullptr;
  QLabel* status_;
  QMenu* popup_ = nullptr;
  int dragFrom_ = -1;
};

}  // namespace tc
