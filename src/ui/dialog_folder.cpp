// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialog_folder.h"

#include <QCoreApplication>

namespace tc {

namespace {
QString& Folder() {
  static QString folder;
  return folder;
}
}  // namespace

QString DialogStartFolder() {
  const QString& folder = Folder();
  return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void SetDialogStartFolder(const QString& folder) {
  Folder() = folder;
}

}  // namespace tc
