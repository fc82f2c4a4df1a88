// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/system_link.h"

#if defined(_WIN32)
#include "link/win_channel.h"
#endif

namespace tc {

LinkPlatform SystemLinkPlatform() {
#if defined(_WIN32)
  return WinLinkPlatform();
#else
  return PosixLinkPlatform();
#endif
}

}  // namespace tc
