// The control classes of both stand-in clients: "TEdit" and "TMemo" (superclasses of EDIT),
// "TComboBox" (of COMBOBOX) and "TPanel" (a panel with a text that takes clicks). Each
// control has a name the log calls it by; what another process sends it is logged.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

// Called on a panel's click: a press followed by a release on the same panel.
using PanelClickHandler = void (*)(HWND panel, int x, int y);

bool RegisterControlClasses(HINSTANCE instance, PanelClickHandler onClick);

// A child control named for the log; created without logging its own creation.
HWND CreateControl(const char* className, const std::string& logName, const std::string& text,
                   DWORD style, HWND parent, int x, int y, int width, int height);
// Names a window the client made some other way (its main window, its forms).
void NameWindow(HWND window, const std::string& logName);
std::string ControlName(HWND control);

// While one lives, the client's own changes to its controls are not logged as messages.
class QuietChanges {
 public:
  QuietChanges();
  ~QuietChanges();
  QuietChanges(const QuietChanges&) = delete;
  QuietChanges& operator=(const QuietChanges&) = delete;

 private:
  bool was_;
};

// Logs a mouse button message: "button target=... action=down|up|double keys=N x=N y=N".
void LogButton(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
// Logs WM_SYSCOMMAND: "syscommand target=... command=SC_CLOSE" (or the number).
void LogSysCommand(HWND target, WPARAM wParam);

}  // namespace standin
