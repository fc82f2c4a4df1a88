// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own texts exist in Russian and English; the active one is
// picked by the program-wide language flag when a window or message is shown.
#include <string>

namespace tc {

// Program-wide language flag (checked = English). Owned here, set by the
// main window or a front end's --lang option.
bool EnglishVersion();
void SetEnglishVersion(bool english);

struct TextPair {
  const char* ru;
  const char* en;

  std::string Get(bool english) const { return english ? en : ru; }
  std::string operator()() const { return Get(EnglishVersion()); }
};

}  // namespace tc
