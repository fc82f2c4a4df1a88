// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/side_file_buttons.h"

#include <QFile>
#include <QPushButton>
#include <memory>

#include "editor/settings_binder.h"
#include "model/side_file.h"
#include "model/tmk.h"
#include "ui/dialog_folder.h"
#include "ui/file_dialog_service.h"
#include "ui/message_service.h"
#include "util/files.h"

namespace tc {

namespace {

const TextPair kOverwriteQuestion{"Файл уже существует. Переписать?",
                                  "The file already exists. Rewrite it?"};

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

void Save(QWidget* parent, TSettingsBinder& b, const SideFileFormat& format, FileDialog& dialog) {
  // An edit still held by a control belongs in the file.
  if (!b.CommitPending()) return;
  const auto path = dialog.Execute(parent);
  if (!path) return;
  const std::string local = LocalPath(*path);
  if (FileExists(local) && !AskYesNo(kOverwriteQuestion(), parent)) return;
  try {
    WriteSideFile(b.Context().mk, format, local);
  } catch (const std::exception& e) {
    ShowError(e.what(), parent);
  }
}

void Load(QWidget* parent, TSettingsBinder& b, const SideFileFormat& format, FileDialog& dialog) {
  const auto path = dialog.Execute(parent);
  if (!path) return;
  const std::string local = LocalPath(*path);
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadSideFile(format, local);
  } catch (const std::exception& e) {
    ShowError(e.what(), parent);
    return;
  }
  if (bytes.size() < format.size &&
      !AskYesNo(ShortSideFileQuestion(format, local, bytes.size()), parent))
    return;
  ApplySideFileBytes(b.Context().mk, format, bytes);
  // Other pages show fields of the same blocks.
  b.Reload();
}

}  // namespace

SideFileButtons NewSideFileButtons(QWidget* parent, TSettingsBinder& b,
                                   const SideFileFormat& format, const QString& saveName,
                                   TextPair saveText, const QString& loadName, TextPair loadText) {
  const QString filter = QString::fromUtf8(format.filter);
  const QString suffix = QString::fromUtf8(format.extension);
  const QString folder = DialogStartFolder();
  auto saveDialog = std::make_shared<FileDialog>(FileDialogRequest::Kind::Save, filter, suffix);
  auto openDialog = std::make_shared<FileDialog>(FileDialogRequest::Kind::Open, filter, suffix);
  saveDialog->SetInitialFolder(folder);
  openDialog->SetInitialFolder(folder);

  SideFileButtons buttons{new QPushButton(parent), new QPushButton(parent)};
  buttons.save->setObjectName(saveName);
  buttons.load->setObjectName(loadName);
  buttons.save->setAutoDefault(false);
  buttons.load->setAutoDefault(false);
  b.AddText(buttons.save, saveText);
  b.AddText(buttons.load, loadText);
  const SideFileFormat* f = &format;
  QObject::connect(buttons.save, &QPushButton::clicked, parent,
                   [parent, &b, f, saveDialog] { Save(parent, b, *f, *saveDialog); });
  QObject::connect(buttons.load, &QPushButton::clicked, parent,
                   [parent, &b, f, openDialog] { Load(parent, b, *f, *openDialog); });
  return buttons;
}

}  // namespace tc
