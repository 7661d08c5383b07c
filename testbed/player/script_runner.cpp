// The script commands: play, pause, stop, next, prev, wait N, config, close, select N,
// log TEXT, menu and command N (README.md describes them).
#include "script_runner.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include "main_window.h"
#include "player_ipc.h"

namespace standin {
namespace {

enum class Outcome { kContinue, kClose, kError };

void PumpPending(PlayerContext& player) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      player.closeRequested = true;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Wait(PlayerContext& player, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpPending(player);
    const DWORD elapsed = GetTickCount() - start;
    if (player.closeRequested || elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

bool ParseCount(const std::string& text, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0';
}

int PlayCommandId(const std::string& word) {
  if (word == "play") return kCommandPlay;
  if (word == "pause") return kCommandPause;
  if (word == "stop") return kCommandStop;
  if (word == "next") return kCommandNext;
  if (word == "prev") return kCommandPrevious;
  return 0;
}

Outcome SendCommand(PlayerContext& player, long id) {
  if (id <= 0 || id > 0xFFFF) return Outcome::kError;
  SendMessageA(player.window, WM_COMMAND, static_cast<WPARAM>(id), 0);
  return Outcome::kContinue;
}

Outcome Select(PlayerContext& player, const std::string& argument) {
  long position = 0;
  if (!ParseCount(argument, position) ||
      !player.transport.Select(static_cast<std::int32_t>(position)))
    return Outcome::kError;
  player.log.Write(LogLine("select").Number("position", position));
  UpdateTitle(player);
  return Outcome::kContinue;
}

Outcome WaitCommand(PlayerContext& player, const std::string& argument) {
  long milliseconds = 0;
  if (!ParseCount(argument, milliseconds) || milliseconds < 0) return Outcome::kError;
  Wait(player, static_cast<DWORD>(milliseconds));
  return Outcome::kContinue;
}

Outcome Execute(PlayerContext& player, PluginHost& plugins, const std::string& line) {
  const std::string::size_type space = line.find(' ');
  const std::string word = line.substr(0, space);
  const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
  if (const int id = PlayCommandId(word))
    return argument.empty() ? SendCommand(player, id) : Outcome::kError;
  if (word == "wait") return WaitCommand(player, argument);
  if (word == "select") return Select(player, argument);
  if (word == "command") {
    long id = 0;
    return ParseCount(argument, id) ? SendCommand(player, id) : Outcome::kError;
  }
  if (word == "log") {
    player.log.Write(LogLine("mark").Text("text", argument));
    return Outcome::kContinue;
  }
  if (!argument.empty()) return Outcome::kError;
  if (word == "config") {
    plugins.ConfigAll();
    return Outcome::kContinue;
  }
  if (word == "menu") {
    LogMainMenu(player);
    return Outcome::kContinue;
  }
  return word == "close" ? Outcome::kClose : Outcome::kError;
}

bool IsBlankOrComment(const std::string& line) {
  const std::string::size_type first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == '#';
}

}  // namespace

int RunScript(PlayerContext& player, PluginHost& plugins, CommandSource& commands) {
  int lineNumber = 0;
  for (;;) {
    PumpPending(player);
    if (player.closeRequested) return 0;
    std::string line;
    bool ended = false;
    if (commands.Take(line, ended)) {
      ++lineNumber;
      if (IsBlankOrComment(line)) continue;
      const Outcome outcome = Execute(player, plugins, line);
      if (outcome == Outcome::kClose) return 0;
      if (outcome == Outcome::kError) {
        player.log.Write(LogLine("script error").Number("line", lineNumber).Text("text", line));
        return 1;
      }
      continue;
    }
    if (ended) return 0;
    const HANDLE ready = commands.ReadyEvent();
    MsgWaitForMultipleObjects(1, &ready, FALSE, INFINITE, QS_ALLINPUT);
  }
}

void ClosePlayer(PlayerContext& player, PluginHost& plugins) {
  if (!player.closeRequested) {
    player.log.Write(LogLine("close"));
    SendMessageA(player.window, WM_CLOSE, 0, 0);
  }
  plugins.QuitAll();
  player.log.Write(
      LogLine("window").Word("procedure", HasOwnProcedure(player.window) ? "own" : "foreign"));
  DestroyWindow(player.window);
  player.window = nullptr;
  plugins.UnloadAll();
}

}  // namespace standin
