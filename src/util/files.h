// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file reading and crash-safe writing.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "util/errors.h"

namespace tc {

// A file the system would not open, read, create or write: what() is our
// sentence; the file's name and the system's own reason are kept apart for
// callers whose message has a form of its own.
class FileAccessError : public FileError {
 public:
  FileAccessError(const std::string& what, std::string path, std::string reason)
      : FileError(what), path_(std::move(path)), reason_(std::move(reason)) {}
  const std::string& Path() const { return path_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string path_, reason_;
};

// Reads a whole file; throws FileAccessError naming the file and the reason.
// Files larger than maxBytes are refused before they are read.
std::vector<uint8_t> ReadWholeFile(const std::string& path, uint64_t maxBytes = UINT64_MAX);

// Writes to a temporary file in the target's folder, flushes it and renames it
// over the target, so a failure never leaves a half-written or lost file.
// Throws FileAccessError.
void WriteFileAtomic(const std::string& path, const void* data, size_t size);
inline void WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes) {
  WriteFileAtomic(path, bytes.data(), bytes.size());
}
inline void WriteFileAtomic(const std::string& path, const std::string& text) {
  WriteFileAtomic(path, text.data(), text.size());
}

bool FileExists(const std::string& path);

}  // namespace tc
