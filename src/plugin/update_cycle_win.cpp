// One update cycle: the track's tags into the script, the script's texts into the clients
// and the tray; and the host window's subclass that drives it.
#include "plugin/update_cycle_win.h"

#include <cstdlib>

#include "messenger/status_control.h"
#include "plugin/ApolloCommands.h"
#include "plugin/gen_tunepost.h"
#include "plugin/script_cycle.h"
#include "plugin/track_info_win.h"
#include "plugin/tray_win.h"
#include "script/math_parser.h"
#include "settings/settings_file.h"

const char kMenuEntryText[] = "ICQ client status (Tunepost Open)";
int32_t BusyCount = 0;
WNDPROC PreviousWindowProc = nullptr;
void (*CycleObserver)(const TStatus& texts) = nullptr;

namespace {

// The shell's notice of a click on the balloon (NIN_BALLOONUSERCLICK).
constexpr UINT kBalloonClick = WM_USER + 5;

// Without a usable DelayV the cycle runs every 5 seconds.
constexpr int32_t kDefaultDelaySeconds = 5;

void RunCycle() {
  CurrentSettings.Playing = CollectTrackInfo();
  HandTagsToScript(*ScriptEngine, CurrentSettings.TagValues);
  ScriptEngine->Run();
  Text oldTray = CurrentSettings.CurrentTexts.Tray;
  CurrentSettings.CurrentTexts = ReadScriptResults(*ScriptEngine);
  DiscoverClients();
  if (SettingChecked(SetStatus) || SettingChecked(SetLongStatus)) {
    for (TClient& slot : CurrentSettings.ClientSlots) ApplyStatus(slot, CurrentSettings.CurrentTexts);
  }
  // An unchanged tray text takes down a balloon that may still be showing.
  if (SettingChecked(SetTray) && SameText(oldTray, CurrentSettings.CurrentTexts.Tray)) ShowTrayText("");
  if (CycleObserver) CycleObserver(CurrentSettings.CurrentTexts);
}

void RestoreAllSlots() {
  for (TClient& slot : CurrentSettings.ClientSlots) RestoreStatus(slot);
}

bool IsClosingMessage(UINT message, WPARAM wParam) {
  return message == WM_CLOSE || message == WM_QUERYENDSESSION || message == WM_QUIT ||
         (message == WM_SYSCOMMAND && wParam == SC_CLOSE);
}

// The five track queries of a cycle, which must not touch the timer.
bool IsIgnoredQuery(UINT message, LPARAM lParam) {
  return message == WM_WA_IPC && (lParam == IPC_ISPLAYING || lParam == IPC_GETLISTPOS ||
                                  lParam == IPC_GETPLAYLISTFILE || lParam == IPC_GETPLAYLISTTITLE ||
                                  lParam == IPC_GET_EXTENDED_FILE_INFO);
}

bool IsRestartCommand(UINT message, WPARAM wParam, LPARAM lParam) {
  int32_t command = static_cast<int32_t>(wParam);
  if (message == WM_COMMAND) return command >= 40044 && command <= 40048;
  if (message == WM_WA_IPC) return lParam == IPC_PLAYING_FILE || lParam == IPC_TRACK_NOTICE;
  return message == kApolloCommandMessage && wParam >= kApolloFirstPlayCommand &&
         wParam <= kApolloLastPlayCommand;
}

void BringHostForward(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
}

void OpenHostMenu(HWND window) {
  HMENU menu = reinterpret_cast<HMENU>(HostQuery(IPC_GET_HMENU, 0));
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(window);
  TrackPopupMenu(menu, 0, cursor.x, cursor.y, 0, window, nullptr);
}

void OnTrayCallback(HWND window, LPARAM lParam) {
  switch (LOWORD(lParam)) {
    case WM_MOUSEMOVE:
      ShowTrayText(CurrentSettings.CurrentTexts.Tray);
      break;
    case WM_LBUTTONUP:
    case kBalloonClick:
      BringHostForward(window);
      break;
    case WM_RBUTTONUP:
      OpenHostMenu(window);
      break;
    default:
      break;
  }
}

void ReactToHostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsClosingMessage(message, wParam)) {
    StopUpdateTimer(window);
    if (SettingChecked(SaveRestore)) RestoreAllSlots();
    return;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) == kMenuCommandId) {
    HostRecord.config();
  }
  if (SettingChecked(SetTray) && message == kTrayCallbackMessage) OnTrayCallback(window, lParam);
  if (IsIgnoredQuery(message, lParam)) return;
  if (IsRestartCommand(message, wParam, lParam)) StopUpdateTimer(window);
  if (CurrentSettings.UpdateTimerId == 0) StartUpdateTimer(window);
}

HMENU HostMenu() {
  return reinterpret_cast<HMENU>(HostQuery(IPC_GET_HMENU, 0));
}

}  // namespace

UINT UpdateInterval() {
  int32_t delay = TextToIntDef(SettingText(DelayV), kDefaultDelaySeconds);
  // 32-bit arithmetic, as the timer takes it.
  return static_cast<UINT>(static_cast<uint32_t>(std::abs(static_cast<int64_t>(delay))) * 1000u);
}

void StopUpdateTimer(HWND window) {
  if (CurrentSettings.UpdateTimerId != 0) KillTimer(window, CurrentSettings.UpdateTimerId);
  CurrentSettings.UpdateTimerId = 0;
  BusyCount = 0;
}

void StartUpdateTimer(HWND window) {
  if (BusyCount > 0) return;
  UINT interval = UpdateInterval();
  if (CurrentSettings.UpdateTimerId != 0) StopUpdateTimer(window);
  CurrentSettings.UpdateTimerId = static_cast<uint32_t>(SetTimer(window, kUpdateTimerId, interval, UpdateTick));
}

void CALLBACK UpdateTick(HWND, UINT, UINT_PTR timerId, DWORD) {
  try {
    if (timerId != kUpdateTimerId) return;
    StopUpdateTimer(HostWindow());
    ++BusyCount;
    // A cycle found disabled stays stopped, still counted busy, until the next restart.
    if (!SettingChecked(Enable) || !ScriptEngine) return;
    RunCycle();
    --BusyCount;
    StartUpdateTimer(HostWindow());
  } catch (...) {
  }
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The host sees every message first and unchanged; the plug-in only reacts afterwards.
  LRESULT result = CallWindowProcA(PreviousWindowProc, window, message, wParam, lParam);
  try {
    ReactToHostMessage(window, message, wParam, lParam);
  } catch (...) {
  }
  return result;
}

void SyncHostHooks() {
  SetUpTrayIcon();
  HMENU menu = HostMenu();
  HWND host = HostWindow();
  if (SettingChecked(Enable)) {
    if (PreviousWindowProc == nullptr) {
      PreviousWindowProc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostWindowProc)));
    }
    if (menu && SettingChecked(AddInMenu)) AppendMenuA(menu, MF_STRING, kMenuCommandId, kMenuEntryText);
    return;
  }
  StopUpdateTimer(host);
  if (PreviousWindowProc == nullptr) return;
  if (menu && SettingChecked(AddInMenu)) DeleteMenu(menu, kMenuCommandId, MF_BYCOMMAND);
  SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviousWindowProc));
  PreviousWindowProc = nullptr;
  if (SettingChecked(SaveRestore)) RestoreAllSlots();
}
