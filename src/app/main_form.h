// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMainForm: the program's main window and its numbered steps.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/app_paths.h"
#include "link/ml_rs_base.h"
#include "model/settings_document.h"
#include "ui/file_dialog_service.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace tc {

class TMK;

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
};

}  // namespace tc
