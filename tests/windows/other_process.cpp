// The test program's second role: a process that shows one window and answers WM_GETTEXT
// with a text of its own.
#include "other_process.h"

#include <gtest/gtest.h>

namespace {

std::string gSpoken;

// The other process gives up after this long, so that a failed test leaves nothing behind.
constexpr UINT kServeLimitMs = 60000;

LRESULT CALLBACK SpeakingProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(gSpoken.size());
  if (msg == WM_GETTEXT && w > 0) {
    lstrcpynA(reinterpret_cast<char*>(l), gSpoken.c_str(), static_cast<int>(w));
    return static_cast<LRESULT>(strlen(reinterpret_cast<char*>(l)));
  }
  if (msg == WM_CLOSE || msg == WM_TIMER) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(h, msg, w, l);
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

bool ServeWindowIfAsked(int argc, char** argv) {
  if (argc != 5 || std::string(argv[1]) != "--window") return false;
  gSpoken = argv[4];
  WNDCLASSA wc{};
  wc.lpfnWndProc = SpeakingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = argv[2];
  RegisterClassA(&wc);
  // The caption is kept by the system (WM_NCCREATE goes to DefWindowProcA), while the
  // procedure answers WM_GETTEXT with the spoken text.
  HWND h = CreateWindowExA(0, argv[2], argv[3], WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           wc.hInstance, nullptr);
  SetTimer(h, 1, kServeLimitMs, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  DestroyWindow(h);
  return true;
}

OtherProcessWindow::OtherProcessWindow(const std::string& className, const std::string& caption,
                                       const std::string& spokenText) {
  char self[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = Quoted(self) + " --window " + Quoted(className) + " " + Quoted(caption) +
                        " " + Quoted(spokenText);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process_)) {
    ADD_FAILURE() << "cannot start " << command;
    return;
  }
  // Idle means the other process has made its window and waits in its message loop.
  WaitForInputIdle(process_.hProcess, 10000);
  for (int tries = 0; tries < 200 && !window_; ++tries) {
    Sleep(25);
    HWND h = nullptr;
    while ((h = FindWindowExA(nullptr, h, className.c_str(), nullptr)) != nullptr) {
      DWORD pid = 0;
      GetWindowThreadProcessId(h, &pid);
      if (pid == process_.dwProcessId) window_ = h;
    }
  }
  if (!window_) ADD_FAILURE() << "the other process showed no window";
}

OtherProcessWindow::~OtherProcessWindow() {
  if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
  if (process_.hProcess) {
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}
