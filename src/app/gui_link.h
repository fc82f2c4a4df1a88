#pragma once
// The link as the desktop program sets it up.
#include "link/ml_rs_base.h"

namespace tc {

// The system's serial ports, with the link's own error boxes shown through
// the message service.
LinkPlatform GuiLinkPlatform();

}  // namespace tc
