// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tc {

AppPaths PathsForProgram(const QString& programFile) {
  AppPaths p;
  const QFileInfo program(programFile);
  p.programFile = program.absoluteFilePath();
  p.programDir = QDir::cleanPath(program.absolutePath());
  const QString iniName = program.completeBaseName() + ".ini";
  const QString beside = p.programDir + "/" + iniName;
  const QFileInfo besideInfo(beside);
  const bool writable =
      besideInfo.exists() ? besideInfo.isWritable() : QFileInfo(p.programDir).isWritable();
  // An installed program keeps no ini in the system's folders, even when it
  // runs as root and could write there.
  const bool systemFolder = p.programDir.startsWith("/usr/") || p.programDir.startsWith("/opt/") ||
                            p.programDir == "/bin" || p.programDir == "/sbin";
  if (writable && !systemFolder) {
    p.iniPath = beside;
    p.iniBesideProgram = true;
    p.dialogFolder = p.programDir;
    return p;
  }
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (config.isEmpty()) config = QDir::homePath() + "/.config";
  const QString folder = config + "/" + program.completeBaseName();
  QDir().mkpath(folder);
  p.iniPath = folder + "/" + iniName;
  p.iniBesideProgram = false;
  p.dialogFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (p.dialogFolder.isEmpty() || !QFileInfo(p.dialogFolder).isDir())
    p.dialogFolder = QDir::homePath();
  return p;
}

AppPaths DefaultAppPaths() {
  return PathsForProgram(QCoreApplication::applicationFilePath());
}

bool EnterProgramFolder(const AppPaths& paths) {
  return QDir::setCurrent(paths.programDir);
}

}  // namespace tc
