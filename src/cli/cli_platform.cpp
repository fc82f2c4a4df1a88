// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_platform.h"

#include <filesystem>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <io.h>
#include <windows.h>

#include <cstdio>
#else
#include <unistd.h>
#endif

namespace tc::cli {

namespace fs = std::filesystem;

#if defined(_WIN32)

bool StderrIsTerminal() {
  return _isatty(_fileno(stderr)) != 0;
}

std::string ProgramDirectory() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), DWORD(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      break;
    }
    if (buf.size() >= 32768) return {};
    buf.resize(buf.size() * 2);
  }
  const std::u8string dir = fs::path(buf).parent_path().u8string();
  return std::string(dir.begin(), dir.end());
}

void PrepareConsole() {
  SetConsoleOutputCP(CP_UTF8);
}

std::optional<bool> DesktopLanguageIsEnglish() {
  const LANGID lang = GetUserDefaultUILanguage();
  return PRIMARYLANGID(lang) != LANG_RUSSIAN;
}

#else

bool StderrIsTerminal() {
  return ::isatty(2) != 0;
}

std::string ProgramDirectory() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return exe.parent_path().string();
}

void PrepareConsole() {}

std::optional<bool> DesktopLanguageIsEnglish() {
  return std::nullopt;
}

#endif

}  // namespace tc::cli
