// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The service settings file (.dvkpt): block 5 from its first byte, 125 bytes
// unchanged and with no header. Besides the service reminders it carries the
// universal input, the temperature signature and the additional systems.
#include "model/side_file.h"

namespace tc {

constexpr size_t kServiceFileSize = 125;
const SideFileFormat& ServiceFileFormat();

}  // namespace tc
