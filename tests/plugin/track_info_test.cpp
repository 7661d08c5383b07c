// Track texts derived from the path, the length, the clock, and the TAG statements.
#include <gtest/gtest.h>

#include "plugin/track_info.h"
#include "support/clock.h"

namespace {

struct PathCase {
  const char* path;
  const char* file;
  const char* dir1;
  const char* dir2;
};

TEST(TrackPath, PartsOfFilesAndStreams) {
  const PathCase cases[] = {
      {"C:\\Music\\Artist\\Album\\01 Song.mp3", "01 Song", "Album", "Artist"},
      {"C:\\song.mp3", "song", "C:", ""},
      {"song.mp3", "song", "", ""},
      {"", "", "", ""},
      {"http://radio.example.org:8000/live.mp3", "http://radio.example.org:8000/live.mp3",
       "http://radio.example.org:8000/live.mp3", "http://radio.example.org:8000/live.mp3"},
      {"HTTP://X\\Y\\z.mp3", "HTTP://X\\Y\\z.mp3", "HTTP://X\\Y\\z.mp3", "HTTP://X\\Y\\z.mp3"},
      {"C:\\Музыка\\Кино\\1988 - Группа крови\\01 Группа крови.mp3", "01 Группа крови",
       "1988 - Группа крови", "Кино"},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(TrackPathPart(kPartFileTitle, c.path), c.file) << c.path;
    EXPECT_EQ(TrackPathPart(kPartFolder, c.path), c.dir1) << c.path;
    EXPECT_EQ(TrackPathPart(kPartFolderAbove, c.path), c.dir2) << c.path;
  }
}

class TrackClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = TimeSeparator;
    TimeSeparator = ':';
  }
  void TearDown() override { TimeSeparator = saved_; }
  char saved_ = ':';
};

TEST_F(TrackClockTest, LengthTexts) {
  const struct {
    int32_t seconds;
    const char* text;
  } cases[] = {{-1, "N/A"},     {-600, "N/A"},       {0, "00:00"},        {59, "00:59"},
               {60, "01:00"},   {3599, "59:59"},     {3600, "01:00:00"},  {3661, "01:01:01"},
               {65535, "18:12:15"}, {65536, "00:00"}, {65596, "01:00"}};
  for (const auto& c : cases) EXPECT_EQ(LengthText(c.seconds), c.text) << c.seconds;
}

TEST_F(TrackClockTest, TimeOfDayIsHoursAndMinutes) {
  SystemTime now;
  now.wHour = 9;
  now.wMinute = 5;
  now.wSecond = 30;
  EXPECT_EQ(TimeOfDayText(now), "09:05");
  now.wHour = 23;
  now.wMinute = 59;
  EXPECT_EQ(TimeOfDayText(now), "23:59");
  now.wHour = 0;
  now.wMinute = 0;
  EXPECT_EQ(TimeOfDayText(now), "00:00");
}

TEST(TrackTags, TableOrderAndTagLines) {
  EXPECT_STREQ(TrackTable[0].Name, "Artist");
  EXPECT_STREQ(TrackTable[11].Name, "Lenght");
  EXPECT_STREQ(TrackTable[kRowStatus2].Name, "Status2");
  EXPECT_STREQ(TrackTable[kRowStatus].Name, "Status");
  EXPECT_STREQ(TrackTable[20].Name, "Path");
  EXPECT_EQ(TagLine(0, "Кино"), "TAGArtist=\"Кино\"");
  EXPECT_EQ(TagLine(1, "Say \"Hi\""), "TAGTitle=\"Say \"\"Hi\"\"\"");
  EXPECT_EQ(TagLine(20, ""), "TAGPath=\"\"");
}

}  // namespace
