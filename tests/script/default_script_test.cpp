// The default script: its bytes, and its results for realistic tag sets. The expected
// texts are worked out from the script's rules (black list, character filter, fallbacks
// to the folder names, the "_" replacement), not taken from a run.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "script/test_report.h"
#include "script_helpers.h"
#include "test_paths.h"

namespace {

TEST(DefaultScript, IsTheResourceFileByteForByte) {
  const Text script = DefaultScript();
  EXPECT_EQ(script.size(), 2761u);
  size_t lines = 0;
  for (size_t at = script.find("\r\n"); at != Text::npos; at = script.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 84u);
  EXPECT_EQ(script.substr(script.size() - 2), "\r\n");
  EXPECT_EQ(script.find('\n'), script.find("\r\n") + 1);
  std::ifstream file(TestDataPath("resources/default.script"), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  EXPECT_EQ(bytes.str(), script);
}

struct TTags {
  const char* Artist;
  const char* Title;
  const char* Album;
  const char* Copy;
  const char* File;
  const char* ListPos;
  const char* Lenght;
  const char* Dir1;
  const char* Dir2;
  const char* Path;
};

struct TResults {
  Text Status;
  Text Status2;
  Text Tray;
};

// The update cycle's way: 21 TAG statements, the script, one run, three variables read.
TResults RunDefaultScript(const TTags& tags) {
  std::vector<Text> values(kTagCount);
  values[TagIndex("Artist")] = tags.Artist;
  values[TagIndex("Title")] = tags.Title;
  values[TagIndex("Album")] = tags.Album;
  values[TagIndex("Copy")] = tags.Copy;
  values[TagIndex("File")] = tags.File;
  values[TagIndex("ListPos")] = tags.ListPos;
  values[TagIndex("Lenght")] = tags.Lenght;
  values[TagIndex("Dir1")] = tags.Dir1;
  values[TagIndex("Dir2")] = tags.Dir2;
  values[TagIndex("Path")] = tags.Path;
  values[TagIndex("PlayState")] = "[PLAY]";
  values[TagIndex("Status")] = "%Status";
  values[TagIndex("Status2")] = "%Status2";
  TCollectingEngine test;
  for (int32_t row = 0; row < kTagCount; ++row) test.Engine.AddLine(TagLine(row, ""));
  test.Engine.AddScript(DefaultScript());
  for (int32_t row = 0; row < kTagCount; ++row) test.Engine.SetLine(TagLine(row, values[row]), row);
  EXPECT_TRUE(test.Engine.Run());
  EXPECT_TRUE(test.Diagnostics.empty()) << test.Diagnostics.front();
  return {VariableText(test.Engine, "Status"), VariableText(test.Engine, "Status2"),
          VariableText(test.Engine, "Tray")};
}

TEST(DefaultScript, NormalAlbumTrack) {
  TResults r = RunDefaultScript({"Queen", "Bohemian Rhapsody", "A Night at the Opera",
                                 "Queen - Bohemian Rhapsody", "11 Bohemian Rhapsody", "3",
                                 "05:55", "A Night at the Opera", "Queen",
                                 "C:\\Music\\Queen\\A Night at the Opera\\11 Bohemian Rhapsody.mp3"});
  EXPECT_EQ(r.Status, "%Status winamp: ");
  EXPECT_EQ(r.Status2, "3. Queen - Bohemian Rhapsody [05:55]");
  EXPECT_EQ(r.Tray,
            "File: C:\\Music\\Queen\\A Night at the Opera\\11 Bohemian Rhapsody.mp3"
            "\\nArtist: Queen\\nAlbum: A Night at the Opera\\nTitle: Bohemian Rhapsody");
}

// "Unknown Artist" and "Track 01" are on the black list (digits filtered out, case
// ignored), so the folder names stand in; the empty album is on it too.
TEST(DefaultScript, JunkTagsFallBackToFolderNames) {
  TResults r = RunDefaultScript({"Unknown Artist", "Track 01", "", "Track 01", "Track01", "12",
                                 "03:10", "Greatest Hits", "Queen",
                                 "C:\\Music\\Queen\\Greatest Hits\\Track01.wav"});
  EXPECT_EQ(r.Status2, "12. Track 01 [03:10]");
  EXPECT_EQ(r.Tray,
            "File: C:\\Music\\Queen\\Greatest Hits\\Track01.wav"
            "\\nArtist: Queen\\nAlbum: Greatest Hits");
}

TEST(DefaultScript, CyrillicFoldersAndUnderscores) {
  TResults r = RunDefaultScript({"Неизвестный исполнитель", "Дорожка 1", "",
                                 "Неизвестный исполнитель - Дорожка 1", "01_Группа_крови", "7",
                                 "04:45", "1988_Группа_крови", "Кино",
                                 "D:\\Музыка\\Кино\\1988_Группа_крови\\01_Группа_крови.mp3"});
  EXPECT_EQ(r.Status2, "7. Неизвестный исполнитель - Дорожка 1 [04:45]");
  EXPECT_EQ(r.Tray,
            "File: D:\\Музыка\\Кино\\1988 Группа крови\\01 Группа крови.mp3"
            "\\nArtist: Кино\\nAlbum: 1988 Группа крови\\nTitle: 01 Группа крови");
}

// For a stream the player gives the address as path, file and both folders.
TEST(DefaultScript, StreamAddress) {
  const char* url = "http://radio.example.com:8000/stream";
  TResults r = RunDefaultScript({"", "", "", "Radio Example - Live Show", url, "1", "N/A", url,
                                 url, url});
  EXPECT_EQ(r.Status2, "1. Radio Example - Live Show [N/A]");
  const Text address = url;
  EXPECT_EQ(r.Tray, "File: " + address + "\\nArtist: " + address + "\\nAlbum: " + address +
                        "\\nTitle: " + address);
}

TEST(DefaultScript, QuotesInTagsArriveAsTheyStand) {
  TResults r = RunDefaultScript({"The \"Band\"", "Say \"\"hi\"\"", "Live_Album",
                                 "The \"Band\" - Say \"\"hi\"\"", "song", "2", "01:00", "Live",
                                 "Band", "C:\\Band\\Live\\song.mp3"});
  EXPECT_EQ(r.Status2, "2. The \"Band\" - Say \"\"hi\"\" [01:00]");
  EXPECT_EQ(r.Tray,
            "File: C:\\Band\\Live\\song.mp3\\nArtist: The \"Band\"\\nAlbum: Live Album"
            "\\nTitle: Say \"\"hi\"\"");
}

TEST(TestReport, ListsDiagnosticsThenTheThreeResults) {
  std::vector<Text> tags(kTagCount);
  tags[TagIndex("status")] = "%Status";
  TTestReport clean = BuildTestReport(tags, "Status=TAGStatus+\"!\"\r\nStatus2=\"a\\nb\"");
  EXPECT_EQ(clean.DiagnosticCount, 0);
  EXPECT_EQ(clean.Message,
            "ошибок синтаксиса не найдено (хотя это не означает что их нет :( )\r\n\r\n"
            "=== Status2 ===\r\na\r\nb\r\n=== Status ===\r\n%Status!\r\n===  Tray  ===\r\n");
  TTestReport faulty = BuildTestReport(tags, "Tray=(1\r\nStatus=x");
  EXPECT_EQ(faulty.DiagnosticCount, 3);
  EXPECT_EQ(faulty.Message,
            " в строке (1 обнаружена ошибка синтаксиса\r\n"
            " не найдено значение Error\r\n"
            " не найдено значение x\r\n\r\n\r\n"
            "=== Status2 ===\r\n\r\n=== Status ===\r\nError\r\n===  Tray  ===\r\nError");
}

TEST(TestReport, StopsCollectingAtFifteenHundredCharacters) {
  Text script;
  for (int i = 0; i < 200; ++i) script += "x" + std::to_string(i) + "=nothing\r\n";
  TTestReport report = BuildTestReport({}, script);
  EXPECT_EQ(report.DiagnosticCount, 200);
  const size_t head = report.Message.find("\r\n\r\n\r\n");
  ASSERT_NE(head, Text::npos);
  EXPECT_GE(head + 2, kTestLogLimit);
  EXPECT_LT(head, kTestLogLimit + 40);
}

}  // namespace
