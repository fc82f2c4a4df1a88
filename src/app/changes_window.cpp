// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/changes_window.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/edit_settings.h"
#include "editor/settings_dlg.h"
#include "editor_core/edit_session.h"
#include "editor_core/settings_schema.h"
#include "model/settings_document.h"
#include "ui/dialog_folder.h"
#include "ui/dialog_placement.h"
#include "ui/file_dialog_service.h"
#include "ui/message_service.h"
#include "ui/qt_text.h"
#include "util/errors.h"

namespace tc {
namespace {

const TextPair kTitle{"Изменения настроек", "Settings changes"};
const TextPair kSinceRead{"С настройками, считанными последними (из МК или из файла)",
                          "With the settings as last read (from the device or a file)"};
const TextPair kWithFile{"С файлом настроек", "With a settings file"};
const TextPair kPickFile{"Выбрать файл...", "Choose a file..."};
const TextPair kShowBeforeWrite{"Показывать изменения перед записью",
                                "Show the changes before writing"};
const TextPair kClose{"Закрыть", "Close"};
const TextPair kSetting{"Настройка", "Setting"};
const TextPair kWas{"Было", "Was"};
const TextPair kNow{"Стало", "Now"};
const TextPair kInFile{"В файле", "In the file"};
const TextPair kCurrent{"Сейчас", "Now"};
const TextPair kChangedCount{"Изменено настроек: ", "Settings changed: "};
const TextPair kNoDifferences{"Отличий нет", "No differences"};
const TextPair kNothingRead{"Настройки ещё не считаны из МК или из файла",
                            "No settings have been read from the device or a file yet"};
const TextPair kNoFile{"Выберите файл настроек для сравнения",
                       "Choose a settings file to compare with"};
const TextPair kOtherBytes{"Другие байты, не входящие в настройки", "Other bytes, in no setting"};
const TextPair kRuns{"участков: ", "runs: "};
const TextPair kDoubleClick{"Двойной щелчок по строке открывает редактор на этой настройке",
                            "Double-click a row to open the editor at that setting"};

const TextPair kWriteTitle{"Запись настроек в МК", "Writing the settings to the device"};
const TextPair kWriteWill{"Запись изменит в МК следующие настройки:",
                          "The write will change these settings in the device:"};
const TextPair kWriteNothing{"Запись не изменит ни одной настройки в МК.",
                             "The write will change no setting in the device."};
const TextPair kInDevice{"В МК", "In the device"};
const TextPair kToWrite{"Будет записано", "To be written"};
const TextPair kWrite{"Записать", "Write"};
const TextPair kCancel{"Отмена", "Cancel"};

const char* const kSettingsFilter = "Файлы настроек (*.dvkps)";
// Wider values are cut (and shown whole in the tip), so that every column
// stays in sight.
constexpr int kWidestColumn = 240;

QString U(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

void FillAccountTree(QTreeWidget* tree, const SettingsAccount& account, bool carryOver) {
  tree->clear();
  for (const AccountPage& p : account.pages) {
    auto* page = new QTreeWidgetItem(tree, {U(p.caption)});
    QFont bold = page->font(0);
    bold.setBold(true);
    page->setFont(0, bold);
    page->setData(0, Qt::UserRole + 1, U(p.page));
    page->setFirstColumnSpanned(true);
    for (const AccountEntry& e : p.entries) {
      QStringList cells{U(e.label)};
      if (carryOver) cells << Q(OutcomeText(e.outcome));
      cells << U(e.from) << U(e.to);
      if (carryOver)
        cells << U(e.reason);
      else if (!e.reason.empty())
        cells.back() += " (" + U(e.reason) + ")";
      auto* row = new QTreeWidgetItem(page, cells);
      row->setData(0, Qt::UserRole, QString(e.def ? e.def->name : ""));
      // Long values (a hot menu's entries) are cut in the column; the tip
      // shows them whole.
      for (int c = 1; c < cells.size(); ++c) row->setToolTip(c, cells[c]);
      row->setToolTip(0, QString(e.def ? e.def->name : ""));
      if (carryOver && LeftOut(e.outcome)) row->setForeground(1, QBrush(Qt::darkRed));
    }
  }
  if (!account.bytes.empty()) {
    auto* bytes = new QTreeWidgetItem(tree, {Q(kOtherBytes)});
    bytes->setFirstColumnSpanned(true);
    new QTreeWidgetItem(bytes, {Q(kRuns) + QString::number(account.bytes.size())});
  }
  tree->expandAll();
  for (int c = 0; c < tree->columnCount(); ++c) {
    tree->resizeColumnToContents(c);
    tree->setColumnWidth(c, std::min(tree->columnWidth(c) + (c == 0 ? 12 : 0), kWidestColumn));
  }
}

TChangesWindow::TChangesWindow(SettingsDocument& current, const SettingsDocument* since,
                               bool& showBeforeWrite, QWidget* parent)
    : QDialog(parent), current_(current), since_(since), showBeforeWrite_(showBeforeWrite) {
  setObjectName("TChangesWindow");
  resize(760, 480);
  auto* layout = new QVBoxLayout(this);
  rbSinceRead = new QRadioButton(this);
  rbSinceRead->setObjectName("rbSinceRead");
  auto* fileRow = new QHBoxLayout;
  rbFile = new QRadioButton(this);
  rbFile->setObjectName("rbFile");
  bPickFile = new QPushButton(this);
  bPickFile->setObjectName("bPickFile");
  fileRow->addWidget(rbFile);
  fileRow->addWidget(bPickFile);
  fileRow->addStretch();
  lSummary = new QLabel(this);
  lSummary->setObjectName("lSummary");
  tvChanges = new QTreeWidget(this);
  tvChanges->setObjectName("tvChanges");
  tvChanges->setColumnCount(3);
  tvChanges->setRootIsDecorated(true);
  tvChanges->setUniformRowHeights(true);
  auto* bottom = new QHBoxLayout;
  cbShowBeforeWrite = new QCheckBox(this);
  cbShowBeforeWrite->setObjectName("cbShowBeforeWrite");
  cbShowBeforeWrite->setChecked(showBeforeWrite_);
  bClose = new QPushButton(this);
  bClose->setObjectName("bClose");
  bottom->addWidget(cbShowBeforeWrite);
  bottom->addStretch();
  bottom->addWidget(bClose);
  layout->addWidget(rbSinceRead);
  layout->addLayout(fileRow);
  layout->addWidget(lSummary);
  layout->addWidget(tvChanges, 1);
  layout->addLayout(bottom);

  rbSinceRead->setEnabled(since_ != nullptr);
  (since_ ? rbSinceRead : rbFile)->setChecked(true);
  connect(rbSinceRead, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Refresh();
  });
  connect(rbFile, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Refresh();
  });
  connect(bPickFile, &QPushButton::clicked, this, &TChangesWindow::PickFile);
  connect(cbShowBeforeWrite, &QCheckBox::toggled, this, [this](bool on) { showBeforeWrite_ = on; });
  connect(bClose, &QPushButton::clicked, this, &QDialog::accept);
  connect(tvChanges, &QTreeWidget::itemActivated, this, &TChangesWindow::RowActivated);
  EditAt = EditSettingsAt;
  ApplyLanguage();
  Refresh();
}

TChangesWindow::~TChangesWindow() = default;

void TChangesWindow::ApplyLanguage() {
  setWindowTitle(Q(kTitle));
  rbSinceRead->setText(Q(kSinceRead));
  rbFile->setText(Q(kWithFile));
  bPickFile->setText(Q(kPickFile));
  cbShowBeforeWrite->setText(Q(kShowBeforeWrite));
  bClose->setText(Q(kClose));
  tvChanges->setToolTip(Q(kDoubleClick));
}

void TChangesWindow::Refresh() {
  const bool english = EnglishVersion();
  const SettingsDocument* other = rbFile->isChecked() ? file_.get() : since_;
  const bool withFile = rbFile->isChecked();
  tvChanges->setHeaderLabels(
      {Q(kSetting), Q(withFile ? kInFile : kWas), Q(withFile ? kCurrent : kNow)});
  account_ = {};
  if (!other) {
    tvChanges->clear();
    lSummary->setText(Q(withFile ? kNoFile : kNothingRead));
    return;
  }
  // Comparing only reads; the documents are not changed.
  auto& from = const_cast<SettingsDocument&>(*other);
  const EditorContext a{from.Model(), from.Variant()};
  const EditorContext b{current_.Model(), current_.Variant()};
  account_ = ChangesAccount(a, b, english);
  FillAccountTree(tvChanges, account_, false);
  QString summary = account_.Entries() ? Q(kChangedCount) + QString::number(account_.Entries())
                                       : Q(kNoDifferences);
  if (withFile) summary += " — " + filePath_;
  lSummary->setText(summary);
}

bool TChangesWindow::CompareWithFile(const QString& path) {
  try {
    file_ = OpenSettingsDocument(QFile::encodeName(path).toStdString());
  } catch (const std::exception& e) {
    ShowError(e.what(), this);
    return false;
  }
  filePath_ = path;
  if (rbFile->isChecked())
    Refresh();
  else
    rbFile->setChecked(true);
  return true;
}

void TChangesWindow::PickFile() {
  FileDialogRequest r;
  r.kind = FileDialogRequest::Kind::Open;
  r.filter = kSettingsFilter;
  r.folder = DialogStartFolder();
  r.defaultSuffix = "dvkps";
  if (const auto path = FileDialogs().Run(this, r)) CompareWithFile(*path);
}

void TChangesWindow::RowActivated() {
  const QTreeWidgetItem* item = tvChanges->currentItem();
  if (!item || !EditAt) return;
  const std::string name = item->data(0, Qt::UserRole).toString().toStdString();
  if (name.empty()) return;
  if (EditAt(current_, name, this)) Refresh();
}

bool ConfirmWriteChanges(const SettingsAccount& changes, QWidget* parent) {
  QDialog dlg(parent);
  dlg.setObjectName("TWriteChangesDlg");
  dlg.setWindowTitle(Q(kWriteTitle));
  dlg.resize(720, 420);
  auto* layout = new QVBoxLayout(&dlg);
  auto* label =
      new QLabel(Q(changes.Entries() || !changes.bytes.empty() ? kWriteWill : kWriteNothing), &dlg);
  label->setObjectName("lWriteWill");
  auto* tree = new QTreeWidget(&dlg);
  tree->setObjectName("tvChanges");
  tree->setColumnCount(3);
  tree->setHeaderLabels({Q(kSetting), Q(kInDevice), Q(kToWrite)});
  FillAccountTree(tree, changes, false);
  auto* buttons = new QDialogButtonBox(&dlg);
  QPushButton* write = buttons->addButton(Q(kWrite), QDialogButtonBox::AcceptRole);
  write->setObjectName("bWrite");
  QPushButton* cancel = buttons->addButton(Q(kCancel), QDialogButtonBox::RejectRole);
  cancel->setObjectName("bCancel");
  cancel->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
  layout->addWidget(label);
  layout->addWidget(tree, 1);
  layout->addWidget(buttons);
  return dlg.exec() == QDialog::Accepted;
}

namespace {
// Turns every tab between the editor's top and the page to it.
void TurnToPage(TMK_SetParamsDlg& dlg, const char* page) {
  QWidget* w = dlg.Page(page);
  for (; w; w = w->parentWidget())
    for (QWidget* up = w->parentWidget(); up; up = up->parentWidget())
      if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
        const int i = tabs->indexOf(w);
        if (i >= 0) tabs->setCurrentIndex(i);
        break;
      }
}
}  // namespace

bool EditSettingsAt(SettingsDocument& doc, const std::string& setting, QWidget* parent) {
  return EditSettingsWith(doc, parent, [&](TMK_SetParamsDlg& dlg) {
    // The setting's page and every page above it, the control focused and
    // marked; a setting the editor does not show still turns to its page.
    if (!dlg.RevealSetting(QString::fromStdString(setting)))
      if (const SettingDef* d = FindSetting(setting)) TurnToPage(dlg, d->page);
  });
}

}  // namespace tc
