// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the command line needs from the operating system, kept out of the
// commands so they build the same on Linux and Windows.
#include <optional>
#include <string>

namespace tc::cli {

// True when progress on stderr goes to a terminal (redrawn in place)
// rather than to a file or a pipe (one line per step).
bool StderrIsTerminal();

// The folder the running program was started from; empty when unknown.
std::string ProgramDirectory();

// Makes the console show the program's UTF-8 texts (Windows consoles start
// in an OEM code page); nothing elsewhere.
void PrepareConsole();

// The language of the user's desktop where the system keeps one apart from
// the environment (Windows): true for English, false for Russian, nothing
// when it cannot tell.
std::optional<bool> DesktopLanguageIsEnglish();

}  // namespace tc::cli
