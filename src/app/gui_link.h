// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link as the desktop program sets it up.
#include "link/ml_rs_base.h"

namespace tc {

// The system's serial ports through QSerialPort, with the link's own error boxes shown through
// the message service.
LinkPlatform GuiLinkPlatform();

}  // namespace tc
