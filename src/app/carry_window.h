// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The carry-over window: the settings of an older file carried onto the
// settings at hand (typically just read from a new or updated device), with
// the account page by page, and Apply or Cancel. Apply changes the settings
// as the editor's OK does: nothing reaches the device until a write.
#include <QDialog>
#include <memory>

#include "editor_core/settings_report.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace tc {

class SettingsDocument;

class TCarryWindow : public QDialog {
  Q_OBJECT
 public:
  // Shows what carrying `source` onto `target` would do; the target is
  // changed only by Apply.
  TCarryWindow(SettingsDocument& target, SettingsDocument& source, const QString& sourcePath,
               QWidget* parent = nullptr);
  ~TCarryWindow() override;

  QLabel* lSource;
  QLabel* lSummary;
  QTreeWidget* tvAccount;
  // Hides the rows that come along, leaving what does not.
  QCheckBox* cbOnlyLeft;
  QPushButton* bApply;
  QPushButton* bCancel;

  const SettingsAccount& Account() const { return account_; }

 private:
  void ApplyClick();
  void ShowOnlyLeft(bool only);

  SettingsDocument& target_;
  SettingsDocument& source_;
  SettingsAccount account_;
};

// Asks for the old settings file, shows the carry-over window, and carries
// the settings over on Apply. True when the settings were changed. A file
// that cannot be opened, or settings the editor cannot open, are said and
// change nothing.
bool CarrySettingsFromFile(SettingsDocument& target, QWidget* parent);
// The same for a file already chosen.
bool CarrySettingsFrom(SettingsDocument& target, const QString& path, QWidget* parent);

}  // namespace tc
