// The player's message interface as plug-ins use it: the query message with its codes, the
// records two of the queries point to, and the play-control command ids of the main window.
#pragma once

#include <windows.h>

#include <cstdint>

namespace standin {

constexpr UINT kIpcMessage = WM_USER;

enum IpcCode : LPARAM {
  kIpcIsPlaying = 104,
  kIpcGetListPos = 125,
  kIpcGetInfo = 126,
  kIpcGetPlaylistFile = 211,
  kIpcGetPlaylistTitle = 212,
  kIpcGetHmenu = 281,
  kIpcGetExtendedFileInfo = 290,
  kIpcGetBasicFileInfo = 291,
  kIpcGetIniFile = 334,
  kIpcGetIniDirectory = 335,
  // Not a query: the notice the player sends its own window when a track starts.
  kIpcPlayingFile = 3003,
};

enum PlayCommand : WORD {
  kCommandExit = 40001,
  kCommandPrevious = 40044,
  kCommandPlay = 40045,
  kCommandPause = 40046,
  kCommandStop = 40047,
  kCommandNext = 40048,
};

struct BasicFileInfo {
  const char* filename;
  std::int32_t quickCheck;
  std::int32_t length;
  char* title;
  std::int32_t titleLength;
};
static_assert(sizeof(BasicFileInfo) == 20, "five 32-bit fields");

struct ExtendedFileInfo {
  const char* filename;
  const char* metadata;
  char* ret;
  std::int32_t retLength;
};
static_assert(sizeof(ExtendedFileInfo) == 16, "four 32-bit fields");

}  // namespace standin
