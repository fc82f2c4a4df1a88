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

// Starts the program: ends quietly (returning 0) when another copy runs,
// otherwise shows the main window and runs the event loop. afterShown, if
// given, is called once the main window is on screen.
int RunProgram(TApplication& app, const std::function<void(TMainForm&)>& afterShown = {});

}  // namespace tc
