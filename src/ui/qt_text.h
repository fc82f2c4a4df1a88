// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way a TextPair becomes a QString: the active language by default,
// or the one a window was shown in.
#include <QString>

#include "util/text_pair.h"

namespace tc {

inline QString Q(const TextPair& t, bool english) {
  return QString::fromUtf8(english ? t.en : t.ru);
}
inline QString Q(const TextPair& t) {
  return Q(t, EnglishVersion());
}

}  // namespace tc
