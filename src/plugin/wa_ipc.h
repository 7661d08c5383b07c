// The host player's interface as the plug-in uses it: the general-purpose plug-in record,
// the IPC message with its query codes, the play-control commands and the records the
// file-information queries fill.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The host's record version for general-purpose plug-ins.
constexpr int32_t GPPHDR_VER = 0x10;

struct winampGeneralPurposePlugin {
  int32_t version;
  const char* description;
  int32_t (*init)();
  void (*config)();
  void (*quit)();
  HWND hwndParent;
  HINSTANCE hDllInstance;
};
// The host reads the record by offsets: seven 32-bit fields in this order.
static_assert(sizeof(void*) == 4, "the host is a 32-bit program");
static_assert(sizeof(winampGeneralPurposePlugin) == 28, "seven 32-bit fields");
static_assert(offsetof(winampGeneralPurposePlugin, description) == 4, "description second");
static_assert(offsetof(winampGeneralPurposePlugin, init) == 8, "init third");
static_assert(offsetof(winampGeneralPurposePlugin, config) == 12, "config fourth");
static_assert(offsetof(winampGeneralPurposePlugin, quit) == 16, "quit fifth");
static_assert(offsetof(winampGeneralPurposePlugin, hwndParent) == 20, "window sixth");
static_assert(offsetof(winampGeneralPurposePlugin, hDllInstance) == 24, "instance last");

// Queries: SendMessageA(host, WM_WA_IPC, wParam, code).
constexpr UINT WM_WA_IPC = WM_USER;
constexpr LPARAM IPC_ISPLAYING = 104;
constexpr LPARAM IPC_GETLISTPOS = 125;
constexpr LPARAM IPC_GETINFO = 126;
constexpr LPARAM IPC_GETPLAYLISTFILE = 211;
constexpr LPARAM IPC_GETPLAYLISTTITLE = 212;
constexpr LPARAM IPC_GET_EXTENDED_FILE_INFO = 290;
constexpr LPARAM IPC_GET_BASIC_FILE_INFO = 291;
constexpr LPARAM IPC_GET_HMENU = 281;
constexpr LPARAM IPC_GETINIFILE = 334;
constexpr LPARAM IPC_GETINIDIRECTORY = 335;
// Notices the host sends itself around the start of a track.
constexpr LPARAM IPC_PLAYING_FILE = 3003;
constexpr LPARAM IPC_TRACK_NOTICE = 636;

// Answers of IPC_ISPLAYING.
constexpr LRESULT kHostPlaying = 1;
constexpr LRESULT kHostPaused = 3;

// Play-control commands, WM_COMMAND identifiers of the host's main window.
constexpr WPARAM WINAMP_BUTTON1 = 40044;  // Previous
constexpr WPARAM WINAMP_BUTTON2 = 40045;  // Play
constexpr WPARAM WINAMP_BUTTON3 = 40046;  // Pause
constexpr WPARAM WINAMP_BUTTON4 = 40047;  // Stop
constexpr WPARAM WINAMP_BUTTON5 = 40048;  // Next

struct basicFileInfoStruct {
  const char* filename;
  int32_t quickCheck;  // 0: always fetch
  int32_t length;      // seconds, negative when the host cannot tell
  char* title;
  int32_t titlelen;
};
static_assert(sizeof(basicFileInfoStruct) == 20, "five 32-bit fields");

struct extendedFileInfoStruct {
  const char* filename;
  const char* metadata;
  char* ret;
  size_t retlen;
};
static_assert(sizeof(extendedFileInfoStruct) == 16, "four 32-bit fields");
