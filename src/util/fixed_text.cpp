// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/fixed_text.h"

#include <clocale>
#include <cmath>
#include <cstdio>

namespace tc {

std::string FixedText(double v, int decimals, char separator) {
  if (!std::isfinite(v)) return "---";
  if (decimals < 0) decimals = 0;
  if (decimals > 15) decimals = 15;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  std::string s = buf;
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  if (decimals == 0) return s;
  // Whatever point the current C locale printed (a Qt program may have set
  // LC_NUMERIC), the digits around it are known: rebuild with our separator.
  size_t intEnd = s[0] == '-' ? 1 : 0;
  while (intEnd < s.size() && s[intEnd] >= '0' && s[intEnd] <= '9') ++intEnd;
  return s.substr(0, intEnd) + separator + s.substr(s.size() - size_t(decimals));
}

char UserDecimalSeparator() {
  const char* current = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = current ? current : "C";
  char result = '.';
  if (std::setlocale(LC_NUMERIC, "")) {
    const std::lconv* lc = std::localeconv();
    if (lc && lc->decimal_point && lc->decimal_point[0] != 0 && lc->decimal_point[1] == 0 &&
        (unsigned char)lc->decimal_point[0] < 0x80)
      result = lc->decimal_point[0];
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
  return result;
}

}  // namespace tc
