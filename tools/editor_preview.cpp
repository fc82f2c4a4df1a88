// SPDX-License-Identifier: GPL-3.0-or-later
// Developer tool: opens the settings editor straight on a settings file, for
// screenshots and for looking at a variant's pages without a device.
//   editor_preview FILE.dvkps [--lang en|ru] [--page tsMeth] [--quit-after MS]
//                  [--search TEXT] [--reveal NAME]
// Prints how long opening took (session, window, show sequence) to stderr.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/application.h"
#include "editor/settings_dlg.h"
#include "editor_core/edit_session.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/text_pair.h"

int main(int argc, char** argv) {
  tc::TApplication app(argc, argv);
  std::string file, page = "tsCorr", search, reveal;
  int quitAfter = -1;
  for (int i = 1; i < argc; ++i) {
    const bool more = i + 1 < argc;
    if (!std::strcmp(argv[i], "--lang") && more)
      tc::SetEnglishVersion(!std::strcmp(argv[++i], "en"));
    else if (!std::strcmp(argv[i], "--page") && more)
      page = argv[++i];
    else if (!std::strcmp(argv[i], "--search") && more)
      search = argv[++i];
    else if (!std::strcmp(argv[i], "--reveal") && more)
      reveal = argv[++i];
    else if (!std::strcmp(argv[i], "--quit-after") && more)
      quitAfter = std::atoi(argv[++i]);
    else
      file = argv[i];
  }
  if (file.empty()) {
    std::fprintf(stderr, "usage: editor_preview FILE.dvkps [--lang en|ru] [--page NAME]\n");
    return 2;
  }
  try {
    tc::SettingsDocument doc(tc::EnglishVersion());
    tc::TMK& mk = doc.Model();
    tc::ReadSettingsFile(mk, file);
    mk.DecodeSettingsBlocks();
    QElapsedTimer timer;
    timer.start();
    tc::TSettingsEditSession session(doc);
    tc::TMK_SetParamsDlg dlg(session);
    dlg.show();
    std::fprintf(stderr, "editor open in %lld ms\n", static_cast<long long>(timer.elapsed()));
    if (QWidget* w = dlg.Page(QString::fromStdString(page))) {
      // Select the page and every page control above it.
      for (QWidget* child = w; child && child != &dlg; child = child->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(child->parentWidget()->parentWidget()))
          tabs->setCurrentWidget(child);
    }
    if (!reveal.empty()) dlg.RevealSetting(QString::fromStdString(reveal));
    if (!search.empty()) {
      dlg.SearchField()->setFocus();
      dlg.SearchField()->setText(QString::fromStdString(search));
    }
    if (quitAfter >= 0) QTimer::singleShot(quitAfter, &dlg, &QDialog::reject);
    dlg.exec();
    session.Cancel();
  } catch (const tc::TripError& e) {
    std::fprintf(stderr, "editor_preview: %s\n", e.what());
    return 1;
  }
  return 0;
}
