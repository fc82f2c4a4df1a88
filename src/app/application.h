// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object and the program's start.
#include <QApplication>
#include <functional>

namespace tc {

class TMainForm;

// Reports an error that no window caught in a message box with its text,
// instead of ending the program.
class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Qt's own texts (file dialogs, standard buttons, context menus) in the
// program's language: Qt's Russian translations, or none for English.
void UseQtTranslations(bool english);

// Starts the program: ends quietly (returning 0) when another copy runs,
// otherwise shows the main window and runs the event loop. afterShown, if
// given, is called once the main window is on screen.
int RunProgram(TApplication& app, const std::function<void(TMainForm&)>& afterShown = {});

// The settings file named on the command line (`tripconf FILE.dvkps`), as an
// absolute path, or empty. Prints --help or --version and exits for those.
QString SettingsFileArgument(const QStringList& arguments);

}  // namespace tc
