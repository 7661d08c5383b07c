// The tray icon comes with the module's icon resource; until then there is no icon to
// show or remove, and the balloon has nowhere to appear.
#include "plugin/tray_win.h"

void SetUpTrayIcon() {
  RemoveTrayIcon();
}

void RemoveTrayIcon() {}

void ShowTrayText(const Text&) {}
