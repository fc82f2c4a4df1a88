// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/gui_link.h"

#include "link/qt/qt_serial_channel.h"
#include "ui/message_service.h"

namespace tc {

LinkPlatform GuiLinkPlatform() {
  LinkPlatform p = QtLinkPlatform();
  p.ShowError = [](const std::string& text) { ShowError(text); };
  return p;
}

}  // namespace tc
