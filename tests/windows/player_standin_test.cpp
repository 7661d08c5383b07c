// The stand-in player, run as its own process with the probe plug-in: the answers the probe
// gets match the playlist, play-control commands reach a subclass of the main window, and the
// player keeps the plug-in calling order from load to unload.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "standin_session.h"

#ifndef PROBE_DLL
#error "PROBE_DLL must name gen_probe.dll"
#endif

namespace {

// The probe's reports in order: the trigger ("init", "after 40045", ...) and the lines below it.
using Report = std::pair<std::string, Lines>;
std::vector<Report> Reports(const Lines& lines) {
  std::vector<Report> reports;
  Lines* current = nullptr;
  for (const std::string& line : lines) {
    if (StartsWith(line, "report ")) {
      reports.emplace_back(line.substr(7), Lines());
      current = &reports.back().second;
    } else if (StartsWith(line, "seen ") || StartsWith(line, "config") ||
               StartsWith(line, "timer ")) {
      current = nullptr;
    } else if (current) {
      current->push_back(line);
    }
  }
  return reports;
}

class StandinPlayer : public ::testing::Test {
 protected:
  void AddProbe(const std::string& name) { session_.AddPlugin(PROBE_DLL, name); }
  std::string ProbeOut(const std::string& name) const { return plugins_ + "\\" + name + ".out"; }
  std::string LogPath() const { return session_.LogPath(); }
  unsigned long Run(const std::string& playlist, const std::string& commands,
                    const std::string& extra = "") {
    return session_.Run(playlist, commands, extra);
  }

  StandinSession session_;
  const std::string& plugins_ = session_.plugins();
  const std::string& settings_ = session_.settings();
};

const std::string kSongPath = "C:\\Музыка\\Кино\\Группа крови.mp3";
const std::string kStreamPath = "http://radio.example.org/live";
const std::string kPlainPath = "C:\\Music\\track03.mp3";

std::string ThreeEntryPlaylist() {
  return "# three entries\r\n"
         "[entry]\r\npath=" +
         kSongPath +
         "\r\nlisttitle=Кино - Группа крови\r\nartist=Кино\r\n"
         "title=Группа крови\r\nalbum=Группа крови\r\ntrack=1\r\nyear=1988\r\ngenre=Рок\r\n"
         "comment=" +
         std::string(1100, 'x') +
         "\r\nlength=285\r\nbitrate=320\r\nsamplerate=44100\r\nchannels=2\r\n"
         "\r\n[entry]\r\npath=" +
         kStreamPath +
         "\r\nlisttitle=Radio\r\nlength=-1\r\nbitrate=128\r\n"
         "samplerate=22050\r\nchannels=1\r\n"
         "\r\n[entry]\r\npath=" +
         kPlainPath + "\r\nlength=201\r\nbitrate=192\r\nsamplerate=48000\r\nchannels=2\r\n";
}

Lines UntaggedBlock(const std::string& position, const std::string& path, const std::string& title,
                    const std::string& length, const std::string& playing,
                    const std::string& info) {
  Lines block = {"listpos " + position, "file \"" + path + "\"", "title \"" + title + "\"",
                 "length " + length};
  for (const char* field : {"ARTIST", "TITLE", "ALBUM", "TRACK", "YEAR", "GENRE", "COMMENT"})
    block.push_back(std::string("tag ") + field + " 0");
  block.push_back("playing " + playing);
  block.push_back("info " + info);
  return block;
}

Lines SongBlock(const std::string& playing, const std::string& info) {
  return {"listpos 0",
          "file \"" + kSongPath + "\"",
          "title \"Кино - Группа крови\"",
          "length 285",
          "tag ARTIST 1 \"Кино\"",
          "tag TITLE 1 \"Группа крови\"",
          "tag ALBUM 1 \"Группа крови\"",
          "tag TRACK 1 \"1\"",
          "tag YEAR 1 \"1988\"",
          "tag GENRE 1 \"Рок\"",
          "tag COMMENT 1 \"" + std::string(1024, 'x') + "\"",
          "playing " + playing,
          "info " + info};
}

TEST_F(StandinPlayer, AnswersEveryQueryFromThePlaylistAndItsPlayState) {
  AddProbe("gen_probe.dll");
  ASSERT_EQ(Run(ThreeEntryPlaylist(), "play\nnext\npause\npause\nnext\nstop\nprev\n", "--sticon 3"),
            0u);

  const Lines out = ReadLines(ProbeOut("gen_probe.dll"));
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out[0], "init parent=window instance=own class=\"Winamp v1.x\"");
  const std::size_t menu = FindFrom(out, 0, "menu items=");
  ASSERT_LT(menu, out.size());
  EXPECT_GT(std::stoi(out[menu].substr(11)), 0) << "IPC_GET_HMENU gives a menu with entries";
  EXPECT_NE(FindFrom(out, 0, "inifile \"" + settings_ + "\\winamp.ini\""), out.size());
  EXPECT_NE(FindFrom(out, 0, "sticon 3"), out.size());
  EXPECT_NE(FindFrom(out, 0, "inidir \"" + settings_ + "\""), out.size());
  EXPECT_NE(FindFrom(out, 0, "icons loaded=13"), out.size());

