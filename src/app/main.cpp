// tripconf: the desktop program. `tripconf FILE.dvkps` starts with that
// settings file loaded, as step 1's "load from file" does.
#include "app/application.h"
#include "app/main_form.h"

int main(int argc, char** argv) {
  tc::TApplication app(argc, argv);
  app.setApplicationVersion(TRIPCONF_VERSION);
  const QString file = tc::SettingsFileArgument(app.arguments());
  if (file.isEmpty()) return tc::RunProgram(app);
  return tc::RunProgram(app, [file](tc::TMainForm& form) { form.LoadSettingsFile(file); });
}
