// SPDX-License-Identifier: GPL-3.0-or-later
// The journal procedure behind the main window's "View logs" step.
#include <optional>

#include "model/fault_journal.h"
#include "model/journals.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "ui/message_service.h"
#include "util/errors.h"
#include "viewers/journal_viewer.h"
#include "viewers/view_windows.h"

namespace tc {

void ViewJournals(SettingsDocument& doc, const QString& exportFolder, QWidget* parent) {
  TMK& mk = doc.Model();
  std::optional<JournalSession> session;
  try {
    session.emplace(mk);
  } catch (const TripError& e) {
    ShowError(e.what(), parent);
    return;
  }
  // Any way out but OK (Cancel, Esc, the close box, an error) puts blocks 7,
  // 1 and 12 back from the image when the session goes.
  try {
    TMK_ViewJournalsDlg dlg(mk, JournalFaultCodeKind(doc), exportFolder, parent);
    if (dlg.exec() == QDialog::Accepted) session->Ok();
  } catch (const TripError& e) {
    ShowError(e.what(), parent);
  }
}

}  // namespace tc
