// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two buttons of a page that save some of its settings to a side file
// and load them back (the tank calibration, the service settings).
#include <QString>

#include "util/text_pair.h"

class QPushButton;
class QWidget;

namespace tc {

class TSettingsBinder;
struct SideFileFormat;

struct SideFileButtons {
  QPushButton* save;
  QPushButton* load;
};

// The buttons are named saveName and loadName. Their dialogs start in the
// program's dialog folder (DialogStartFolder) and then in the folder of the
// last file. After a
// load every control and part of the editor shows what the file brought.
SideFileButtons NewSideFileButtons(QWidget* parent, TSettingsBinder& b,
                                   const SideFileFormat& format, const QString& saveName,
                                   TextPair saveText, const QString& loadName, TextPair loadText);

}  // namespace tc
