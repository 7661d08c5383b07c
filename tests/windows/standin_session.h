// One run of the stand-in player in a folder of its own: plug-ins copied into its Plugins
// folder, a playlist, commands on its standard input, and its log read back afterwards.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

void WriteBytes(const std::string& path, const std::string& bytes);
// Also while another program still writes the file (a running player's log).
std::string ReadBytes(const std::string& path);
Lines ReadLines(const std::string& path);
// Under Wine the Unix file system is drive Z:.
std::string WindowsPath(std::string unixPath);
bool StartsWith(const std::string& text, const std::string& prefix);
// Index of the first line at or after from that starts with prefix; lines.size() if none.
size_t FindFrom(const Lines& lines, size_t from, const std::string& prefix);
// Checks that lines starting with these prefixes appear in this order.
void ExpectInOrder(const Lines& lines, const Lines& prefixes);

// Starts a program (in folder, or the current one when null) with a pipe on its standard
// input, whose write end comes back in input; false when it cannot be started.
bool StartWithInput(std::string commandLine, const char* folder, PROCESS_INFORMATION& process,
                    HANDLE& input);
// Waits at most limitMs for the program to end and answers its exit code (997 when it had
// to be ended), closing its handles.
unsigned long AwaitExit(PROCESS_INFORMATION& process, unsigned long limitMs);

class StandinSession {
 public:
  // The folder is named after the running test, and emptied of an earlier run's files.
  StandinSession();

  void AddPlugin(const std::string& unixPath, const std::string& name);
  // Runs the player to its end; commands go through standard input. The exit code, or
  // 997 and up when the player could not be run.
  unsigned long Run(const std::string& playlist, const std::string& commands,
                    const std::string& extraOptions = "");
  Lines Log() const { return ReadLines(LogPath()); }

  std::string LogPath() const { return folder_ + "\\player.log"; }
  const std::string& folder() const { return folder_; }
  const std::string& plugins() const { return plugins_; }
  const std::string& settings() const { return settings_; }

 private:
  std::string folder_, plugins_, settings_;
};
