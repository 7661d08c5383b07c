// The plug-in's tray icon and its balloon.
#pragma once

#include "support/text.h"

// Removes the icon, and adds it again while the plug-in is enabled with SetTray set.
void SetUpTrayIcon();
void RemoveTrayIcon();
// Shows the text in the icon's balloon; the empty text takes the balloon down.
void ShowTrayText(const Text& text);
