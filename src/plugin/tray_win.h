// The plug-in's tray icon and its balloon: the record the shell is handed, sized for the
// shell that runs, the picture taken from the host player, and the three operations.
#pragma once

#include <windows.h>

#include <cstdint>

#include "support/text.h"

constexpr UINT kTrayIconId = 1000;

// The shell library's version times 100 (6.00 gives 600); 400 until a probe succeeds.
extern int32_t ShellVersion;

// Asks the shell library for its version; a failed probe leaves ShellVersion as it was.
int32_t ProbeShellVersion();
// How many bytes of the record the shell of this version reads.
uint32_t TrayRecordSize(int32_t shellVersion);
// The host's own tray picture as its INI file names it, or the module's "MAINICON".
HICON LoadTrayIcon();
// Removes the icon, and adds it again while the plug-in is enabled with SetTray set.
void SetUpTrayIcon();
void RemoveTrayIcon();
// Shows the text in the icon's balloon: its first line as the title, the rest as the
// body. A text without a second line takes any balloon down and opens none.
void ShowTrayText(const Text& text);
