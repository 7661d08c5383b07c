// The update cycle in the stand-in player: the countdown after play-control commands, the
// fifteen queries of one cycle in their order, the menu entry, and the settings that
// switch the hooks off.
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "standin_session.h"

#ifndef MODULE_DLL
#error "MODULE_DLL must name gen_tunepost.dll"
#endif

namespace {

const char kPlaylist[] =
    "[entry]\r\npath=C:\\Музыка\\Кино\\01 Группа крови.mp3\r\nlisttitle=Кино - Группа крови\r\n"
    "artist=Кино\r\ntitle=Группа крови\r\nlength=285\r\nbitrate=320\r\nsamplerate=44100\r\n"
    "channels=2\r\n"
    "[entry]\r\npath=http://radio.example.org/live\r\nlength=-1\r\n";

const char kMenuEntry[] = "text=\"ICQ client status (Tunepost Open)\"";

size_t CountFrom(const Lines& lines, size_t from, const std::string& prefix) {
  size_t count = 0;
  for (size_t i = from; i < lines.size(); ++i) count += StartsWith(lines[i], prefix);
  return count;
}

size_t CountContaining(const Lines& lines, const std::string& part) {
  size_t count = 0;
  for (const std::string& line : lines) count += line.find(part) != std::string::npos;
  return count;
}

class ModuleCycle : public ::testing::Test {
 protected:
  // The module with its settings file beside it; a delay of one second keeps runs short.
  void Install(const std::string& languageKeys) {
    session_.AddPlugin(MODULE_DLL, "gen_tunepost.dll");
    WriteBytes(session_.plugins() + "\\gen_tunepost.dll.ini",
               "[ICQ client status]\r\nLang=Russian\r\n[ICQ client status_Russian]\r\n"
               "DelayV.Value=1\r\n" + languageKeys);
  }
  // Commands that open the configuration get an answer: Cancel.
  Lines RunPlayer(const std::string& commands) {
    size_t dialogs = 0;
    for (size_t at = 0; (at = commands.find("config\n", at)) != std::string::npos; ++at) ++dialogs;
    for (size_t at = 0; (at = commands.find("command 2005\n", at)) != std::string::npos; ++at) ++dialogs;
    DialogWorker user([dialogs] {
      for (size_t i = 0; i < dialogs; ++i) AnswerDialog(IDCANCEL);
    });
    EXPECT_EQ(session_.Run(kPlaylist, commands), 0u);
    return session_.Log();
  }
  StandinSession session_;
};

TEST_F(ModuleCycle, OneCycleAsksTheFifteenQueriesInOrder) {
  Install("");
  Lines log = RunPlayer("play\nwait 1600\nmenu\nclose\nwait 300\n");
  size_t play = FindFrom(log, 0, "command id=40045");
  ASSERT_LT(play, log.size());
  ExpectInOrder(Lines(log.begin() + static_cast<long>(play), log.end()),
                {"query code=125", "query code=211", "query code=291",
                 "query code=290 file=\"C:\\Музыка\\Кино\\01 Группа крови.mp3\" field=\"ARTIST\"",
                 "query code=290", "query code=290", "query code=290", "query code=290",
                 "query code=290", "query code=290 file=\"C:\\Музыка\\Кино\\01 Группа крови.mp3\" field=\"COMMENT\"",
                 "query code=212", "query code=104", "query code=126 wparam=1",
                 "query code=126 wparam=0", "query code=126 wparam=2"});
  EXPECT_EQ(CountFrom(log, play, "query code=125"), 1u);
  EXPECT_EQ(CountFrom(log, play, "query code=290"), 7u);
  EXPECT_EQ(CountContaining(log, kMenuEntry), 1u);
  EXPECT_EQ(CountFrom(log, FindFrom(log, 0, "message name=WM_CLOSE"), "query code=125"), 0u);
  ExpectInOrder(log, {"plugin quit", "window procedure=own", "plugin unload", "player exit code=0"});
}

TEST_F(ModuleCycle, EveryPlayCommandRestartsTheCountdown) {
  Install("");
  Lines log = RunPlayer("play\nwait 500\nnext\nwait 500\nprev\nwait 500\nnext\nwait 1500\nstop\n");
  size_t lastNext = FindFrom(log, FindFrom(log, FindFrom(log, 0, "command id=40048") + 1, "command id=40048"), "command id=40048");
  ASSERT_LT(lastNext, log.size());
  EXPECT_EQ(CountFrom(log, 0, "query code=125"), 1u) << "one cycle, a delay after the last command";
  EXPECT_EQ(CountFrom(log, lastNext, "query code=125"), 1u);
}

TEST_F(ModuleCycle, CyclesRepeatAtTheDelay) {
  Install("");
  Lines log = RunPlayer("play\nwait 3500\nstop\n");
  size_t cycles = CountFrom(log, 0, "query code=125");
  EXPECT_GE(cycles, 2u);
  EXPECT_LE(cycles, 4u);
}

TEST_F(ModuleCycle, DisabledPluginHooksNothingAndQuitWritesNothing) {
  Install("Enable.Value=0\r\n");
  std::string ini = ReadBytes(session_.plugins() + "\\gen_tunepost.dll.ini");
  Lines log = RunPlayer("config\nplay\nwait 1600\nmenu\nstop\n");
  EXPECT_EQ(ReadBytes(session_.plugins() + "\\gen_tunepost.dll.ini"), ini);
  EXPECT_EQ(CountFrom(log, 0, "query code=125"), 0u);
  EXPECT_EQ(CountContaining(log, kMenuEntry), 0u);
  ExpectInOrder(log, {"plugin quit", "window procedure=own"});
}

TEST_F(ModuleCycle, NoMenuEntryWhenAskedNotTo) {
  Install("AddInMenu.Value=0\r\n");
  Lines log = RunPlayer("play\nwait 1600\nmenu\nstop\n");
  EXPECT_EQ(CountContaining(log, kMenuEntry), 0u);
  EXPECT_EQ(CountFrom(log, 0, "query code=125"), 1u);
}

TEST_F(ModuleCycle, TheMenuEntryOpensTheConfigurationAndThePluginRunsOn) {
  Install("");
  Lines log = RunPlayer("menu\ncommand 2005\nmenu\nplay\nwait 1600\nstop\n");
  // quit took the entry away and init put it back: it is there once, before and after.
  size_t command = FindFrom(log, 0, "command id=2005");
  ASSERT_LT(command, log.size());
  EXPECT_EQ(CountContaining(Lines(log.begin(), log.begin() + static_cast<long>(command)), kMenuEntry), 1u);
  EXPECT_EQ(CountContaining(Lines(log.begin() + static_cast<long>(command), log.end()), kMenuEntry), 1u);
  EXPECT_EQ(CountFrom(log, command, "query code=125"), 1u);
  ExpectInOrder(log, {"plugin quit", "window procedure=own"});
}

TEST_F(ModuleCycle, EmptyDelayMeansFiveSeconds) {
  session_.AddPlugin(MODULE_DLL, "gen_tunepost.dll");
  WriteBytes(session_.plugins() + "\\gen_tunepost.dll.ini",
             "[ICQ client status]\r\nLang=Russian\r\n[ICQ client status_Russian]\r\nDelayV.Value=abc\r\n");
  Lines log = RunPlayer("play\nwait 3000\nstop\n");
  EXPECT_EQ(CountFrom(log, 0, "query code=125"), 0u) << "no cycle before five seconds";
}

}  // namespace
