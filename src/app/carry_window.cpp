// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/carry_window.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/changes_window.h"
#include "editor_core/carry_over.h"
#include "editor_core/edit_session.h"
#include "model/settings_document.h"
#include "ui/dialog_folder.h"
#include "ui/file_dialog_service.h"
#include "ui/message_service.h"
#include "ui/qt_text.h"
#include "util/errors.h"

namespace tc {
namespace {

const TextPair kTitle{"Перенос настроек из файла", "Carrying settings over from a file"};
const TextPair kFrom{"Настройки из файла: ", "Settings from the file: "};
const TextPair kSetting{"Настройка", "Setting"};
const TextPair kInFile{"В файле", "In the file"};
const TextPair kResult{"Будет", "Will be"};
const TextPair kOutcome{"Итог", "Outcome"};
const TextPair kWhy{"Причина", "Reason"};
const TextPair kApply{"Применить", "Apply"};
const TextPair kCancel{"Отмена", "Cancel"};
const TextPair kSummary[] = {{"Переносится: ", "Carried: "},
                             {", остаётся как было: ", ", left as they are: "},
                             {", не показывается на этом МК: ", ", not shown on this device: "},
                             {", только в этих настройках: ", ", only in these settings: "}};
const TextPair kOnlyLeft{"Только то, что не переносится", "Only what does not come along"};
const TextPair kChooseOld{"Выберите файл с прежними настройками",
                          "Choose the file with the earlier settings"};

const char* const kSettingsFilter = "Файлы настроек (*.dvkps)";

}  // namespace

TCarryWindow::TCarryWindow(SettingsDocument& target, SettingsDocument& source,
                           const QString& sourcePath, QWidget* parent)
    : QDialog(parent), target_(target), source_(source) {
  setObjectName("TCarryWindow");
  setWindowTitle(Q(kTitle));
  resize(900, 520);
  auto* layout = new QVBoxLayout(this);
  lSource = new QLabel(Q(kFrom) + sourcePath, this);
  lSource->setObjectName("lSource");
  lSummary = new QLabel(this);
  lSummary->setObjectName("lSummary");
  lSummary->setWordWrap(true);
  tvAccount = new QTreeWidget(this);
  tvAccount->setObjectName("tvAccount");
  tvAccount->setColumnCount(5);
  tvAccount->setHeaderLabels({Q(kSetting), Q(kOutcome), Q(kInFile), Q(kResult), Q(kWhy)});
  tvAccount->setUniformRowHeights(true);
  auto* buttons = new QDialogButtonBox(this);
  bApply = buttons->addButton(Q(kApply), QDialogButtonBox::AcceptRole);
  bApply->setObjectName("bApply");
  bCancel = buttons->addButton(Q(kCancel), QDialogButtonBox::RejectRole);
  bCancel->setObjectName("bCancel");
  connect(bApply, &QPushButton::clicked, this, &TCarryWindow::ApplyClick);
  connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(lSource);
  layout->addWidget(lSummary);
  layout->addWidget(tvAccount, 1);
  cbOnlyLeft = new QCheckBox(Q(kOnlyLeft), this);
  cbOnlyLeft->setObjectName("cbOnlyLeft");
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(cbOnlyLeft);
  bottom->addWidget(buttons, 1);
  layout->addLayout(bottom);
  connect(cbOnlyLeft, &QCheckBox::toggled, this, &TCarryWindow::ShowOnlyLeft);

  // The account comes from a carry onto a copy; the settings themselves
  // change only on Apply.
  const bool english = EnglishVersion();
  auto copy = OpenSettingsDocument(target.Model().Image(), target.Model().DeviceVersion);
  TSettingsEditSession session(*copy);
  const EditorContext src{source.Model(), source.Variant()};
  account_ = CarryOver(src, session.Context(), english);
  session.Cancel();
  FillAccountTree(tvAccount, account_, true);
  size_t left = 0;
  for (const AccountPage& p : account_.pages)
    for (const AccountEntry& e : p.entries) left += LeftOut(e.outcome);
  lSummary->setText(Q(kSummary[0]) +
                    QString::number(account_.Count(AccountOutcome::Carried) +
                                    account_.Count(AccountOutcome::CarriedWithFile)) +
                    Q(kSummary[1]) + QString::number(left) + Q(kSummary[2]) +
                    QString::number(account_.Count(AccountOutcome::NotShown)) + Q(kSummary[3]) +
                    QString::number(account_.Count(AccountOutcome::TargetOnly)));
}

TCarryWindow::~TCarryWindow() = default;

void TCarryWindow::ShowOnlyLeft(bool only) {
  for (int i = 0; i < tvAccount->topLevelItemCount(); ++i) {
    QTreeWidgetItem* page = tvAccount->topLevelItem(i);
    int shown = 0;
    for (int k = 0; k < page->childCount(); ++k) {
      QTreeWidgetItem* row = page->child(k);
      const AccountEntry* e = account_.Find(row->data(0, Qt::UserRole).toString().toStdString());
      const bool hide =
          only && e &&
          (e->outcome == AccountOutcome::Carried || e->outcome == AccountOutcome::CarriedWithFile);
      row->setHidden(hide);
      shown += !hide;
    }
    page->setHidden(shown == 0);
  }
}

void TCarryWindow::ApplyClick() {
  try {
    TSettingsEditSession session(target_);
    const EditorContext src{source_.Model(), source_.Variant()};
    CarryOver(src, session.Context(), EnglishVersion());
    session.Accept();
  } catch (const std::exception& e) {
    // The session put the blocks back: the settings are as they were.
    ShowError(e.what(), this);
    return;
  }
  accept();
}

bool CarrySettingsFrom(SettingsDocument& target, const QString& path, QWidget* parent) {
  std::unique_ptr<SettingsDocument> source;
  std::unique_ptr<TCarryWindow> window;
  try {
    source = OpenSettingsDocument(QFile::encodeName(path).toStdString());
    window = std::make_unique<TCarryWindow>(target, *source, path, parent);
  } catch (const std::exception& e) {
    ShowError(e.what(), parent);
    return false;
  }
  return window->exec() == QDialog::Accepted;
}

bool CarrySettingsFromFile(SettingsDocument& target, QWidget* parent) {
  FileDialogRequest r;
  r.kind = FileDialogRequest::Kind::Open;
  r.caption = Q(kChooseOld);
  r.folder = DialogStartFolder();
  r.filter = kSettingsFilter;
  r.defaultSuffix = "dvkps";
  const auto path = FileDialogs().Run(parent, r);
  return path && CarrySettingsFrom(target, *path, parent);
}

}  // namespace tc
