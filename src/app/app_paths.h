// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program keeps its ini file and where its file dialogs start.
#include <QString>

namespace tc {

struct AppPaths {
  QString programFile;  // the running program
  QString programDir;   // its folder, without a trailing separator
  QString iniPath;      // beside the program, or in the user's config folder
  bool iniBesideProgram = true;
  QString dialogFolder;  // first folder of the open and save dialogs
};

// The ini file is the program's name with the extension ".ini", beside the
// program. When that folder cannot be written (an installed program), the ini
// goes to <user config folder>/tripconf/ and the dialogs start in the user's
// documents folder instead of the program's. A program installed in the
// system's folders (/usr, /opt) always uses the user's config folder.
AppPaths PathsForProgram(const QString& programFile);
// Paths of the running program.
AppPaths DefaultAppPaths();

// Makes the program's folder the current directory; false if it cannot.
bool EnterProgramFolder(const AppPaths& paths);

}  // namespace tc
