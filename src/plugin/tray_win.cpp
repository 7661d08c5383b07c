// The tray icon: one NOTIFYICONDATAA record in the live settings, reused for every call to
// the shell, with the balloon texts written into it before each modification.
#include "plugin/tray_win.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "plugin/gen_tunepost.h"
#include "plugin/update_cycle_win.h"
#include "settings/settings_model.h"
#include "support/handles_win.h"

int32_t ShellVersion = 400;

namespace {

// The third record version ends with guidItem; the record kept in the settings is that long.
static_assert(offsetof(NOTIFYICONDATAA, guidItem) + sizeof(GUID) == kTrayIconDataSize,
              "the kept record is the shell's third record version");
static_assert(sizeof(NOTIFYICONDATAA) >= kTrayIconDataSize, "the record fits the shell's type");
// The shell library checks the size field of the version record it fills.
static_assert(sizeof(DLLVERSIONINFO) == 20, "the version record of the shell's first form");

constexpr uint32_t kFirstRecordSize = 88;
constexpr uint32_t kSecondRecordSize = 488;
constexpr uint32_t kThirdRecordSize = static_cast<uint32_t>(kTrayIconDataSize);
constexpr UINT kIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr DWORD kBalloonFlags = NIIF_INFO | NIIF_NOSOUND;
constexpr int32_t kDefaultDelaySeconds = 5;

// The host's tray pictures, indexed by its "sticon" setting.
const char* const kHostIconNames[] = {"#102", "#131", "#162", "#163", "#164", "#167", "#169",
                                      "#178", "#179", "#180", "#181", "#182", "#262"};
constexpr int32_t kHostIconCount = static_cast<int32_t>(sizeof kHostIconNames / sizeof *kHostIconNames);

// The kept bytes as the shell's record type, whose declared form may be longer than the
// bytes the settings keep.
NOTIFYICONDATAA ReadRecord() {
  NOTIFYICONDATAA record;
  std::memset(&record, 0, sizeof record);
  std::memcpy(&record, CurrentSettings.TrayIconData, kTrayIconDataSize);
  return record;
}

void KeepRecord(const NOTIFYICONDATAA& record) {
  std::memcpy(CurrentSettings.TrayIconData, &record, kTrayIconDataSize);
}

// Tells the shell and keeps what was handed over for the next call.
void NotifyShell(DWORD action, const NOTIFYICONDATAA& record) {
  KeepRecord(record);
  NOTIFYICONDATAA sent = record;
  Shell_NotifyIconA(action, &sent);
}

// Copies at most capacity - 1 characters, so that the field keeps its terminating NUL.
void CopyBounded(char* field, size_t capacity, const Text& text) {
  std::memset(field, 0, capacity);
  std::memcpy(field, text.data(), text.size() < capacity ? text.size() : capacity - 1);
}

Text HostIniPath() {
  const char* path = reinterpret_cast<const char*>(HostQuery(IPC_GETINIFILE, 0));
  return path ? TextFromBuffer(path) : Text();
}

HICON HostIcon() {
  Text iniPath = HostIniPath();
  if (iniPath.empty()) return nullptr;
  int32_t index = static_cast<int32_t>(GetPrivateProfileIntA("Winamp", "sticon", 0, iniPath.c_str()));
  if (index < 0 || index >= kHostIconCount) return nullptr;
  HINSTANCE hostModule = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(HostWindow(), GWLP_HINSTANCE));
  if (!hostModule) return nullptr;
  return LoadIconA(hostModule, kHostIconNames[index]);
}

uint32_t BalloonTimeout() {
  int32_t delay = TextToIntDef(SettingText(DelayV), kDefaultDelaySeconds);
  // 32-bit arithmetic, as the update timer takes the same delay.
  return static_cast<uint32_t>(std::llabs(static_cast<long long>(delay))) * 1000u;
}

}  // namespace

int32_t ProbeShellVersion() {
  ModuleHandle shell(LoadLibraryA("shell32.dll"));
  if (!shell.get()) return ShellVersion;
  FARPROC found = GetProcAddress(shell.get(), "DllGetVersion");
  if (found) {
    DLLGETVERSIONPROC getVersion = nullptr;
    std::memcpy(&getVersion, &found, sizeof getVersion);
    DLLVERSIONINFO info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (getVersion(&info) == S_OK) {
      ShellVersion = static_cast<int32_t>(info.dwMajorVersion * 100 + info.dwMinorVersion);
    }
  }
  return ShellVersion;
}

uint32_t TrayRecordSize(int32_t shellVersion) {
  if (shellVersion == 600) return kThirdRecordSize;
  return shellVersion < 500 ? kFirstRecordSize : kSecondRecordSize;
}

HICON LoadTrayIcon() {
  HICON icon = HostIcon();
  return icon ? icon : LoadIconA(ModuleInstance(), "MAINICON");
}

void SetUpTrayIcon() {
  NOTIFYICONDATAA record = ReadRecord();
  record.cbSize = TrayRecordSize(ProbeShellVersion());
  KeepRecord(record);
  RemoveTrayIcon();
  if (!SettingChecked(Enable) || !SettingChecked(SetTray)) return;
  record = ReadRecord();
  record.hWnd = HostWindow();
  record.uID = kTrayIconId;
  record.uFlags = kIconFlags;
  record.uCallbackMessage = kTrayCallbackMessage;
  record.hIcon = LoadTrayIcon();
  std::memset(record.szTip, 0, sizeof record.szTip);
  NotifyShell(NIM_ADD, record);
}

void RemoveTrayIcon() {
  NOTIFYICONDATAA record = ReadRecord();
  record.hWnd = HostWindow();
  record.uID = kTrayIconId;
  NotifyShell(NIM_DELETE, record);
}

void ShowTrayText(const Text& text) {
  NOTIFYICONDATAA record = ReadRecord();
  TRLSResult lines;
  SplitText(text, "\r\n", 1, lines, false);
  CopyBounded(record.szInfoTitle, sizeof record.szInfoTitle, lines.LeftPart);
  CopyBounded(record.szInfo, sizeof record.szInfo, lines.RightPart);
  record.uFlags = NIF_INFO;
  record.uTimeout = BalloonTimeout();
  record.dwInfoFlags = kBalloonFlags;
  NotifyShell(NIM_MODIFY, record);
}
