// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "app/application.h"
#include "app/carry_window.h"
#include "app/changes_window.h"
#include "app/gui_link.h"
#include "app/picture_strip.h"
#include "app/placement.h"
#include "app/port_dialog.h"
#include "app/progress_form.h"
#include "app/report_actions.h"
#include "app/step_windows.h"
#include "editor_core/settings_report.h"
#include "link/mk_transfer.h"
#include "link/ml_rs.h"
#include "link/port_texts.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "ui/dialog_folder.h"
#include "ui/message_service.h"
#include "ui/page_layout.h"
#include "ui/qt_text.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/ini_file.h"
#include "util/text_pair.h"

namespace tc {
namespace {

// --- Texts -----------------------------------------------------------------------
const TextPair kCaption{"Просмотр и настройка параметров МК (Версия 04.10.24)",
                        "Viewing and configuring trip computer parameters (Version 04.10.24)"};
const TextPair kLabel5{
    "Внимание! Для правильной работы программы НЕОБХОДИМО предварительно загрузить в МК "
    "последнюю версию ПО.",
    "Attention! For the program to work correctly, you MUST first download the latest version "
    "of the software to the device."};
const TextPair kRS232{"Выбрать СОМ-порт", "Select a COM port"};
const TextPair kGroupBox1{"Шаг 1", "Step 1"};
const TextPair kLabel2{
    "Для адекватного отображения возможных вариантов настроек считайте текущие настройки МК.",
    "For an adequate display of possible settings, read the current settings of the device."};
const TextPair kGetParams{"Считать настройки из МК", "Read settings from the device"};
const TextPair kLabel6{
    "или, если Вы ранее уже сохраняли настройки на диск, считайте файл с диска.",
    "or, if you have previously saved the settings to disk, read the file from disk."};
const TextPair kLoadParams{"Считать настройки из файла на диске",
                           "Read settings from a file on disk"};
const TextPair kGroupBox2{"Шаг 2", "Step 2"};
const TextPair kLabel3{"Произведите изменения настроек.", "Make changes to the settings."};
const TextPair kEditParams{"Редактировать настройки", "Edit settings"};
const TextPair kGroupBox5{"Шаг 2a", "Step 2a"};
const TextPair kLabel7{"Просмотрите журналы поездок, заправок и ошибок",
                       "View the logs of trips, gas stations and faults"};
const TextPair kViewJournals{"Просмотреть журналы", "View logs"};
const TextPair kGroupBox6{"Шаг 2b", "Step 2b"};
const TextPair kLabel8{"Просмотрите записанные данные осциллографа",
                       "View the recorded data of the oscilloscope"};
const TextPair kViewOsc{"Просмотреть данные осциллографа", "View the oscilloscope data"};
const TextPair kGroupBox3{"Шаг 3", "Step 3"};
const TextPair kLabel4{
    "Для возможности повторного просмотра или редактирования сохраните настройки на диск.",
    "To be able to view or edit the settings again, save the settings to disk."};
const TextPair kSaveParams{"Сохранить настройки в файл на диске",
                           "Save the settings to a file on disk"};
const TextPair kGroupBox4{"Шаг 4", "Step 4"};
const TextPair kLabel1{"Запишите настройки в МК", "Write the settings to the device"};
const TextPair kSetParams{"Записать настройки в МК", "Write the settings to the device"};
const char* const kEnglishLanguage = "English language";
const TextPair kMoreActions{"Дополнительные действия", "Additional actions"};
const TextPair kCarryOver{"Перенести настройки из файла...", "Carry settings over from a file..."};
const TextPair kChanges{"Изменения настроек...", "Settings changes..."};
const TextPair kChangedCount{"Изменено после чтения:", "Changed since the read:"};

const TextPair kUnsavedQuestion{
    "Возможно, настройки были изменены, но не сохранены на диске. Сохранить?",
    "It is possible that the settings were changed, but not saved to disk. Save it?"};
const TextPair kOverwriteQuestion{"Файл уже существует. Переписать?",
                                  "The file already exists. Rewrite it?"};

// The same filter in both languages.
const char* const kSettingsFilter = "Файлы настроек (*.dvkps)";
const char* const kSettingsSuffix = "dvkps";

constexpr int kClientWidth = 810;
constexpr int kClientHeight = 417;
constexpr int kKeepAliveMs = 30000;
constexpr uint32_t kLineSpeed = 19200;
constexpr int kRs485WithEcho = 2;
constexpr uint16_t kFirstByteMs = 100;

// File names go to the core in the system's own encoding.
std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QFont Bold(QFont f) {
  f.setBold(true);
  return f;
}

}  // namespace

TMainForm::TMainForm(AppPaths paths, LinkPlatform platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      SelectPortDialog([](TML_RS& link, QWidget* parent) { tc::SelectPortDialog(link, parent); }),
      EditSettings(tc::EditSettings),
      ViewJournals([this](SettingsDocument& doc, QWidget* parent) {
        tc::ViewJournals(doc, paths_.dialogFolder, parent);
      }),
      ViewOscilloscope(tc::ViewOscilloscope),
      CarryOverFromFile(CarrySettingsFromFile),
      ShowChanges([this](QWidget*) { ShowChangesWindow(); }),
      EditSettingAt(EditSettingsAt),
      ConfirmWrite(ConfirmWriteChanges),
      paths_(std::move(paths)),
      platform_(platform.ListPorts ? std::move(platform) : GuiLinkPlatform()),
      doc_(std::make_unique<SettingsDocument>()),
      openDialog_(FileDialogRequest::Kind::Open, kSettingsFilter, kSettingsSuffix),
      saveDialog_(FileDialogRequest::Kind::Save, kSettingsFilter, kSettingsSuffix) {
  setObjectName("MainForm");
  setFixedSize(kClientWidth, kClientHeight);
  // The classic 8-point dialog font is 11 pixels high at 96 dpi.
  QFont f = font();
  f.setPixelSize(11);
  setFont(f);
  BuildControls();
  KeepAliveTimer = new QTimer(this);
  KeepAliveTimer->setObjectName("KeepAliveTimer");
  KeepAliveTimer->setInterval(kKeepAliveMs);
  connect(KeepAliveTimer, &QTimer::timeout, this, &TMainForm::KeepAliveTick);
  SetStepsEnabled(false);
  ApplyLanguage();
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildControls() {
  QFont normal = font();
  // Set explicitly so that labels inside the bold step groups stay regular.
  normal.setBold(false);
  const QFont bold = Bold(normal);

  auto label = [&](QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(x, y, w, h);
    l->setFont(normal);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(true);
    return l;
  };
  auto button = [&](QWidget* parent, const char* name, int x, int y, int w, int h,
                    void (TMainForm::*click)()) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    b->setFont(bold);
    b->setAutoDefault(false);
    if (click) connect(b, &QPushButton::clicked, this, click);
    return b;
  };
  auto group = [&](const char* name, int x, int y, int w, int h) {
    auto* g = new QGroupBox(this);
    g->setObjectName(name);
    g->setGeometry(x, y, w, h);
    g->setFont(bold);
    // Caption on the frame line, so the group's inside starts where the
    // positions of its controls expect it to.
    ApplyGroupStyle(g);
    return g;
  };

  Label5 = label(this, "Label5", 8, 8, 393, 49);
  Label5->setFont(bold);
  Label5->setAlignment(Qt::AlignCenter);
  QPalette red = Label5->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  Label5->setPalette(red);

  bRS232 = button(this, "bRS232", 8, 104, 393, 25, &TMainForm::RS232Click);

  GroupBox1 = group("GroupBox1", 8, 144, 393, 177);
  Label2 = label(GroupBox1, "Label2", 40, 16, 313, 49);
  bGetParams = button(GroupBox1, "bGetParams", 8, 64, 377, 25, &TMainForm::GetParamsClick);
  Label6 = label(GroupBox1, "Label6", 40, 104, 313, 33);
  bLoadParams = button(GroupBox1, "bLoadParams", 8, 144, 377, 25, &TMainForm::LoadParamsClick);

  GroupBox2 = group("GroupBox2", 8, 328, 393, 81);
  Label3 = label(GroupBox2, "Label3", 40, 16, 313, 25);
  bEditParams = button(GroupBox2, "bEditParams", 8, 48, 377, 25, &TMainForm::EditParamsClick);

  GroupBox5 = group("GroupBox5", 408, 25, 393, 81);
  Label7 = label(GroupBox5, "Label7", 40, 16, 313, 25);
  bViewJournals = button(GroupBox5, "bViewJournals", 8, 48, 377, 25, &TMainForm::ViewJournalsClick);

  GroupBox6 = group("GroupBox6", 408, 113, 393, 81);
  Label8 = label(GroupBox6, "Label8", 40, 16, 313, 25);
  bViewOsc = button(GroupBox6, "bViewOsc", 8, 48, 377, 25, &TMainForm::ViewOscClick);

  GroupBox3 = group("GroupBox3", 408, 200, 393, 89);
  Label4 = label(GroupBox3, "Label4", 40, 16, 313, 33);
  bSaveParams = button(GroupBox3, "bSaveParams", 8, 56, 377, 25, &TMainForm::SaveParamsClick);

  GroupBox4 = group("GroupBox4", 408, 296, 393, 81);
  Label1 = label(GroupBox4, "Label1", 40, 16, 313, 25);
  bSetParams = button(GroupBox4, "bSetParams", 8, 48, 377, 25, &TMainForm::SetParamsClick);

  cbEnglishVersion = new QCheckBox(kEnglishLanguage, this);
  cbEnglishVersion->setObjectName("cbEnglishVersion");
  cbEnglishVersion->setGeometry(672, 8, 129, 17);
  cbEnglishVersion->setFont(bold);
  connect(cbEnglishVersion, &QCheckBox::clicked, this, &TMainForm::EnglishVersionClick);

  bMoreActions = button(this, "bMoreActions", 8, 68, 393, 25, nullptr);
  moreMenu_ = new QMenu(bMoreActions);
  moreMenu_->setObjectName("MoreActionsMenu");
  moreMenu_->setFont(normal);
  bMoreActions->setMenu(moreMenu_);
  actCarryOver = AddAdditionalAction("actCarryOver", kCarryOver, [this] { CarryOverClick(); });
  actChanges = AddAdditionalAction("actChanges", kChanges, [this] { ChangesClick(); });
  moreMenu_->addSeparator();
  AddAdditionalAction("actSaveReport", kSaveReportAction,
                      [this] { SaveSettingsReport(this, *doc_, settingsSource_); });
  AddAdditionalAction("actPrintReport", kPrintReportAction,
                      [this] { PrintSettingsReport(this, *doc_, settingsSource_); });

  lChangedCount = label(this, "lChangedCount", 408, 384, 148, 28);
  lChangedCount->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lChangedCount->hide();

  Picture = new TPictureStrip(this);
  Picture->setObjectName("Picture");
  Picture->setGeometry(560, 376, 240, 40);
}

void TMainForm::ApplyLanguage() {
  UseQtTranslations(EnglishVersion());
  setWindowTitle(Q(kCaption));
  Label5->setText(Q(kLabel5));
  bRS232->setText(Q(kRS232));
  GroupBox1->setTitle(Q(kGroupBox1));
  Label2->setText(Q(kLabel2));
  bGetParams->setText(Q(kGetParams));
  Label6->setText(Q(kLabel6));
  bLoadParams->setText(Q(kLoadParams));
  GroupBox2->setTitle(Q(kGroupBox2));
  Label3->setText(Q(kLabel3));
  bEditParams->setText(Q(kEditParams));
  GroupBox5->setTitle(Q(kGroupBox5));
  Label7->setText(Q(kLabel7));
  bViewJournals->setText(Q(kViewJournals));
  GroupBox6->setTitle(Q(kGroupBox6));
  Label8->setText(Q(kLabel8));
  bViewOsc->setText(Q(kViewOsc));
  GroupBox3->setTitle(Q(kGroupBox3));
  Label4->setText(Q(kLabel4));
  bSaveParams->setText(Q(kSaveParams));
  GroupBox4->setTitle(Q(kGroupBox4));
  Label1->setText(Q(kLabel1));
  bSetParams->setText(Q(kSetParams));
  bMoreActions->setText(Q(kMoreActions));
  for (const ActionText& a : actionTexts_) a.action->setText(Q(a.text));
  UpdateChangedCount();
}

QAction* TMainForm::AddAdditionalAction(const char* name, TextPair text,
                                        std::function<void()> run) {
  QAction* a = moreMenu_->addAction(Q(text));
  a->setObjectName(name);
  connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
  actionTexts_.push_back({a, text});
  return a;
}

// --- Start and close -----------------------------------------------------------------

void TMainForm::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (!started_) {
    Start();
    CentreOnScreen();
  }
}

void TMainForm::Start() {
  if (started_) return;
  started_ = true;
  EnterProgramFolder(paths_);
  TMIniFile ini(paths_.iniPath.toStdString());
  // The language first, so that whatever the link has to say is in it.
  ini.ReadBool("Common", "Auto", false);  // kept for older copies; not used
  SetEnglishVersion(ini.ReadBool("Common", "EnglishVersion", false));
  CreateLink();
  link_->LoadLinkSettings(ini);
  if (noPortDeferred_ && link_->PortCount == 0 && !noPortShown_) ShowError(kNoFreePortText, this);
  noPortDeferred_ = false;
  link_->SetPortType(kRs485WithEcho);
  link_->FirstByteTimeout = kFirstByteMs;
  link_->SetBaudRate(kLineSpeed);
  doc_ = std::make_unique<SettingsDocument>(EnglishVersion());
  LoadPlacement(ini, "MainWindow", *this, false);
  openDialog_.SetInitialFolder(paths_.dialogFolder);
  saveDialog_.SetInitialFolder(paths_.dialogFolder);
  // The side-file dialogs of the editor's pages start there too.
  SetDialogStartFolder(paths_.dialogFolder);
  ShowChangesBeforeWrite = ini.ReadBool("Common", "ShowChangesBeforeWrite", false);
  SettingsChanged = false;
  cbEnglishVersion->setChecked(EnglishVersion());
  ApplyLanguage();
}

void TMainForm::CreateLink() {
  // The port list may still grow by the ini's extra ports, so "no port at
  // all" is only said once the link has read its section.
  LinkPlatform p = platform_;
  auto show = p.ShowError;
  p.ShowError = [this, show](const std::string& text) {
    if (!link_) {
      noPortDeferred_ = true;
      return;
    }
    noPortShown_ = true;
    if (show) show(text);
  };
  link_ = std::make_unique<TML_RS>(std::move(p));
  // Outside transfers (the keep-alive) the window keeps painting.
  link_->pump = [] { QCoreApplication::processEvents(); };
  transfer_ = std::make_unique<TMKTransfer>(*link_);
}

void TMainForm::CentreOnScreen() {
  QScreen* s = screen();
  if (!s) s = QGuiApplication::primaryScreen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  const QSize frame = frameGeometry().size();
  move(area.x() + (area.width() - frame.width()) / 2,
       area.y() + (area.height() - frame.height()) / 2);
}

void TMainForm::closeEvent(QCloseEvent* e) {
  if (exchange_) {
    // Closing in the middle of an exchange would free the link under it;
    // close as soon as it ends.
    closeAfterExchange_ = true;
    e->ignore();
    return;
  }
  if (SettingsChanged && AskYesNo(kUnsavedQuestion(), this)) {
    // A cancelled save dialog still closes; a save that failed does not, or
    // the changes would be lost without the user having chosen so.
    if (SaveSettingsToFile() == SaveResult::Failed) {
      e->ignore();
      return;
    }
  }
  KeepAliveTimer->stop();
  WriteIni();
  e->accept();
}

void TMainForm::WriteIni() {
  if (!started_) return;
  EnterProgramFolder(paths_);
  try {
    TMIniFile ini(paths_.iniPath.toStdString());
    link_->SaveLinkSettings(ini);
    ini.WriteBool("Common", "Auto", false);
    ini.WriteBool("Common", "EnglishVersion", EnglishVersion());
    ini.WriteBool("Common", "ShowChangesBeforeWrite", ShowChangesBeforeWrite);
    SavePlacement(ini, "MainWindow", *this);
    ini.Save();
  } catch (const std::exception& e) {
    ShowError(e.what(), this);
  }
}

// --- Step buttons and exchanges ------------------------------------------------------

void TMainForm::SetStepsEnabled(bool enabled) {
  stepsEnabled_ = enabled;
  // Without settings there is nothing changed to count.
  if (!enabled) lChangedCount->hide();
  UpdateButtons();
}

void TMainForm::UpdateButtons() {
  // While an exchange runs nothing may start another one or touch the model.
  const bool idle = !exchange_;
  bRS232->setEnabled(idle);
  bGetParams->setEnabled(idle);
  bLoadParams->setEnabled(idle);
  for (QPushButton* b :
       {bEditParams, bViewJournals, bViewOsc, bSaveParams, bSetParams, bMoreActions})
    b->setEnabled(idle && stepsEnabled_);
}

void TMainForm::BeginExchange() {
  exchange_ = true;
  KeepAliveTimer->stop();
  UpdateButtons();
}

void TMainForm::EndExchange() {
  exchange_ = false;
  UpdateButtons();
  if (closeAfterExchange_) {
    closeAfterExchange_ = false;
    QTimer::singleShot(0, this, &QWidget::close);
  }
}

void TMainForm::EnglishVersionClick() {
  SetEnglishVersion(cbEnglishVersion->isChecked());
  ApplyLanguage();
}

uint8_t TMainForm::DeviceAddress() const {
  return transfer_ ? transfer_->DeviceAddress : 0;
}

uint32_t TMainForm::DeviceMemorySize() const {
  return transfer_ ? transfer_->DeviceMemorySize : 0;
}

void TMainForm::RS232Click() {
  if (exchange_ || !link_) return;
  if (SelectPortDialog) SelectPortDialog(*link_, this);
  link_->SetBaudRate(kLineSpeed);
}

void TMainForm::ShowTransferError(const std::exception& e, const std::string& extra) {
  std::string text = e.what();
  // "No link" says nothing about why; the port that could not be opened does.
  if (!link_->PortOpen && !link_->LastOpenError().empty()) text += "\n" + link_->LastOpenError();
  if (!extra.empty()) text += "\n" + extra;
  ShowError(text, this);
}

void TMainForm::GetParamsClick() {
  if (exchange_ || !link_) return;
  if (SettingsChanged && AskYesNo(kUnsavedQuestion(), this)) {
    // The read replaces the settings; if they could not be saved, keep them.
    if (SaveSettingsToFile() == SaveResult::Failed) return;
  }
  link_->SetBaudRate(kLineSpeed);
  BeginExchange();
  {
    TProgressForm progress(this);
    GuiTransferObserver observer(progress);
    progress.Start();
    try {
      if (transfer_->ReadDeviceSettings(Model(), observer) == TransferResult::Done) {
        SetStepsEnabled(true);
        Model().DecodeSettingsBlocks();
        SelectVariantQuietly();
        settingsSource_.clear();
        RememberReadSettings();
      }
    } catch (const std::exception& e) {
      progress.hide();
      ShowTransferError(e);
      SetStepsEnabled(false);
    }
  }
  EndExchange();
  KeepAliveTimer->start();
}

void TMainForm::SetParamsClick() {
  if (exchange_ || !link_) return;
  link_->SetBaudRate(kLineSpeed);
  BeginExchange();
  {
    TProgressForm progress(this);
    GuiTransferObserver observer(progress);
    progress.Start();
    WriteReport report;
    if (ShowChangesBeforeWrite && ConfirmWrite) {
      // After the device's image was read and before the first write
      // command: what the write would change in the device.
      transfer_->BeforeWrite = [this](const std::vector<uint8_t>& device,
                                      const std::vector<uint8_t>& toWrite, uint16_t version) {
        const auto held = OpenSettingsDocument(device, version);
        const auto sent = OpenSettingsDocument(toWrite, version);
        const EditorContext a{held->Model(), held->Variant()};
        const EditorContext b{sent->Model(), sent->Variant()};
        return ConfirmWrite(ChangesAccount(a, b, EnglishVersion()), this);
      };
    }
    try {
      transfer_->WriteDeviceSettings(Model(), observer, &report);
      transfer_->BeforeWrite = nullptr;
    } catch (const std::exception& e) {
      transfer_->BeforeWrite = nullptr;
      progress.hide();
      // After the backup the device may hold half of the new settings; say
      // where its previous ones are.
      std::string extra;
      if (!report.BackupPath.empty()) extra = kBackupSavedText() + ":\n" + report.BackupPath;
      ShowTransferError(e, extra);
    }
  }
  EndExchange();
  KeepAliveTimer->start();
}

void TMainForm::KeepAliveTick() {
  if (exchange_ || !link_) return;
  BeginExchange();
  try {
    transfer_->QueryVersion();
  } catch (...) {
    // The device may be unplugged between steps; nothing to tell.
  }
  EndExchange();
  KeepAliveTimer->start();
}

void TMainForm::SelectVariantQuietly() {
  // The settings' variant follows them at once; an identity it cannot be
  // selected for is reported when a step that needs it opens.
  doc_->TrySelectVariant();
}

void TMainForm::LoadParamsClick() {
  const auto path = openDialog_.Execute(this);
  if (path) LoadSettingsFile(*path);
}

bool TMainForm::LoadSettingsFile(const QString& path) {
  try {
    ReadSettingsFile(Model(), LocalPath(path));
  } catch (const std::exception& e) {
    // The model is as it was, so whatever the steps could do they still can.
    ShowError(e.what(), this);
    return false;
  }
  try {
    SetStepsEnabled(true);
    Model().DecodeSettingsBlocks();
    SelectVariantQuietly();
  } catch (const std::exception& e) {
    ShowError(e.what(), this);
    SetStepsEnabled(false);
    return false;
  }
  settingsSource_ = path;
  RememberReadSettings();
  return true;
}

TMainForm::SaveResult TMainForm::SaveSettingsToFile() {
  const auto path = saveDialog_.Execute(this);
  if (!path) return SaveResult::Cancelled;
  if (FileExists(LocalPath(*path)) && !AskYesNo(kOverwriteQuestion(), this))
    return SaveResult::Cancelled;
  try {
    WriteSettingsFile(Model(), LocalPath(*path));
  } catch (const std::exception& e) {
    ShowError(e.what(), this);
    return SaveResult::Failed;
  }
  SetStepsEnabled(true);
  SettingsChanged = false;
  return SaveResult::Saved;
}

void TMainForm::SaveParamsClick() {
  SaveSettingsToFile();
}

void TMainForm::EditParamsClick() {
  if (EditSettings && EditSettings(*doc_, this)) SettingsChanged = true;
  UpdateChangedCount();
}

// --- Additional actions ----------------------------------------------------------------

void TMainForm::RememberReadSettings() {
  try {
    readSettings_ = OpenSettingsDocument(Model().Image(), Model().DeviceVersion);
  } catch (const std::exception&) {
    // Settings the steps cannot show have nothing to compare with.
    readSettings_.reset();
  }
  UpdateChangedCount();
}

int TMainForm::ChangedSinceRead() const {
  if (!readSettings_ || !stepsEnabled_) return -1;
  auto& read = *readSettings_;
  const EditorContext a{read.Model(), read.Variant()};
  const EditorContext b{doc_->Model(), doc_->Variant()};
  return int(ChangesAccount(a, b, EnglishVersion()).Entries());
}

void TMainForm::UpdateChangedCount() {
  const int n = ChangedSinceRead();
  lChangedCount->setVisible(n >= 0);
  if (n >= 0) lChangedCount->setText(Q(kChangedCount) + " " + QString::number(n));
}

void TMainForm::CarryOverClick() {
  if (exchange_ || !stepsEnabled_ || !CarryOverFromFile) return;
  if (CarryOverFromFile(*doc_, this)) SettingsChanged = true;
  UpdateChangedCount();
}

void TMainForm::ChangesClick() {
  if (exchange_ || !stepsEnabled_ || !ShowChanges) return;
  ShowChanges(this);
  UpdateChangedCount();
}

void TMainForm::ShowChangesWindow() {
  TChangesWindow w(*doc_, readSettings_.get(), ShowChangesBeforeWrite, this);
  w.EditAt = [this](SettingsDocument& doc, const std::string& setting, QWidget* parent) {
    const bool accepted = EditSettingAt && EditSettingAt(doc, setting, parent);
    if (accepted) SettingsChanged = true;
    return accepted;
  };
  w.exec();
}

void TMainForm::ViewJournalsClick() {
  if (ViewJournals) ViewJournals(*doc_, this);
}

void TMainForm::ViewOscClick() {
  if (ViewOscilloscope) ViewOscilloscope(*doc_, this);
}

}  // namespace tc
