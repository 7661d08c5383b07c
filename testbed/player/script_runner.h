// Running the command script on the user-interface thread: messages are pumped between
// commands and during "wait", so timers and posted messages reach the main window.
#pragma once

#include "command_source.h"
#include "player_context.h"
#include "plugin_host.h"

namespace standin {

// Runs until the script ends, "close", a script error or a WM_CLOSE; returns the exit code
// the player ends with (0, or 1 after a script error).
int RunScript(PlayerContext& player, PluginHost& plugins, CommandSource& commands);

// The closing sequence: WM_CLOSE unless the window already had one, quit of every plug-in,
// the window destroyed, the plug-ins unloaded.
void ClosePlayer(PlayerContext& player, PluginHost& plugins);

}  // namespace standin
