// A window in another process, made by this test program started again with --window.
// Windows of another process behave as the clients' do: GetWindowTextA reads the caption
// the system keeps, while WM_GETTEXT asks the window, and class names are their own.
#pragma once

#include <windows.h>

#include <string>

// Run from main: when the arguments ask for a window, serve it until closed and return
// true.
bool ServeWindowIfAsked(int argc, char** argv);

class OtherProcessWindow {
 public:
  OtherProcessWindow(const std::string& className, const std::string& caption,
                     const std::string& spokenText);
  ~OtherProcessWindow();
  OtherProcessWindow(const OtherProcessWindow&) = delete;
  OtherProcessWindow& operator=(const OtherProcessWindow&) = delete;

  HWND handle() const { return window_; }

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};
