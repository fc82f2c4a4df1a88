// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Only one copy of the program runs at a time. The guard is a lock file named
// after the program file; a copy that crashed leaves a lock whose owner no
// longer exists, and the next start takes it over.
#include <QString>
#include <memory>

class QLockFile;

namespace tc {

class TJustOne {
 public:
  // lockFolder empty: the user's runtime folder (or the temporary folder).
  explicit TJustOne(const QString& programFile, const QString& lockFolder = QString());
  ~TJustOne();
  TJustOne(const TJustOne&) = delete;
  TJustOne& operator=(const TJustOne&) = delete;

  // True if this copy is the only one; the lock is kept until destruction.
  bool Acquire();
  bool Held() const { return held_; }
  const QString& LockPath() const { return lockPath_; }

 private:
  QString lockPath_;
  std::unique_ptr<QLockFile> lock_;
  bool held_ = false;
};

}  // namespace tc
