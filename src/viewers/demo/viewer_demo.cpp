// SPDX-License-Identifier: GPL-3.0-or-later
// Developer program: opens one viewer straight on a settings file, so the
// viewers can be looked at (and photographed) without the main window's
// steps. Not installed.
//
//   viewer-demo journals|osc FILE.dvkps [--en] [--tab N]
#include <QApplication>
#include <QFile>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/text_pair.h"
#include "viewers/view_windows.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: viewer-demo journals|osc FILE.dvkps [--en] [--tab N]\n");
    return 2;
  }
  const std::string which = argv[1];
  int tab = 0;
  for (int i = 3; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--en")) tc::SetEnglishVersion(true);
    if (!std::strcmp(argv[i], "--tab") && i + 1 < argc) tab = std::atoi(argv[++i]);
  }
  tc::SettingsDocument doc(tc::EnglishVersion());
  tc::TMK& mk = doc.Model();
  try {
    tc::ReadSettingsFile(mk, QFile::encodeName(argv[2]).toStdString());
    mk.DecodeSettingsBlocks();
  } catch (const tc::TripError& e) {
    std::fprintf(stderr, "viewer-demo: %s\n", e.what());
    return 1;
  }
  // Turn to the asked tab once the viewer is up.
  QTimer::singleShot(300, [tab] {
    if (QWidget* w = QApplication::activeModalWidget())
      if (auto* tabs = w->findChild<QTabWidget*>("PageControl")) tabs->setCurrentIndex(tab);
  });
  if (which == "journals")
    tc::ViewJournals(doc, QString(), nullptr);
  else if (which == "osc")
    tc::ViewOscilloscope(doc, nullptr);
  else {
    std::fprintf(stderr, "viewer-demo: unknown viewer %s\n", which.c_str());
    return 2;
  }
  return 0;
}
