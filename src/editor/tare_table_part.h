#pragma once
// The tare table of the tank page: one row per point (number, litres,
// sensor value), cells limited to 3 and 4 digits. An edit is stored by the
// table's rule when the table is left, or when OK is pressed meanwhile.
#include <QObject>

#include "editor/settings_binder.h"

class QTableWidget;
class QWidget;

namespace tc {

class TTareTablePart : public QObject, public TEditorPart {
  Q_OBJECT
 public:
  TTareTablePart(QWidget* parent, TSettingsBinder& binder);
  QTableWidget* Table() const { return table_; }

  void Load() override;
  void Refresh(const Visibility&) override;
  bool Commit() override;

 private:
  // False when a value was refused (the message was shown).
  bool StoreIfEdited();

  TSettingsBinder& b_;
  QTableWidget* table_;
  bool edited_ = false;
  bool filling_ = false;
};

}  // namespace tc
