// The stand-in clients' shared helpers: "--name value" options, %XX texts, the log.
#include "client_core.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace standin {
namespace {

EventLog* g_log = nullptr;

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

OptionTable CommonOptions() {
  return {{"log", "commands", "account", "title", "picture", "status", "status2"},
          {"echo", "stay"}};
}

bool ParseOptions(int argc, char** argv, const OptionTable& table, OptionValues& values,
                  std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const std::string name = argument.compare(0, 2, "--") == 0 ? argument.substr(2) : "";
    if (Contains(table.flags, name)) {
      values[name] = "1";
    } else if (Contains(table.values, name)) {
      if (i + 1 >= argc) {
        error = "missing value after " + argument;
        return false;
      }
      values[name] = argv[++i];
    } else {
      error = "unknown option " + argument;
      return false;
    }
  }
  return true;
}

std::string OptionOr(const OptionValues& values, const std::string& name,
                     const std::string& fallback) {
  const auto found = values.find(name);
  return found == values.end() ? fallback : found->second;
}

bool ParseNumber(const std::string& text, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0';
}

bool DecodeTyped(const std::string& text, std::string& decoded) {
  decoded.clear();
  for (std::string::size_type i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      decoded += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return false;
    const int high = HexDigit(text[i + 1]);
    const int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0) return false;
    decoded += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return true;
}

std::string ProgramPath() {
  char buffer[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, length);
}

std::string FolderOf(const std::string& path) {
  const std::string::size_type slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void SetClientLog(EventLog* log) {
  g_log = log;
}

void WriteLog(const LogLine& line) {
  if (g_log) g_log->Write(line);
}

std::string WindowTextOf(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 2, '\0');
  SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  return std::string(buffer.data());
}

}  // namespace standin
