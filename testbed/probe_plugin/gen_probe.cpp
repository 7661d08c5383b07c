// gen_probe.dll: a general-purpose plug-in that tests the stand-in player from the inside.
// It asks the player's queries at init and after every play-control command its subclass
// sees, and notes its entries, the closing message and its timer; everything goes, one line
// per fact, to the file beside it named after it with ".out" appended.
#include <windows.h>

#include <string>

#include "player_ipc.h"
#include "plugin_record.h"

namespace {

using standin::GeneralPurposePlugin;

constexpr UINT_PTR kProbeTimer = 77;
constexpr const char* kIconNames[] = {"#102", "#131", "#162", "#163", "#164", "#167", "#169",
                                      "#178", "#179", "#180", "#181", "#182", "#262"};
constexpr const char* kFields[] = {"ARTIST", "TITLE", "ALBUM", "TRACK", "YEAR", "GENRE", "COMMENT"};

HINSTANCE g_self = nullptr;
std::string g_outPath;
WNDPROC g_previous = nullptr;
int g_ticks = 0;

int Init();
void Config();
void Quit();

GeneralPurposePlugin g_record = {
    standin::kPluginRecordVersion, "Stand-in probe", Init, Config, Quit, nullptr, nullptr};

void Write(const std::string& line) {
  const HANDLE file = CreateFileA(g_outPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

LRESULT Ask(WPARAM wParam, LPARAM code) {
  return SendMessageA(g_record.hwndParent, standin::kIpcMessage, wParam, code);
}

const char* TextAt(LRESULT pointer) {
  return reinterpret_cast<const char*>(pointer);
}

std::string Quoted(const char* text) {
  return text ? "\"" + std::string(text) + "\"" : "none";
}

void ReportTags(const char* path) {
  char buffer[1025] = {};
  for (const char* field : kFields) {
    standin::ExtendedFileInfo info = {path, field, buffer, sizeof buffer};
    const LRESULT answer = Ask(reinterpret_cast<WPARAM>(&info), standin::kIpcGetExtendedFileInfo);
    Write(std::string("tag ") + field + " " + std::to_string(answer) +
          (answer == 1 ? " " + Quoted(buffer) : ""));
  }
}

void Report(const std::string& trigger) {
  Write("report " + trigger);
  const LRESULT position = Ask(0, standin::kIpcGetListPos);
  Write("listpos " + std::to_string(position));
  const char* path = TextAt(Ask(static_cast<WPARAM>(position), standin::kIpcGetPlaylistFile));
  Write("file " + Quoted(path));
  Write("title " +
        Quoted(TextAt(Ask(static_cast<WPARAM>(position), standin::kIpcGetPlaylistTitle))));
  standin::BasicFileInfo basic = {path ? path : "", 0, 12345, nullptr, 0};
  Ask(reinterpret_cast<WPARAM>(&basic), standin::kIpcGetBasicFileInfo);
  Write("length " + std::to_string(basic.length));
  ReportTags(path ? path : "");
  Write("playing " + std::to_string(Ask(0, standin::kIpcIsPlaying)));
  std::string info = "info";
  for (WPARAM which = 0; which < 3; ++which)
    info += " " + std::to_string(Ask(which, standin::kIpcGetInfo));
  Write(info);
}

void ReportHost() {
  const HWND host = g_record.hwndParent;
  char className[64] = {};
  GetClassNameA(host, className, sizeof className);
  Write(std::string("init parent=") + (IsWindow(host) ? "window" : "none") + " instance=" +
        (g_record.hDllInstance == g_self ? "own" : "other") + " class=" + Quoted(className));
  const HMENU menu = reinterpret_cast<HMENU>(Ask(0, standin::kIpcGetHmenu));
  Write("menu items=" + std::to_string(menu ? GetMenuItemCount(menu) : -1));
  const char* ini = TextAt(Ask(0, standin::kIpcGetIniFile));
  Write("inifile " + Quoted(ini));
  Write("sticon " + std::to_string(ini ? GetPrivateProfileIntA("Winamp", "sticon", 0, ini) : 0));
  Write("inidir " + Quoted(TextAt(Ask(0, standin::kIpcGetIniDirectory))));
  const auto hostModule = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(host, GWLP_HINSTANCE));
  int icons = 0;
  for (const char* name : kIconNames) icons += LoadIconA(hostModule, name) ? 1 : 0;
  Write("icons loaded=" + std::to_string(icons));
}

void Watch(UINT message, WPARAM wParam, LPARAM lParam) {
  const WORD id = LOWORD(wParam);
  if (message == WM_COMMAND && id >= standin::kCommandPrevious && id <= standin::kCommandNext) {
    Write("seen command " + std::to_string(id));
    Report("after " + std::to_string(id));
  } else if (message == WM_CLOSE) {
    Write("seen WM_CLOSE");
  } else if (message == WM_TIMER && wParam == kProbeTimer) {
    ++g_ticks;
  } else if (message == standin::kIpcMessage && lParam == standin::kIpcPlayingFile) {
    Write("seen notice " + Quoted(TextAt(static_cast<LRESULT>(wParam))));
  }
}

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcA(g_previous, window, message, wParam, lParam);
  try {
    Watch(message, wParam, lParam);
  } catch (...) {
  }
  return result;
}

int Init() {
  try {
    ReportHost();
    Report("init");
    g_previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        g_record.hwndParent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProbeWindowProc)));
    SetTimer(g_record.hwndParent, kProbeTimer, 50, nullptr);
  } catch (...) {
  }
  return 0;
}

void Config() {
  try {
    Write("config");
  } catch (...) {
  }
}

void Quit() {
  try {
    KillTimer(g_record.hwndParent, kProbeTimer);
    Write("timer ticks=" + std::to_string(g_ticks));
    if (g_previous)
      SetWindowLongPtrA(g_record.hwndParent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
    g_previous = nullptr;
    Write("quit");
  } catch (...) {
  }
}

std::string OutPath(HINSTANCE self) {
  char buffer[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameA(self, buffer, sizeof buffer);
  return std::string(buffer, length) + ".out";
}

}  // namespace

extern "C" __declspec(dllexport) GeneralPurposePlugin* winampGetGeneralPurposePlugin() {
  return &g_record;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  try {
    if (reason == DLL_PROCESS_ATTACH) {
      g_self = instance;
      g_outPath = OutPath(instance);
      DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
      Write("detach");
    }
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}
