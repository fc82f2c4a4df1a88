// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/text_pair.h"

namespace tc {
namespace {
bool g_english = false;
}
bool EnglishVersion() {
  return g_english;
}
void SetEnglishVersion(bool english) {
  g_english = english;
}
}  // namespace tc
