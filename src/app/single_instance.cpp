// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace tc {

TJustOne::TJustOne(const QString& programFile, const QString& lockFolder) {
  QString folder = lockFolder;
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  QDir().mkpath(folder);
  lockPath_ = folder + "/" + QFileInfo(programFile).fileName() + ".lock";
  lock_ = std::make_unique<QLockFile>(lockPath_);
  // Only a lock whose owner process is gone counts as stale, however old.
  lock_->setStaleLockTime(0);
}

TJustOne::~TJustOne() {
  if (held_) lock_->unlock();
}

bool TJustOne::Acquire() {
  if (held_) return true;
  held_ = lock_->tryLock(0);
  return held_;
}

}  // namespace tc
