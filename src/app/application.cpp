#include "app/application.h"

#include <QTimer>
#include <exception>

#include "app/main_form.h"
#include "app/single_instance.h"
#include "ui/message_service.h"

namespace tc {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("tripconf");
  setQuitOnLastWindowClosed(true);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowError(e.what());
  } catch (...) {
    ShowError("Unknown error");
  }
  return false;
}

int RunProgram(TApplication& app, const std::function<void(TMainForm&)>& afterShown) {
  TJustOne justOne(QCoreApplication::applicationFilePath());
  if (!justOne.Acquire()) return 0;
  TMainForm form(DefaultAppPaths());
  form.show();
  if (afterShown) QTimer::singleShot(0, &form, [&form, &afterShown] { afterShown(form); });
  return app.exec();
}

}  // namespace tc
