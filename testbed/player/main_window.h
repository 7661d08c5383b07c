// The player's main window: the window plug-ins get as hwndParent, subclass, query and
// command. Its procedure answers the queries, carries out the play-control commands and
// notes the closing messages.
#pragma once

#include <windows.h>

#include "player_context.h"

namespace standin {

constexpr const char* kMainWindowClass = "Winamp v1.x";

// Creates the main window and its pop-up menu; the player must outlive the window.
HWND CreateMainWindow(HINSTANCE instance, PlayerContext& player);

// Shows the current entry and play state in the window title.
void UpdateTitle(PlayerContext& player);

// Logs the main pop-up menu's entries, one line each.
void LogMainMenu(PlayerContext& player);

// Whether the window's procedure is the player's own again (no subclass left in place).
bool HasOwnProcedure(HWND window);

}  // namespace standin
