// Decimal and clock texts.
#include <gtest/gtest.h>

#include "support/clock.h"

namespace {

TEST(ClockNumbers, Int64ToTextCoversTheFullRange) {
  EXPECT_EQ(Int64ToText(0), "0");
  EXPECT_EQ(Int64ToText(-1), "-1");
  EXPECT_EQ(Int64ToText(1234567890123LL), "1234567890123");
  EXPECT_EQ(Int64ToText(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(Int64ToText(INT64_MAX), "9223372036854775807");
}

TEST(ClockNumbers, PaddedIntTextCountsTheSign) {
  const struct {
    int32_t value;
    int16_t width;
    const char* text;
  } cases[] = {
      {5, 2, "05"}, {123, 2, "123"}, {-5, 3, "-05"}, {7, -1, "7"}, {-7, -1, "-7"},
      {0, 0, "0"},  {-5, 1, "-5"},   {0, 3, "000"}, {INT32_MIN, 12, "-02147483648"},
  };
  for (const auto& c : cases) EXPECT_EQ(PaddedIntText(c.value, c.width, '0'), c.text) << c.value;
  EXPECT_EQ(PaddedIntText(42, 5, ' '), "   42");
}

TEST(ClockTimes, MakeClockTimeCarries) {
  const struct {
    uint16_t h, m, s;
    uint16_t wantH, wantM, wantS;
  } cases[] = {
      {0, 0, 59, 0, 0, 59}, {0, 0, 60, 0, 1, 0},     {0, 0, 3600, 1, 0, 0},
      {0, 0, 65535, 18, 12, 15}, {0, 59, 60, 1, 0, 0}, {2, 3, 4, 2, 3, 4},
  };
  for (const auto& c : cases) {
    SystemTime t = MakeClockTime(c.h, c.m, c.s);
    EXPECT_EQ(t.wHour, c.wantH);
    EXPECT_EQ(t.wMinute, c.wantM);
    EXPECT_EQ(t.wSecond, c.wantS);
    EXPECT_EQ(t.wYear + t.wMonth + t.wDay + t.wDayOfWeek + t.wMilliseconds, 0);
  }
}

class ClockTextTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = TimeSeparator; }
  void TearDown() override { TimeSeparator = saved_; }
  char saved_ = ':';
};

TEST_F(ClockTextTest, MinutesBelowAnHourHoursFromThenOn) {
  TimeSeparator = ':';
  EXPECT_EQ(ClockText(MakeClockTime(0, 5, 7)), "05:07");
  EXPECT_EQ(ClockText(MakeClockTime(1, 0, 0)), "01:00:00");
  EXPECT_EQ(ClockText(MakeClockTime(0, 0, 0)), "00:00");
  EXPECT_EQ(ClockText(MakeClockTime(0, 0, 65535)), "18:12:15");
  TimeSeparator = '.';
  EXPECT_EQ(ClockText(MakeClockTime(0, 3, 25)), "03.25");
}

TEST_F(ClockTextTest, SeparatorComesFromTheLocale) {
  ReadTimeSeparator();
  EXPECT_EQ(TimeSeparator, SysLocaleChar(kLocaleTime, '?'));
  EXPECT_EQ(TimeSeparator, ':');  // both test locales use a colon
}

TEST(ClockTimes, LocalTimeIsPlausible) {
  SystemTime now = ReadLocalTime();
  EXPECT_GE(now.wYear, 2024);
  EXPECT_GE(now.wMonth, 1);
  EXPECT_LE(now.wMonth, 12);
  EXPECT_LE(now.wHour, 23);
}

}  // namespace
