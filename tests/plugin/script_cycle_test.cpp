// The script's part of a cycle: tags in, Status, Status2 and Tray out.
#include <gtest/gtest.h>

#include "plugin/script_cycle.h"
#include "script/math_parser.h"

namespace {

struct CycleCase {
  const char* script;
  const char* artist;
  const char* status;
  const char* status2;
  const char* tray;
};

TEST(ScriptCycle, TagsInResultsOut) {
  const CycleCase cases[] = {
      {"Status=TAGArtist\r\nStatus2=TAGArtist+\" - \"+TAGTitle\r\nTray=\"a\\nb\"", "Кино",
       "Кино", "Кино - Title", "a\r\nb"},
      {"x=1", "Кино", "", "", ""},
      {"Status=TAGArtist", "say \"hi\"", "say \"hi\"", "", ""},
      {"Status2=TAGStatus2+\"|\"+TAGStatus", "", "", "%Status2|%Status", ""},
  };
  for (const CycleCase& c : cases) {
    TMathParser engine;
    int diagnostics = 0;
    engine.DiagnosticHook = [&](TMathParser&, const Text&) { return ++diagnostics, true; };
    LoadScriptEngine(engine, c.script);
    Text tags[kTagCount];
    tags[0] = c.artist;
    tags[1] = "Title";
    tags[kRowStatus] = "%Status";
    tags[kRowStatus2] = "%Status2";
    HandTagsToScript(engine, tags);
    engine.Run();
    TStatus texts = ReadScriptResults(engine);
    EXPECT_EQ(texts.Status, c.status) << c.script;
    EXPECT_EQ(texts.Status2, c.status2) << c.script;
    EXPECT_EQ(texts.Tray, c.tray) << c.script;
    EXPECT_EQ(texts.Picture, 0);
    EXPECT_EQ(diagnostics, 0) << c.script;
  }
}

TEST(ScriptCycle, EveryTickReplacesTheTags) {
  TMathParser engine;
  LoadScriptEngine(engine, "Status=TAGTitle");
  Text tags[kTagCount];
  for (const char* title : {"first", "second"}) {
    tags[1] = title;
    HandTagsToScript(engine, tags);
    engine.Run();
    EXPECT_EQ(ReadScriptResults(engine).Status, title);
  }
}

}  // namespace
