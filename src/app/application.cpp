// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <exception>

#include "app/main_form.h"
#include "app/single_instance.h"
#include "ui/message_service.h"
#include "util/text_pair.h"

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
    ShowError(TextPair{"Неизвестная ошибка", "Unknown error"}());
  }
  return false;
}

void UseQtTranslations(bool english) {
  if (!QCoreApplication::instance()) return;
  static QTranslator* russian = nullptr;
  if (english) {
    if (russian) QCoreApplication::removeTranslator(russian);
    return;
  }
  if (!russian) {
    russian = new QTranslator(QCoreApplication::instance());
    // qt_ru holds no texts itself; it pulls in qtbase_ru and the modules' files.
    if (!russian->load("qt_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        !russian->load("qtbase_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      return;  // not installed: Qt's texts stay English
  }
  QCoreApplication::installTranslator(russian);
}

QString SettingsFileArgument(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Configures an RS485 trip computer: reads, edits and writes its settings.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("FILE.dvkps", "a settings file to load at start (optional)",
                               "[FILE.dvkps]");
  parser.process(arguments);
  const QStringList files = parser.positionalArguments();
  if (files.isEmpty()) return {};
  // The program moves into its own folder when it starts.
  return QFileInfo(files.first()).absoluteFilePath();
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
