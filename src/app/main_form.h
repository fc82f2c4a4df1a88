// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMainForm: the program's main window and its numbered steps.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "link/ml_rs_base.h"
#include "model/settings_document.h"
#include "ui/file_dialog_service.h"
#include "util/text_pair.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace tc {

class TMK;
struct SettingsAccount;

class TML_RS;
class TMKTransfer;

class TMainForm : public QWidget {
  Q_OBJECT
 public:
  // platform: how the link finds and opens ports (default: the system's).
  explicit TMainForm(AppPaths paths, LinkPlatform platform = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  // --- Controls, named as the users' manuals and the tests know them --------
  QLabel* Label5;
  QPushButton* bRS232;
  QGroupBox* GroupBox1;
  QLabel* Label2;
  QPushButton* bGetParams;
  QLabel* Label6;
  QPushButton* bLoadParams;
  QGroupBox* GroupBox2;
  QLabel* Label3;
  QPushButton* bEditParams;
  QGroupBox* GroupBox5;
  QLabel* Label7;
  QPushButton* bViewJournals;
  QGroupBox* GroupBox6;
  QLabel* Label8;
  QPushButton* bViewOsc;
  QGroupBox* GroupBox3;
  QLabel* Label4;
  QPushButton* bSaveParams;
  QGroupBox* GroupBox4;
  QLabel* Label1;
  QPushButton* bSetParams;
  QCheckBox* cbEnglishVersion;
  QWidget* Picture;
  QTimer* KeepAliveTimer;

  // --- Additional actions ------------------------------------------------------
  // One menu button outside the numbered steps holds every action beyond
  // them; like steps 2-4 it is disabled while there are no settings.
  QPushButton* bMoreActions;
  QAction* actCarryOver;
  QAction* actChanges;
  // How many settings were changed since the last read or load.
  QLabel* lChangedCount;
  QMenu* AdditionalActions() const { return moreMenu_; }
  // Adds an action to the menu with its text in both languages (it follows
  // the language switch): the carry-over, the changes window and the
  // settings report (saved as HTML or printed) sit here.
  QAction* AddAdditionalAction(const char* name, TextPair text, std::function<void()> run);

  // --- State -------------------------------------------------------------------
  // Changed in the editor and not yet saved to a file.
  bool SettingsChanged = false;
  // Bus address and memory size found by the last transfer.
  uint8_t DeviceAddress() const;
  uint32_t DeviceMemorySize() const;

  TMK& Model() { return doc_->Model(); }
  SettingsDocument& Document() { return *doc_; }
  // Exist once the window was first shown.
  TML_RS& Link() { return *link_; }
  TMKTransfer& Transfer() { return *transfer_; }
  const AppPaths& Paths() const { return paths_; }
  bool Started() const { return started_; }
  // True while an exchange with the device runs.
  bool ExchangeRunning() const { return exchange_; }
  bool StepsEnabled() const { return stepsEnabled_; }

  // Runs the port dialog; tests replace it.
  std::function<void(TML_RS&, QWidget*)> SelectPortDialog;
  // The windows of steps 2, 2a and 2b; tests replace them.
  std::function<bool(SettingsDocument&, QWidget*)> EditSettings;
  std::function<void(SettingsDocument&, QWidget*)> ViewJournals;
  std::function<void(SettingsDocument&, QWidget*)> ViewOscilloscope;
  // The carry-over window (choose the old file, see the account, Apply);
  // true when the settings were changed. Tests replace it.
  std::function<bool(SettingsDocument&, QWidget*)> CarryOverFromFile;
  // The changes window; tests replace it.
  std::function<void(QWidget*)> ShowChanges;
  // Opens the editor at one setting (a double click in the changes window);
  // true on OK. The editor's reveal-a-setting function belongs here.
  std::function<bool(SettingsDocument&, const std::string& setting, QWidget*)> EditSettingAt;
  // The question before a write when ShowChangesBeforeWrite is on: what the
  // write would change in the device; true for Write. Tests replace it.
  std::function<bool(const SettingsAccount&, QWidget*)> ConfirmWrite;

  // The changes window's "Show the changes before writing" (kept in the ini).
  bool ShowChangesBeforeWrite = false;
  // Settings whose value differs from the last read or load; -1 before any.
  int ChangedSinceRead() const;
  // The settings as last read or loaded, or nullptr.
  const SettingsDocument* ReadSettings() const { return readSettings_.get(); }

  // Sets every caption from the program-wide language flag.
  void ApplyLanguage();

  // Step 1 from a file: loads it, or says why not and keeps the settings held.
  bool LoadSettingsFile(const QString& path);

  enum class SaveResult { Saved, Cancelled, Failed };
  SaveResult SaveSettingsToFile();

  // The start sequence; runs once, when the window is first shown.
  void Start();

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void BuildControls();
  void CentreOnScreen();
  void SetStepsEnabled(bool enabled);
  void UpdateButtons();
  void BeginExchange();
  void EndExchange();
  void WriteIni();

  void RS232Click();
  void GetParamsClick();
  void LoadParamsClick();
  void EditParamsClick();
  void ViewJournalsClick();
  void ViewOscClick();
  void SaveParamsClick();
  void SetParamsClick();
  void EnglishVersionClick();
  void KeepAliveTick();
  void CreateLink();
  void SelectVariantQuietly();
  void ShowTransferError(const std::exception& e, const std::string& extra = {});
  void CarryOverClick();
  void ChangesClick();
  void RememberReadSettings();
  void UpdateChangedCount();
  void ShowChangesWindow();

  AppPaths paths_;
  LinkPlatform platform_;
  // The settings the steps work on, with their variant.
  std::unique_ptr<SettingsDocument> doc_;
  std::unique_ptr<TML_RS> link_;
  std::unique_ptr<TMKTransfer> transfer_;
  FileDialog openDialog_;
  FileDialog saveDialog_;
  bool started_ = false;
  bool stepsEnabled_ = false;
  bool exchange_ = false;
  bool closeAfterExchange_ = false;
  bool noPortDeferred_ = false;
  bool noPortShown_ = false;
  // A copy of the settings as last read or loaded, for the changes.
  std::unique_ptr<SettingsDocument> readSettings_;
  // The file the settings were loaded from (the report's header names it);
  // empty when they were read from the device.
  QString settingsSource_;
  QMenu* moreMenu_ = nullptr;
  struct ActionText {
    QAction* action;
    TextPair text;
  };
  std::vector<ActionText> actionTexts_;
};

}  // namespace tc
