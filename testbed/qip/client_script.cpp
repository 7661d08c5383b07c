// The script loop shared by both stand-in clients. "hang N" sleeps without pumping, so that
// messages from other processes wait, as they do for a client that stops answering.
#include "client_script.h"

#include <cstdio>

#include "client_core.h"

namespace standin {
namespace {

bool g_quitRequested = false;

void PumpPending() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      g_quitRequested = true;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Wait(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpPending();
    const DWORD elapsed = GetTickCount() - start;
    if (g_quitRequested || elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

Outcome Common(const std::string& word, const std::string& argument, ClientCommands& commands) {
  long milliseconds = 0;
  if (word == "wait" || word == "hang") {
    if (!ParseNumber(argument, milliseconds) || milliseconds < 0) return Outcome::kError;
    if (word == "wait") {
      Wait(static_cast<DWORD>(milliseconds));
      return Outcome::kContinue;
    }
    WriteLog(LogLine("hang").Number("ms", milliseconds));
    Sleep(static_cast<DWORD>(milliseconds));
    WriteLog(LogLine("awake"));
    return Outcome::kContinue;
  }
  if (word == "log") {
    WriteLog(LogLine("mark").Text("text", argument));
    return Outcome::kContinue;
  }
  if (word == "quit") return argument.empty() ? Outcome::kQuit : Outcome::kError;
  return commands.Execute(word, argument);
}

Outcome ExecuteLine(const std::string& line, ClientCommands& commands) {
  const std::string::size_type space = line.find(' ');
  const std::string word = line.substr(0, space);
  const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
  return Common(word, argument, commands);
}

bool IsBlankOrComment(const std::string& line) {
  const std::string::size_type first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == '#';
}

int Finish(const char* reason, int code) {
  WriteLog(LogLine("quit").Word("reason", reason));
  return code;
}

}  // namespace

void RequestQuit() {
  PostQuitMessage(0);
}

int RunClientScript(CommandSource& source, bool stay, ClientCommands& commands) {
  int lineNumber = 0;
  bool ended = false;
  for (;;) {
    PumpPending();
    if (g_quitRequested) return Finish("closed", 0);
    std::string line;
    if (!ended && source.Take(line, ended)) {
      ++lineNumber;
      if (IsBlankOrComment(line)) continue;
      const Outcome outcome = ExecuteLine(line, commands);
      if (outcome == Outcome::kQuit) return Finish("command", 0);
      if (outcome == Outcome::kError) {
        WriteLog(LogLine("script error").Number("line", lineNumber).Text("text", line));
        return Finish("error", 1);
      }
      continue;
    }
    if (ended && !stay) return Finish("end", 0);
    const HANDLE ready = source.ReadyEvent();
    MsgWaitForMultipleObjects(ended ? 0 : 1, &ready, FALSE, INFINITE, QS_ALLINPUT);
  }
}

namespace {

// A client that cannot start (no log, no commands, no windows) ends with this code.
constexpr int kExitStartFailed = 3;

int StartFailed(const std::string& name, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", name.c_str(), message.c_str());
  WriteLog(LogLine(name + " error").Text("text", message));
  return kExitStartFailed;
}

}  // namespace

int RunClientProgram(const std::string& name, const OptionValues& values,
                     const std::function<bool()>& startWindows,
                     const std::function<void()>& stopWindows, ClientCommands& commands) {
  EventLog log;
  log.SetEcho(values.count("echo") > 0);
  SetClientLog(&log);
  const std::string logPath = OptionOr(values, "log", "");
  if (!logPath.empty() && !log.Open(logPath)) return StartFailed(name, "cannot write the log " + logPath);
  std::string commandsPath = OptionOr(values, "commands", "");
  if (commandsPath == "-") commandsPath.clear();
  CommandSource source;
  if (!source.Start(commandsPath)) return StartFailed(name, "cannot read the commands " + commandsPath);
  if (!startWindows()) return StartFailed(name, "cannot create the windows");
  const int code = RunClientScript(source, values.count("stay") > 0, commands);
  stopWindows();
  WriteLog(LogLine(name + " exit").Number("code", code));
  SetClientLog(nullptr);
  return code;
}

}  // namespace standin
