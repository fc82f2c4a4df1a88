// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/edit_settings.h"

#include <optional>

#include "editor/settings_dlg.h"
#include "editor_core/edit_session.h"
#include "ui/message_service.h"
#include "util/errors.h"

namespace tc {

bool EditSettings(SettingsDocument& doc, QWidget* parent) {
  return EditSettingsWith(doc, parent, {});
}

bool EditSettingsWith(SettingsDocument& doc, QWidget* parent,
                      const std::function<void(TMK_SetParamsDlg&)>& prepare) {
  std::optional<TSettingsEditSession> session;
  try {
    session.emplace(doc);
  } catch (const TripError& e) {
    ShowError(e.what(), parent);
    return false;
  }
  bool accepted = false;
  {
    TMK_SetParamsDlg dlg(*session, parent);
    if (prepare) prepare(dlg);
    accepted = dlg.exec() == QDialog::Accepted;
  }
  if (accepted) {
    session->Accept();
    return true;
  }
  session->Cancel();
  return false;
}

}  // namespace tc
