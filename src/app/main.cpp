// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf: the desktop program. `tripconf FILE.dvkps` starts with that
// settings file loaded, as step 1's "load from file" does.
#include <QCoreApplication>
#include <cstring>

#include "app/application.h"
#include "app/main_form.h"

int main(int argc, char** argv) {
  // --help and --version answer on the console, with no screen needed.
  for (int i = 1; i < argc; ++i) {
    for (const char* info : {"-h", "--help", "--help-all", "-v", "--version"}) {
      if (std::strcmp(argv[i], info) != 0) continue;
      QCoreApplication core(argc, argv);
      QCoreApplication::setApplicationVersion(TRIPCONF_VERSION);
      tc::SettingsFileArgument(core.arguments());  // prints and exits
      return 0;
    }
  }
  tc::TApplication app(argc, argv);  // takes Qt's own options (-platform ...) out
  QCoreApplication::setApplicationVersion(TRIPCONF_VERSION);
  const QString file = tc::SettingsFileArgument(app.arguments());
  if (file.isEmpty()) return tc::RunProgram(app);
  return tc::RunProgram(app, [file](tc::TMainForm& form) { form.LoadSettingsFile(file); });
}
