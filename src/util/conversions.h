// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small conversions shared by the model, the editor and the viewers.
#include <cstdint>
#include <string>

namespace tc {

// Decimal text with a leading "0" for one-digit numbers (7 -> "07").
std::string TwoDigits(uint16_t n);

// Minutes since midnight to "hh:mm"; hours wrap at 24 (1500 -> "01:00").
std::string MinutesToTimeText(uint16_t minutes);

// "hh:mm" to minutes. A text whose third character is not ':' gives 0;
// a malformed one with ':' third throws TripError.
uint16_t TimeTextToMinutes(const std::string& text);

// A time of day typed by the user, "h:mm" or "hh:mm" from 00:00 to 23:59
// (blanks and mask place-holders around it ignored), to minutes since
// midnight. Anything else throws RangeError: a typo must not become a time.
int TimeOfDayToMinutes(const std::string& text);

// Year offsets count from a leap year: offset 0 is leap.
bool IsLeapYear(uint8_t yearOffset);
int DaysInMonth(int month, uint8_t yearOffset);

uint16_t DateToDayNumber(uint8_t day, uint8_t month, uint8_t yearOffset);

struct DayDate {
  uint8_t day;
  uint8_t month;
  uint8_t yearOffset;
};
// d must be at least 1.
DayDate DayNumberToDate(uint16_t dayNumber);

// The low n bits of v as '0'/'1', most significant first.
std::string BitsToText(uint32_t value, int digits);
std::string ByteToBitText(uint8_t b);

// RGB565 to a 24-bit colour in Windows order (blue << 16 | green << 8 | red).
uint32_t ColourFrom16(uint16_t c);

// Integer rounding used everywhere a value is converted: halves to even.
// Values beyond int64 saturate and NaN gives 0.
int64_t RoundHalfEven(double v);

}  // namespace tc
