// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/conversions.h"

#include <cmath>
#include <limits>

#include "util/errors.h"
#include "util/text_pair.h"

namespace tc {

std::string TwoDigits(uint16_t n) {
  std::string s = std::to_string(n);
  if (s.size() == 1) s.insert(s.begin(), '0');
  return s;
}

std::string MinutesToTimeText(uint16_t minutes) {
  return TwoDigits(static_cast<uint16_t>((minutes / 60) % 24)) + ":" +
         TwoDigits(static_cast<uint16_t>(minutes % 60));
}

namespace {
TripError NotATime(const std::string& text) {
  const TextPair why{"не время (ЧЧ:ММ)", "is not a valid time"};
  return TripError("'" + text + "' " + why());
}

int ParseDecimal(const std::string& text, size_t from, size_t count, const std::string& whole) {
  int v = 0;
  for (size_t i = from; i < from + count; ++i) {
    char c = text[i];
    if (c < '0' || c > '9') throw NotATime(whole);
    v = v * 10 + (c - '0');
  }
  return v;
}
}  // namespace

uint16_t TimeTextToMinutes(const std::string& text) {
  if (text.size() < 3) throw NotATime(text);
  if (text[2] != ':') return 0;
  if (text.size() < 5) throw NotATime(text);
  const int h = ParseDecimal(text, 0, 2, text);
  const int m = ParseDecimal(text, 3, 2, text);
  const int total = h * 60 + m;
  if (total > 65535) throw NotATime(text);
  return static_cast<uint16_t>(total);
}

int TimeOfDayToMinutes(const std::string& text) {
  const auto b = text.find_first_not_of(" _");
  const auto e = text.find_last_not_of(" _");
  if (b == std::string::npos) throw RangeError();
  const std::string t = text.substr(b, e - b + 1);
  const auto colon = t.find(':');
  if (colon == std::string::npos || colon < 1 || colon > 2 || t.size() != colon + 3)
    throw RangeError();
  for (size_t i = 0; i < t.size(); ++i)
    if (i != colon && (t[i] < '0' || t[i] > '9')) throw RangeError();
  const int h = std::stoi(t.substr(0, colon));
  const int m = std::stoi(t.substr(colon + 1));
  if (h > 23 || m > 59) throw RangeError();
  return h * 60 + m;
}

bool IsLeapYear(uint8_t yearOffset) {
  return yearOffset % 4 == 0;
}

int DaysInMonth(int month, uint8_t yearOffset) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 31;
  if (month == 2 && IsLeapYear(yearOffset)) return 29;
  return kDays[month - 1];
}

uint16_t DateToDayNumber(uint8_t day, uint8_t month, uint8_t yearOffset) {
  const int y = yearOffset;
  int n = y * 365 + (y - 1) / 4;  // C++ division truncates towards zero, as required
  for (int m = 1; m < month && m <= 12; ++m) n += DaysInMonth(m, yearOffset);
  n += day + 1;
  return static_cast<uint16_t>(n);
}

DayDate DayNumberToDate(uint16_t dayNumber) {
  const int d = dayNumber < 1 ? 1 : dayNumber;
  const int y = (d - 1) * 4 / 1461;
  int r = (d - 1) - 365 * y - (y - 1) / 4;
  int month = 1;
  while (month < 12 && r > DaysInMonth(month, static_cast<uint8_t>(y))) {
    r -= DaysInMonth(month, static_cast<uint8_t>(y));
    ++month;
  }
  return {static_cast<uint8_t>(r), static_cast<uint8_t>(month), static_cast<uint8_t>(y)};
}

std::string BitsToText(uint32_t value, int digits) {
  std::string s;
  for (int i = digits - 1; i >= 0; --i) s += ((value >> i) & 1u) ? '1' : '0';
  return s;
}

std::string ByteToBitText(uint8_t b) {
  return BitsToText(b, 8);
}

uint32_t ColourFrom16(uint16_t c) {
  const uint32_t r5 = (c >> 11) & 0x1F, g6 = (c >> 5) & 0x3F, b5 = c & 0x1F;
  const uint32_t r = ((r5 * 541052u) >> 16) & 0xFF;
  const uint32_t g = ((g6 * 266294u) >> 16) & 0xFF;
  const uint32_t b = ((b5 * 541052u) >> 16) & 0xFF;
  return b * 65536u + g * 256u + r;
}

int64_t RoundHalfEven(double v) {
  // A file can hold any float: what no integer holds saturates, NaN is 0.
  if (std::isnan(v)) return 0;
  const double r = std::nearbyint(v);
  if (r >= 0x1p63) return std::numeric_limits<int64_t>::max();
  if (r < -0x1p63) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(r);
}

}  // namespace tc
