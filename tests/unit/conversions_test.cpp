// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "util/cp1251.h"
#include "util/errors.h"
#include "util/text_pair.h"

using namespace tc;

TEST(Conversions, TwoDigitsAndTimeTexts) {
  EXPECT_EQ(TwoDigits(0), "00");
  EXPECT_EQ(TwoDigits(7), "07");
  EXPECT_EQ(TwoDigits(12), "12");
  EXPECT_EQ(TwoDigits(123), "123");
  EXPECT_EQ(MinutesToTimeText(0), "00:00");
  EXPECT_EQ(MinutesToTimeText(1439), "23:59");
  EXPECT_EQ(MinutesToTimeText(1500), "01:00");
  EXPECT_EQ(MinutesToTimeText(497), "08:17");
}

TEST(Conversions, TimeTextToMinutesAcceptsAndRefuses) {
  EXPECT_EQ(TimeTextToMinutes("08:17"), 497);
  EXPECT_EQ(TimeTextToMinutes("23:59"), 1439);
  EXPECT_EQ(TimeTextToMinutes("99:59"), 99 * 60 + 59);
  // Not a time at all: the third character is not a colon.
  EXPECT_EQ(TimeTextToMinutes("0817"), 0);
  EXPECT_EQ(TimeTextToMinutes("abc"), 0);
  EXPECT_THROW(TimeTextToMinutes("08"), TripError);
  EXPECT_THROW(TimeTextToMinutes(""), TripError);
  EXPECT_THROW(TimeTextToMinutes("08:1"), TripError);
  EXPECT_THROW(TimeTextToMinutes("0a:10"), TripError);
  EXPECT_THROW(TimeTextToMinutes("08: 5"), TripError);
}

TEST(Conversions, DayNumbersRoundTrip) {
  EXPECT_TRUE(IsLeapYear(0));
  EXPECT_FALSE(IsLeapYear(1));
  EXPECT_TRUE(IsLeapYear(24));
  EXPECT_EQ(DateToDayNumber(1, 1, 0), 2);
  EXPECT_EQ(DateToDayNumber(29, 2, 0), 61);
  EXPECT_EQ(DateToDayNumber(31, 12, 24), 9132);
  auto d = DayNumberToDate(2);
  EXPECT_EQ(d.day, 1);
  EXPECT_EQ(d.month, 1);
  EXPECT_EQ(d.yearOffset, 0);
  d = DayNumberToDate(9132);
  EXPECT_EQ(d.day, 31);
  EXPECT_EQ(d.month, 12);
  EXPECT_EQ(d.yearOffset, 24);
  // The one date that does not come back: 31 Dec of year 0 shares 367.
  EXPECT_EQ(DateToDayNumber(31, 12, 0), 367);
  EXPECT_EQ(DateToDayNumber(1, 1, 1), 367);
  d = DayNumberToDate(367);
  EXPECT_EQ(d.day, 1);
  EXPECT_EQ(d.month, 1);
  EXPECT_EQ(d.yearOffset, 1);
  // Every other date of 30 years comes back unchanged.
  for (int y = 0; y < 30; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int day = 1; day <= DaysInMonth(m, uint8_t(y)); ++day) {
        if (y == 0 && m == 12 && day == 31) continue;
        const auto back = DayNumberToDate(DateToDayNumber(uint8_t(day), uint8_t(m), uint8_t(y)));
        ASSERT_EQ(back.day, day) << y << "/" << m;
        ASSERT_EQ(back.month, m);
        ASSERT_EQ(back.yearOffset, y);
      }
}

TEST(Conversions, BitsAndColours) {
  EXPECT_EQ(BitsToText(5, 8), "00000101");
  EXPECT_EQ(ByteToBitText(0x80), "10000000");
  EXPECT_EQ(BitsToText(0xFFFF, 4), "1111");
  EXPECT_EQ(ColourFrom16(0xFFFF), 0xFFFFFFu);
  EXPECT_EQ(ColourFrom16(0xF800), 0x0000FFu);  // pure red in Windows order
  EXPECT_EQ(ColourFrom16(0x001F), 0xFF0000u);
  EXPECT_EQ(ColourFrom16(0x0000), 0u);
}

TEST(Conversions, RoundingIsHalfToEven) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.6), 3);
  // What no integer holds (a float field of a damaged file) saturates.
  EXPECT_EQ(RoundHalfEven(-5.2e32), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(RoundHalfEven(1e19), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
  EXPECT_EQ(RoundHalfEven(-0x1p62), -(int64_t(1) << 62));
}

TEST(Cp1251, RoundTripsCyrillicAndMarksTheRest) {
  const std::string ru = "Замена рем.ГРМ ёЁ №";
  const std::string cp = Utf8ToCp1251(ru);
  EXPECT_EQ(cp.size(), 19u);
  EXPECT_EQ(uint8_t(cp[0]), 0xC7);   // З
  EXPECT_EQ(uint8_t(cp[15]), 0xB8);  // ё
  EXPECT_EQ(uint8_t(cp[16]), 0xA8);  // Ё
  EXPECT_EQ(uint8_t(cp[18]), 0xB9);  // №
  EXPECT_EQ(Cp1251ToUtf8(cp), ru);
  // No Windows-1251 byte for these: a Chinese character, a broken sequence.
  EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xADz"), "a?z");
  EXPECT_EQ(Utf8ToCp1251("a\xD0z"), "a?z");
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;
    const std::string one(1, char(b));
    ASSERT_EQ(Utf8ToCp1251(Cp1251ToUtf8(one)), one) << b;
  }
}

TEST(Conversions, BadTimeIsRefusedInTheProgramsLanguage) {
  const bool was = tc::EnglishVersion();
  for (const bool english : {true, false}) {
    tc::SetEnglishVersion(english);
    try {
      tc::TimeTextToMinutes("1x:30");
      ADD_FAILURE() << "accepted";
    } catch (const tc::TripError& e) {
      EXPECT_STREQ(e.what(), english ? "'1x:30' is not a valid time" : "'1x:30' не время (ЧЧ:ММ)");
    }
  }
  tc::SetEnglishVersion(was);
}
