// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/side_file.h"

#include <algorithm>
#include <cstdio>

#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"

namespace tc {

namespace {

template <typename... A>
std::string Printf(const char* format, A... args) {
  char buf[1024];
  std::snprintf(buf, sizeof buf, format, args...);
  return buf;
}

}  // namespace

std::vector<uint8_t> SideFileBytes(const TMK& mk, const SideFileFormat& format) {
  std::vector<uint8_t> out(format.size, 0);
  for (const SideFileEntry& e : format.entries) {
    const auto block = mk.Block(e.field.block);
    std::copy_n(block.begin() + e.field.offset, e.Bytes(), out.begin() + e.fileOffset);
  }
  return out;
}

void ApplySideFileBytes(TMK& mk, const SideFileFormat& format, std::span<const uint8_t> bytes) {
  for (const SideFileEntry& e : format.entries) {
    if (e.fileOffset >= bytes.size()) break;
    const size_t n = std::min<size_t>(size_t(e.Bytes()), bytes.size() - e.fileOffset);
    const auto block = mk.Block(e.field.block);
    std::copy_n(bytes.begin() + e.fileOffset, n, block.begin() + e.field.offset);
  }
  if (format.afterLoad) format.afterLoad(mk);
}

const TextPair kCannotCreate{"Не удалось создать файл \"%s\". %s", "Cannot create file \"%s\". %s"};
const TextPair kCannotOpen{"Не удалось открыть файл \"%s\". %s", "Cannot open file \"%s\". %s"};

void WriteSideFile(const TMK& mk, const SideFileFormat& format, const std::string& path) {
  try {
    WriteFileAtomic(path, SideFileBytes(mk, format));
  } catch (const FileAccessError& e) {
    throw FileError(Printf(kCannotCreate().c_str(), path.c_str(), e.Reason().c_str()));
  }
}

std::vector<uint8_t> ReadSideFile(const SideFileFormat& format, const std::string& path) {
  // Anything near a megabyte is no side file; it is not even read.
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadWholeFile(path, 1 << 20);
  } catch (const FileAccessError& e) {
    throw FileError(Printf(kCannotOpen().c_str(), path.c_str(), e.Reason().c_str()));
  }
  if (bytes.size() > format.size)
    throw TripError(Printf(
        TextPair{"Файл \"%s\" больше файла %s (%zu байт вместо %zu): это не такой файл, ничего "
                 "не загружено.",
                 "The file \"%s\" is larger than a %s file (%zu bytes instead of %zu): it is not "
                 "one, nothing was loaded."}()
            .c_str(),
        path.c_str(), format.what().c_str(), bytes.size(), format.size));
  if (bytes.empty())
    throw TripError(Printf(TextPair{"Файл \"%s\" пуст: это не файл %s, ничего не загружено.",
                                    "The file \"%s\" is empty: it is not a %s file, nothing was "
                                    "loaded."}()
                               .c_str(),
                           path.c_str(), format.what().c_str()));
  return bytes;
}

std::string ShortSideFileQuestion(const SideFileFormat& format, const std::string& path,
                                  size_t size) {
  return Printf(TextPair{"Файл \"%s\" содержит только %zu из %zu байт файла %s: он обрезан или "
                         "записан другой программой.\nЗагрузить эти %zu байт? Остальные "
                         "настройки останутся как есть.",
                         "The file \"%s\" holds only %zu of the %zu bytes of a %s file: it is cut "
                         "short or comes from another program.\nLoad these %zu bytes? The other "
                         "settings stay as they are."}()
                    .c_str(),
                path.c_str(), size, format.size, format.what().c_str(), size);
}

std::string ShortSideFileRefusal(const SideFileFormat& format, const std::string& path,
                                 size_t size) {
  return Printf(TextPair{"файл \"%s\" содержит только %zu из %zu байт файла %s; --partial "
                         "загружает их, остальное остается как есть",
                         "\"%s\" holds only %zu of the %zu bytes of a %s file; --partial loads "
                         "them and leaves the rest as it is"}()
                    .c_str(),
                path.c_str(), size, format.size, format.what().c_str());
}

}  // namespace tc
