// winamp_standin: a stand-in for the host player. It loads the general-purpose plug-ins of
// its plug-ins folder, lends them its main window, answers their queries from a playlist
// file, runs a command script and logs every event for the tests (README.md).
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "command_source.h"
#include "event_log.h"
#include "main_window.h"
#include "options.h"
#include "player_context.h"
#include "plugin_host.h"
#include "script_runner.h"

namespace standin {
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitStartFailed = 3;

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH * 4] = {};
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : path;
}

std::string ProgramFolder() {
  char buffer[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  std::string path(buffer, length);
  const std::string::size_type slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  char buffer[4096];
  DWORD count = 0;
  content.clear();
  while (ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr) && count > 0)
    content.append(buffer, count);
  return true;
}

int Fail(EventLog& log, const std::string& message) {
  std::fprintf(stderr, "winamp_standin: %s\n", message.c_str());
  log.Write(LogLine("player error").Text("text", message));
  return kExitStartFailed;
}

bool LoadPlaylist(const std::string& path, Playlist& playlist, std::string& error) {
  if (path.empty()) return true;
  std::string content;
  if (!ReadWholeFile(path, content)) {
    error = "cannot read the playlist " + path;
    return false;
  }
  if (ParsePlaylist(content, playlist, error)) return true;
  error = path + ": " + error;
  return false;
}

bool IsInteger(const std::string& text) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  std::strtol(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0';
}

bool PrepareSettings(const Options& options, PlayerContext& player, std::string& error) {
  player.iniDirectory = FullPath(options.settings.empty() ? ProgramFolder() : options.settings);
  CreateDirectoryA(player.iniDirectory.c_str(), nullptr);
  player.iniFile = player.iniDirectory + "\\winamp.ini";
  if (options.sticon.empty()) return true;
  if (!IsInteger(options.sticon)) {
    error = "--sticon needs an integer";
    return false;
  }
  if (WritePrivateProfileStringA("Winamp", "sticon", options.sticon.c_str(),
                                 player.iniFile.c_str()))
    return true;
  error = "cannot write " + player.iniFile;
  return false;
}

void LogStart(PlayerContext& player, const Options& options, const std::string& pluginFolder) {
  const UINT sticon = GetPrivateProfileIntA("Winamp", "sticon", 0, player.iniFile.c_str());
  player.log.Write(LogLine("player start")
                       .Text("playlist", options.playlist)
                       .Number("entries", static_cast<std::int64_t>(player.playlist.entries.size()))
                       .Text("plugins", pluginFolder)
                       .Text("ini", player.iniFile)
                       .Number("sticon", static_cast<int>(sticon)));
}

int Run(int argc, char** argv) {
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "winamp_standin: %s\n%s", error.c_str(), kUsage);
    return kExitUsage;
  }
  EventLog log;
  log.SetEcho(options.echo);
  if (!options.log.empty() && !log.Open(options.log))
    return Fail(log, "cannot write the log " + options.log);
  if (!options.playlist.empty()) options.playlist = FullPath(options.playlist);
  PlayerContext player(log);
  if (!LoadPlaylist(options.playlist, player.playlist, error)) return Fail(log, error);
  player.transport.count = static_cast<std::int32_t>(player.playlist.entries.size());
  if (!PrepareSettings(options, player, error)) return Fail(log, error);
  CommandSource commands;
  if (!commands.Start(options.commands))
    return Fail(log, "cannot read the commands " + options.commands);
  if (!CreateMainWindow(GetModuleHandleA(nullptr), player))
    return Fail(log, "cannot create the main window");
  const std::string pluginFolder =
      FullPath(options.plugins.empty() ? ProgramFolder() + "\\Plugins" : options.plugins);
  LogStart(player, options, pluginFolder);
  PluginHost plugins(log);
  plugins.LoadAll(pluginFolder, player.window);
  const int code = RunScript(player, plugins, commands);
  ClosePlayer(player, plugins);
  log.Write(LogLine("player exit").Number("code", code));
  return code;
}

}  // namespace
}  // namespace standin

int main(int argc, char** argv) {
  try {
    return standin::Run(argc, argv);
  } catch (...) {
    std::fputs("winamp_standin: unexpected failure\n", stderr);
    return 3;
  }
}
