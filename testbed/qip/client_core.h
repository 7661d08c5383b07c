// What both stand-in clients share: their command line, their event log, the texts the
// script types, and where the program itself lives.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "event_log.h"

namespace standin {

// Option names without their "--"; a flag's value is "1" once given.
struct OptionTable {
  std::vector<std::string> values;
  std::vector<std::string> flags;
};
using OptionValues = std::map<std::string, std::string>;

// The options every client takes: log, commands, echo, stay, account, title, picture,
// status, status2.
OptionTable CommonOptions();
bool ParseOptions(int argc, char** argv, const OptionTable& table, OptionValues& values,
                  std::string& error);
std::string OptionOr(const OptionValues& values, const std::string& name,
                     const std::string& fallback);

bool ParseNumber(const std::string& text, long& value);
// Script texts carry control bytes, '"' and '%' as %XX, the way the log writes them.
bool DecodeTyped(const std::string& text, std::string& decoded);

// The program's full path and its folder with a trailing backslash.
std::string ProgramPath();
std::string FolderOf(const std::string& path);

// The log every window procedure of the client writes to.
void SetClientLog(EventLog* log);
void WriteLog(const LogLine& line);

// The text a window answers to WM_GETTEXT.
std::string WindowTextOf(HWND window);

}  // namespace standin
