// Everything the main window answers from: the playlist, what is playing, the settings paths
// handed to plug-ins, the main pop-up menu, and the log every event goes to.
#pragma once

#include <windows.h>

#include <string>

#include "event_log.h"
#include "play_state.h"
#include "playlist.h"

namespace standin {

// Owns a menu that no window owns.
class MenuHandle {
 public:
  explicit MenuHandle(HMENU menu = nullptr) : menu_(menu) {}
  MenuHandle(const MenuHandle&) = delete;
  MenuHandle& operator=(const MenuHandle&) = delete;
  ~MenuHandle() { Reset(); }
  HMENU Get() const { return menu_; }
  void Reset(HMENU menu = nullptr) {
    if (menu_) DestroyMenu(menu_);
    menu_ = menu;
  }

 private:
  HMENU menu_;
};

struct PlayerContext {
  explicit PlayerContext(EventLog& eventLog) : log(eventLog) {}
  EventLog& log;
  Playlist playlist;
  Transport transport;
  // Plug-ins get pointers into these two, so they stay put for the player's lifetime.
  std::string iniFile;
  std::string iniDirectory;
  MenuHandle mainMenu;
  HWND window = nullptr;
  bool closeRequested = false;
};

// Answers one query of the player's message interface and logs it.
LRESULT AnswerQuery(PlayerContext& player, WPARAM wParam, LPARAM code);

}  // namespace standin