  const std::vector<Report> expected = {
      {"init", SongBlock("0", "0 0 0")},
      {"after 40045", SongBlock("1", "44100 320 2")},
      {"after 40048", UntaggedBlock("1", kStreamPath, "Radio", "-1", "1", "22050 128 1")},
      {"after 40046", UntaggedBlock("1", kStreamPath, "Radio", "-1", "3", "22050 128 1")},
      {"after 40046", UntaggedBlock("1", kStreamPath, "Radio", "-1", "1", "22050 128 1")},
      {"after 40048", UntaggedBlock("2", kPlainPath, kPlainPath, "201", "1", "48000 192 2")},
      {"after 40047", UntaggedBlock("2", kPlainPath, kPlainPath, "201", "0", "0 0 0")},
      {"after 40044", UntaggedBlock("1", kStreamPath, "Radio", "-1", "0", "0 0 0")}};
  EXPECT_EQ(Reports(out), expected);

  ExpectInOrder(ReadLines(LogPath()),
                {"command id=40045 name=play state=playing position=0",
                 "notice code=3003 file=\"" + kSongPath + "\"",
                 "command id=40048 name=next state=playing position=1",
                 "query code=291 file=\"" + kStreamPath + "\" quickcheck=0 answer=1 length=-1",
                 "command id=40046 name=pause state=paused position=1",
                 "command id=40046 name=pause state=playing position=1",
                 "command id=40048 name=next state=playing position=2",
                 "command id=40047 name=stop state=stopped position=2",
                 "command id=40044 name=prev state=stopped position=1"});
}

TEST_F(StandinPlayer, LoadsEveryGenPluginAndKeepsTheCallingOrder) {
  AddProbe("gen_probe.dll");
  AddProbe("gen_second.dll");
  AddProbe("other.dll");
  WriteBytes(plugins_ + "\\gen_broken.dll", "not a module");
  ASSERT_EQ(Run(ThreeEntryPlaylist(), "config\r\nwait 400\r\n"), 0u);

  const std::string first = plugins_ + "\\gen_probe.dll\"";
  const std::string second = plugins_ + "\\gen_second.dll\"";
  const Lines log = ReadLines(LogPath());
  ExpectInOrder(
      log, {"plugin load-failed path=\"" + plugins_ + "\\gen_broken.dll\"",
            "plugin load path=\"" + first + " version=16 description=\"Stand-in probe\"",
            "plugin init path=\"" + first + " result=0", "plugin load path=\"" + second,
            "plugin init path=\"" + second + " result=0", "plugin config path=\"" + first,
            "plugin config-done path=\"" + first, "plugin config path=\"" + second, "close",
            "message name=WM_CLOSE", "plugin quit path=\"" + second, "plugin quit path=\"" + first,
            "window procedure=own", "message name=WM_DESTROY", "plugin unload path=\"" + second,
            "plugin unload path=\"" + first, "player exit code=0"});
  for (const std::string& line : log) EXPECT_EQ(line.find("other.dll"), std::string::npos) << line;
  EXPECT_EQ(ReadLines(ProbeOut("other.dll")).size(), 0u);

  for (const char* name : {"gen_probe.dll", "gen_second.dll"}) {
    const Lines out = ReadLines(ProbeOut(name));
    ExpectInOrder(out, {"init parent=window", "report init", "config", "seen WM_CLOSE",
                        "timer ticks=", "quit", "detach"});
    const std::size_t ticks = FindFrom(out, 0, "timer ticks=");
    ASSERT_LT(ticks, out.size());
    EXPECT_GE(std::stoi(out[ticks].substr(12)), 2) << name << ": wait must pump the timer messages";
  }
}

TEST_F(StandinPlayer, ScriptErrorStillClosesInOrderAndEndsWithCodeOne) {
  AddProbe("gen_probe.dll");
  ASSERT_EQ(Run(ThreeEntryPlaylist(), "select 2\njump\nplay\n"), 1u);
  const Lines log = ReadLines(LogPath());
  ExpectInOrder(log, {"plugin init", "select position=2", "script error line=2 text=\"jump\"",
                      "close", "plugin quit", "plugin unload", "player exit code=1"});
  EXPECT_EQ(FindFrom(log, 0, "command id=40045"), log.size())
      << "nothing runs after the faulty line";
}

// The 13 icons plug-ins pick their tray picture from exist and are all different pictures.
TEST(StandinPlayerIcons, ThirteenDistinctIconsUnderTheirNames) {
  const HMODULE player =
      LoadLibraryExA(WindowsPath(STANDIN_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(player, nullptr);
  std::set<std::string> pictures;
  for (const char* name : {"#102", "#131", "#162", "#163", "#164", "#167", "#169", "#178", "#179",
                           "#180", "#181", "#182", "#262"}) {
    const HRSRC group = FindResourceA(player, name, reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    ASSERT_NE(group, nullptr) << name;
    const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(player, group)));
    const WORD firstId =
        *reinterpret_cast<const WORD*>(directory + 6 + 12);  // header, then nId of entry 0
    const HRSRC icon =
        FindResourceA(player, MAKEINTRESOURCEA(firstId), reinterpret_cast<LPCSTR>(RT_ICON));
    ASSERT_NE(icon, nullptr) << name;
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(player, icon)));
    pictures.insert(std::string(bytes, SizeofResource(player, icon)));
  }
  EXPECT_EQ(pictures.size(), 13u);
  FreeLibrary(player);
}

}  // namespace
