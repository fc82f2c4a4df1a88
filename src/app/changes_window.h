// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The changes window: every setting whose value differs between the current
// settings and the ones last read or loaded, or a settings file the user
// picks, page by page with the editor's captions, old -> new. The same list
// asks before a write what the write will change in the device.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "editor_core/settings_report.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace tc {

class SettingsDocument;

// Fills a tree with an account: one bold row per page, one row per setting
// under it: label, old, new; for a carry-over label, outcome, source's
// value, result, reason. Each setting row keeps the setting's name in Qt::UserRole.
void FillAccountTree(QTreeWidget* tree, const SettingsAccount& account, bool carryOver);

class TChangesWindow : public QDialog {
  Q_OBJECT
 public:
  // current: the settings the steps work on; since: the settings as last
  // read or loaded (nullptr when there are none). showBeforeWrite is the
  // check box's state, kept by the caller in the ini.
  TChangesWindow(SettingsDocument& current, const SettingsDocument* since, bool& showBeforeWrite,
                 QWidget* parent = nullptr);
  ~TChangesWindow() override;

  QRadioButton* rbSinceRead;
  QRadioButton* rbFile;
  QPushButton* bPickFile;
  QLabel* lSummary;
  QTreeWidget* tvChanges;
  QCheckBox* cbShowBeforeWrite;
  QPushButton* bClose;

  // Compares with a settings file; false (and the reason shown) when it
  // cannot be opened, keeping the list as it was.
  bool CompareWithFile(const QString& path);
  // Compares again, after the settings changed.
  void Refresh();
  const SettingsAccount& Account() const { return account_; }

  // Opens the editor at a setting (double click on its row); true when the
  // editor was closed with OK.
  std::function<bool(SettingsDocument&, const std::string& setting, QWidget*)> EditAt;

 private:
  void ApplyLanguage();
  void PickFile();
  void RowActivated();

  SettingsDocument& current_;
  const SettingsDocument* since_;
  bool& showBeforeWrite_;
  std::unique_ptr<SettingsDocument> file_;
  QString filePath_;
  SettingsAccount account_;
};

// Before a write: what the write would change in the device (device ->
// file), with Write and Cancel. True for Write.
bool ConfirmWriteChanges(const SettingsAccount& changes, QWidget* parent);

// The editor on the setting's page. The editor's own reveal of one setting
// (scrolling to it and marking it) goes here once it exists: this is the
// one place the changes window opens the editor from.
bool EditSettingsAt(SettingsDocument& doc, const std::string& setting, QWidget* parent);

}  // namespace tc
