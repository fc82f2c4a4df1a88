// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts of the port layer. The line-protocol messages are single-language and
// live with TML_RS; these explain port problems to the user in both languages.
#include "util/text_pair.h"

namespace tc {

// Shown when no serial port exists at all; English in both languages.
inline constexpr const char* kNoFreePortText = "Can not find free serial port!";

inline constexpr TextPair kPortPermissionText{
    "Нет доступа к порту: пользователь не входит в группу dialout. Выполните "
    "\"sudo usermod -aG dialout $USER\" и войдите в систему заново",
    "The user may not open this port: add yourself to the dialout group "
    "(\"sudo usermod -aG dialout $USER\") and log in again"};
inline constexpr TextPair kPortBusyText{
    "Порт занят другой программой; закройте её и повторите попытку",
    "Another program holds the port; close it and try again"};
inline constexpr TextPair kPortGoneText{"Устройство отключено или не существует",
                                        "The device is unplugged or does not exist"};
inline constexpr TextPair kPortNotSerialText{"Это не последовательный порт",
                                             "This is not a serial port"};

}  // namespace tc
