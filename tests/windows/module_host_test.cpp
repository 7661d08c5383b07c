// The module in the stand-in player, as the real host drives it: loaded, its record read,
// init, play-control commands, quit, the host window's own procedure back, unload.
#include <gtest/gtest.h>

#include "standin_session.h"

#ifndef MODULE_DLL
#error "MODULE_DLL must name gen_tunepost.dll"
#endif

namespace {

const char kOneTrack[] =
    "[entry]\r\npath=C:\\Музыка\\Кино\\01.mp3\r\nartist=Кино\r\ntitle=Группа крови\r\n"
    "length=285\r\n";

TEST(ModuleInHost, LoadInitQuitUnload) {
  StandinSession session;
  session.AddPlugin(MODULE_DLL, "gen_tunepost.dll");
  ASSERT_EQ(session.Run(kOneTrack, "play\nwait 200\nstop\n"), 0u);
  std::string module = session.plugins() + "\\gen_tunepost.dll\"";
  ExpectInOrder(session.Log(),
                {"plugin load path=\"" + module + " version=16 description=\"ICQ client status\"",
                 "plugin init path=\"" + module + " result=0", "command id=40045 name=play",
                 "command id=40047 name=stop", "message name=WM_CLOSE",
                 "plugin quit path=\"" + module, "window procedure=own",
                 "plugin unload path=\"" + module, "player exit code=0"});
}

}  // namespace
