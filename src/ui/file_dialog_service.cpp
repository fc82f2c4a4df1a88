// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/file_dialog_service.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tc {
namespace {
QtFileDialogService g_qtService;
FileDialogService* g_service = nullptr;
}  // namespace

std::optional<QString> QtFileDialogService::Run(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog dlg(parent, request.caption, request.folder, request.filter);
  dlg.setDefaultSuffix(request.defaultSuffix);
  if (request.kind == FileDialogRequest::Kind::Open) {
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
  } else {
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    // The caller asks its own overwrite question in the program's language.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
  }
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dlg.selectedFiles();
  if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
  return files.front();
}

FileDialogService& FileDialogs() {
  return g_service ? *g_service : g_qtService;
}

void SetFileDialogService(FileDialogService* service) {
  g_service = service;
}

FileDialog::FileDialog(FileDialogRequest::Kind kind, QString filter, QString defaultSuffix)
    : kind_(kind), filter_(std::move(filter)), suffix_(std::move(defaultSuffix)) {}

std::optional<QString> FileDialog::Execute(QWidget* parent) {
  FileDialogRequest r;
  r.kind = kind_;
  r.folder = folder_;
  r.filter = filter_;
  r.defaultSuffix = suffix_;
  auto path = FileDialogs().Run(parent, r);
  if (path) folder_ = QFileInfo(*path).absolutePath();
  return path;
}

}  // namespace tc
