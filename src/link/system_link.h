// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console programs' serial ports on the platform they run on: termios
// and sysfs on Linux, the Win32 communications calls and the registry on
// Windows.
#include <memory>

#include "link/ml_rs_base.h"

namespace tc {

LinkPlatform SystemLinkPlatform();

}  // namespace tc
