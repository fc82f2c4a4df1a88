// SPDX-License-Identifier: GPL-3.0-or-later
// The oscilloscope procedure behind the main window's "View the
// oscilloscope data" step.
#include "catalog/variants.h"
#include "model/oscilloscope.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "ui/message_service.h"
#include "util/errors.h"
#include "viewers/osc_viewer.h"
#include "viewers/view_windows.h"

namespace tc {

void ViewOscilloscope(SettingsDocument& doc, QWidget* parent) {
  TMK& mk = doc.Model();
  try {
    mk.DecodeIdentityBlock();
    try {
      doc.SelectVariant();
    } catch (const ListIndexError&) {
      // A protocol number the variant does not offer still selects the
      // variant's flags, and the oscilloscope does not depend on the
      // protocol.
    }
    if (!doc.Flags().VariantOscilloscope) {
      ShowInfo(kOscNotSupported(), parent);
      return;
    }
    mk.LoadOscRecords();
    TMK_ViewOscDlg dlg(mk, parent);
    dlg.exec();
  } catch (const TripError& e) {
    ShowError(e.what(), parent);
  }
}

}  // namespace tc
