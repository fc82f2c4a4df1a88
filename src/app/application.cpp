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
  // Every window uses the classic 8-point dialog font: 11 pixels at 96 dpi.
  QFont f = font();
  f.setPixelSize(11);
  setFont(f);
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
