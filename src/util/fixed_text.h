// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixed-point number texts with a chosen decimal separator.
#include <string>

namespace tc {

// How the viewers write their cells: the language of the texts and the
// decimal separator of the user's locale.
struct CellFormat {
  bool english = true;
  char decimalSeparator = '.';
};

// v with exactly `decimals` digits after the separator ("12.3" or "12,3").
// A value that rounds to zero never shows a minus sign ("-0.0" reads "0.0").
// Non-finite values read "---".
std::string FixedText(double v, int decimals, char separator = '.');

// The decimal separator of the user's locale (LC_NUMERIC / LC_ALL / LANG),
// '.' when the locale cannot be read or its separator is not one ASCII byte.
// Leaves the program's own C locale as it was.
char UserDecimalSeparator();

}  // namespace tc
