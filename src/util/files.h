// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file reading and crash-safe writing.
#include <cstdint>
#include <string>
#include <vector>

namespace tc {

// Reads a whole file; throws FileError naming the file and the reason.
// Files larger than maxBytes are refused before they are read.
std::vector<uint8_t> ReadWholeFile(const std::string& path, uint64_t maxBytes = UINT64_MAX);

// Writes to a temporary file in the target's folder, flushes it and renames it
// over the target, so a failure never leaves a half-written or lost file.
void WriteFileAtomic(const std::string& path, const void* data, size_t size);
inline void WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes) {
  WriteFileAtomic(path, bytes.data(), bytes.size());
}
inline void WriteFileAtomic(const std::string& path, const std::string& text) {
  WriteFileAtomic(path, text.data(), text.size());
}

bool FileExists(const std::string& path);

}  // namespace tc
