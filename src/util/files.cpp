// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "util/errors.h"
#include "util/text_pair.h"

namespace tc {
namespace fs = std::filesystem;

namespace {
std::string Reason() {
  return std::strerror(errno);
}

const TextPair kCannotRead{"Не удалось прочитать файл", "Cannot read"};
const TextPair kCannotOpen{"Не удалось открыть файл", "Cannot open"};
const TextPair kCannotWrite{"Не удалось записать файл", "Cannot write"};
const TextPair kIsAFolder{"это папка", "it is a folder"};
const TextPair kTooLarge{"слишком велик", "is too large"};
const TextPair kBytes{"байт", "bytes"};

// "Cannot open 'x': No such file or directory": the system's reason inside
// a sentence of ours.
std::string Refusal(const TextPair& what, const std::string& path, const std::string& why = {}) {
  return what() + " '" + path + "'" + (why.empty() ? "" : ": " + why);
}
}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path, uint64_t maxBytes) {
  std::error_code ec;
  if (fs::is_directory(path, ec))
    throw FileAccessError(Refusal(kCannotRead, path, kIsAFolder()), path, kIsAFolder());
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileAccessError(Refusal(kCannotOpen, path, Reason()), path, Reason());
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) throw FileAccessError(Refusal(kCannotRead, path), path, Reason());
  if (static_cast<uint64_t>(size) > maxBytes)
    throw FileTooLargeError("'" + path + "' " + kTooLarge() + " (" + std::to_string(size) + " " +
                            kBytes() + ")");
  in.seekg(0, std::ios::beg);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size))
    throw FileAccessError(Refusal(kCannotRead, path, Reason()), path, Reason());
  return bytes;
}

void WriteFileAtomic(const std::string& path, const void* data, size_t size) {
  const fs::path target(path);
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  std::random_device rd;
  const fs::path tmp =
      dir / ("." + target.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
  FILE* f = std::fopen(tmp.string().c_str(), "wb");
  if (!f) throw FileAccessError(Refusal(kCannotWrite, path, Reason()), path, Reason());
  const bool ok = (size == 0 || std::fwrite(data, 1, size, f) == size) && std::fflush(f) == 0;
  const std::string why = ok ? std::string() : Reason();
  if (std::fclose(f) != 0 || !ok) {
    std::remove(tmp.string().c_str());
    const std::string reason = why.empty() ? Reason() : why;
    throw FileAccessError(Refusal(kCannotWrite, path, reason), path, reason);
  }
  std::error_code ec;
  fs::rename(tmp, target, ec);
  if (ec) {
    std::remove(tmp.string().c_str());
    throw FileAccessError(Refusal(kCannotWrite, path, ec.message()), path, ec.message());
  }
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

}  // namespace tc
