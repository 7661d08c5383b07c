// The configuration dialog worked from outside, as a user works it: found among the
// top-level windows, its controls read with window messages, clicked, typed into. The
// dialog runs modally in the player's thread (or another thread of this process), so it
// is driven from a thread that is not its own.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

extern const char kDialogTitle[];
extern const char kMessageBoxTitle[];

// The top-level dialog window with this title; 0 when none shows up within the wait.
HWND WaitForDialog(const char* title, DWORD waitMs = 20000, HWND owner = nullptr);
// Waits until the window is gone.
bool WaitUntilGone(HWND window, DWORD waitMs = 20000);

struct DialogView {
  HWND dialog = nullptr;

  HWND Item(int id) const { return GetDlgItem(dialog, id); }
  // What the control answers to WM_GETTEXT.
  std::string Text(int id) const;
  bool Checked(int id) const;
  bool Enabled(int id) const;
  bool Visible(int id) const;
  std::vector<std::string> Items(int id) const;
  int Selection(int id) const;

  // A click through the button itself, so automatic check boxes and radio buttons change
  // as they do under the mouse; returns once the dialog has handled it.
  void Click(int id) const;
  // A click whose handling opens another modal window: does not wait for it.
  void ClickLater(int id) const;
  void Type(int id, const std::string& text) const;
  // Picks an item of a drop-down list, with the notice the dialog gets from the user's pick.
  void Pick(int id, int index) const;
};

// The text of a message box (its longest static text) and its closing by OK.
std::string MessageBoxText(HWND box);
void CloseMessageBox(HWND box);

// Runs work in a thread of its own until the object goes out of scope: the other side of
// a modal dialog that the calling thread shows.
class DialogWorker {
 public:
  explicit DialogWorker(std::function<void()> work) : thread_(std::move(work)) {}
  ~DialogWorker() {
    if (thread_.joinable()) thread_.join();
  }
  DialogWorker(const DialogWorker&) = delete;
  DialogWorker& operator=(const DialogWorker&) = delete;

 private:
  std::thread thread_;
};

// Waits for the configuration dialog and presses the button (Cancel by default).
void AnswerDialog(int button = IDCANCEL);
