// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table of an editor page shown from a core row model (row_model.h): the
// rows and cells as the model gives them, cells typed into within the
// model's digit limits and stored when the table is left (or on OK), a row
// pop-up, double-clicks and rows dragged by their handle column, each an
// edit of the model after which every control and part loads again. The
// part only shows and forwards; every rule is the model's.
#include <QObject>
#include <QPoint>
#include <memory>
#include <vector>

#include "editor/settings_binder.h"
#include "editor_core/row_model.h"

class QLabel;
class QMenu;
class QTableWidget;

namespace tc {

struct TableLook {
  int rowHeight = 20;
  // Whole rows are selected (else single cells).
  bool selectRows = true;
  // Nothing is selected: the current row reads bold with a marker, so that
  // painted rows keep their colour.
  bool markCurrent = false;
  enum class Scroll { AsNeeded, Never, Vertical } scroll = Scroll::AsNeeded;
  // As wide as the columns and the scroll bar; as high as the rows.
  bool fitWidth = false;
  bool fitHeight = false;
  // A fixed width (0: the page's layout decides).
  int width = 0;
};

class TTablePart : public QObject, public TEditorPart {
  Q_OBJECT
 public:
  // Shapes `table`, names it and shows the model's rows. The part does not
  // join the binder's cycle itself: whoever makes it adds it.
  TTablePart(TSettingsBinder& binder, QTableWidget* table, const char* name,
             std::unique_ptr<TRowModel> model, const TableLook& look);
  ~TTablePart() override;

  QTableWidget* Table() const { return table_; }
  TRowModel& Model() const { return *model_; }
  // Where the note of an edit is shown (cleared by an edit without one).
  void SetStatus(QLabel* status) { status_ = status; }
  // The pop-up shown last (row menu or its second pop-up), while it is open.
  QMenu* OpenMenu() const { return popup_; }

  void Load() override;
  void Refresh(const Visibility&) override;
  bool Commit() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill();
  // False when a value was refused (the message was shown).
  bool StoreIfEdited();
  // Runs an edit of the model; shows its note, reloads the window when the
  // model changed and says why when it refused.
  template <typename Edit>
  void Apply(Edit edit);
  void ShowChoices(const char* name, const std::vector<RowChoice>& choices, int row, QPoint global);
  void AddChoices(QMenu* into, const std::vector<RowChoice>& choices, int row, QPoint global);
  QMenu* NewMenu(const char* name);

  TSettingsBinder& binder_;
  QTableWidget* table_;
  std::unique_ptr<TRowModel> model_;
  TableLook look_;
  std::vector<RowColumn> columns_;
  bool editable_ = false;
  // The table's viewport, kept apart: the filter must know it without asking
  // the table, which may be half destroyed when its viewport's last events come.
  QWidget* viewport_ = nullptr;
  QLabel* status_ = nullptr;
  QMenu* popup_ = nullptr;
  int dragFrom_ = -1;
  bool edited_ = false;
  bool filling_ = false;
};

}  // namespace tc
