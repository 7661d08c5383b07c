// The main window's procedure. Play-control commands arrive as WM_COMMAND, from the script,
// the menu or a plug-in alike, so a plug-in's subclass sees every one of them.
#include "main_window.h"

#include <algorithm>
#include <string>

#include "player_ipc.h"
#include "testbed/cycle_report/cycle_report.h"

namespace standin {
namespace {

PlayerContext* g_player = nullptr;

const char* CommandName(WORD id) {
  switch (id) {
    case kCommandPrevious:
      return "prev";
    case kCommandPlay:
      return "play";
    case kCommandPause:
      return "pause";
    case kCommandStop:
      return "stop";
    case kCommandNext:
      return "next";
    case kCommandExit:
      return "exit";
    default:
      return "other";
  }
}

}  // namespace

// The title the player shows: "N. title - Winamp", marked while paused or stopped.
void UpdateTitle(PlayerContext& player) {
  const PlaylistEntry* entry = player.playlist.At(player.transport.position);
  std::string title = "Winamp";
  if (entry) {
    title = std::to_string(player.transport.position + 1) + ". " + entry->listTitle + " - Winamp";
    if (player.transport.state == PlayState::kPaused) title += " [Paused]";
    if (player.transport.state == PlayState::kStopped) title += " [Stopped]";
  }
  SetWindowTextA(player.window, title.c_str());
}

namespace {

bool ApplyCommand(Transport& transport, WORD id) {
  switch (id) {
    case kCommandPrevious:
      return transport.Previous();
    case kCommandPlay:
      return transport.Play();
    case kCommandPause:
      return transport.Pause();
    case kCommandStop:
      return transport.Stop();
    case kCommandNext:
      return transport.Next();
    default:
      return false;
  }
}

// Tells the window, as the player does, that a track has started.
void AnnounceTrackStart(PlayerContext& player) {
  const PlaylistEntry* entry = player.playlist.At(player.transport.position);
  if (!entry) return;
  player.log.Write(LogLine("notice").Number("code", kIpcPlayingFile).Text("file", entry->path));
  SendMessageA(player.window, kIpcMessage, reinterpret_cast<WPARAM>(entry->path.c_str()),
               kIpcPlayingFile);
}

void OnCommand(PlayerContext& player, WPARAM wParam) {
  const WORD id = LOWORD(wParam);
  const bool started = ApplyCommand(player.transport, id);
  player.log.Write(LogLine("command")
                       .Number("id", id)
                       .Word("name", CommandName(id))
                       .Word("state", PlayStateName(player.transport.state))
                       .Number("position", player.transport.position));
  if (id == kCommandExit) PostMessageA(player.window, WM_CLOSE, 0, 0);
  if (id >= kCommandPrevious && id <= kCommandNext) UpdateTitle(player);
  if (started) AnnounceTrackStart(player);
}

// The module's test copy reports the texts of every update cycle.
void OnCycleReport(PlayerContext& player, LPARAM lParam) {
  const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (!copy || copy->dwData != kCycleReportTag || !copy->lpData) return;
  const std::string data(static_cast<const char*>(copy->lpData), copy->cbData);
  std::string texts[3];
  std::size_t from = 0;
  for (std::string& text : texts) {
    const std::size_t end = std::min(data.find('\0', from), data.size());
    if (from < data.size()) text = data.substr(from, end - from);
    from = end + 1;
  }
  player.log.Write(
      LogLine("report").Text("status", texts[0]).Text("status2", texts[1]).Text("tray", texts[2]));
}

LRESULT Dispatch(PlayerContext& player, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA:
      OnCycleReport(player, lParam);
      return TRUE;
    case kIpcMessage:
      return AnswerQuery(player, wParam, lParam);
    case WM_COMMAND:
      OnCommand(player, wParam);
      return 0;
    case WM_CLOSE:
      // Closing is finished outside this procedure, so that plug-ins are unloaded only
      // once no subclass procedure of theirs is running.
      player.log.Write(LogLine("message").Word("name", "WM_CLOSE"));
      player.closeRequested = true;
      return 0;
    case WM_DESTROY:
      player.log.Write(LogLine("message").Word("name", "WM_DESTROY"));
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (g_player) return Dispatch(*g_player, window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HMENU BuildMainMenu() {
  const HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, kCommandPrevious, "Previous");
  AppendMenuA(menu, MF_STRING, kCommandPlay, "Play");
  AppendMenuA(menu, MF_STRING, kCommandPause, "Pause");
  AppendMenuA(menu, MF_STRING, kCommandStop, "Stop");
  AppendMenuA(menu, MF_STRING, kCommandNext, "Next");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kCommandExit, "Exit");
  return menu;
}

bool RegisterMainClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "#102");
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  return RegisterClassA(&windowClass) != 0;
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance, PlayerContext& player) {
  if (!RegisterMainClass(instance)) return nullptr;
  g_player = &player;
  player.window = CreateWindowExA(0, kMainWindowClass, "Winamp", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 275, 116, nullptr, nullptr, instance, nullptr);
  if (!player.window) return nullptr;
  player.mainMenu.Reset(BuildMainMenu());
  UpdateTitle(player);
  ShowWindow(player.window, SW_SHOWNORMAL);
  return player.window;
}

void LogMainMenu(PlayerContext& player) {
  const HMENU menu = player.mainMenu.Get();
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    player.log.Write(LogLine("menu")
                         .Number("index", i)
                         .Number("id", static_cast<int>(GetMenuItemID(menu, i)))
                         .Text("text", text));
  }
}

bool HasOwnProcedure(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) == MainWindowProc;
}

}  // namespace standin
