// Writing the event log, and its copy on standard output in UTF-8 for a terminal.
#include "event_log.h"

#include <cstdio>
#include <vector>

namespace standin {
namespace {

std::string Quote(const std::string& value) {
  std::string out = "\"";
  for (char c : value) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || c == '"' || c == '%') {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::wstring Widen(const std::string& text) {
  const int size = static_cast<int>(text.size());
  const int count = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], count);
  return wide;
}

std::string ToUtf8(const std::wstring& wide) {
  const int size = static_cast<int>(wide.size());
  const int count =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &utf8[0], count, nullptr, nullptr);
  return utf8;
}

// A console gets the text as characters; a pipe or file gets UTF-8 bytes.
void EchoToStdout(const std::string& line) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == INVALID_HANDLE_VALUE || out == nullptr) return;
  const std::wstring wide = Widen(line + "\n");
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(out, &mode)) {
    WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const std::string utf8 = ToUtf8(wide);
  WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace

void FileHandle::Reset(HANDLE handle) {
  if (IsOpen()) CloseHandle(handle_);
  handle_ = handle;
}

LogLine& LogLine::Number(const char* key, std::int64_t value) {
  text_ += std::string(" ") + key + "=" + std::to_string(value);
  return *this;
}

LogLine& LogLine::Text(const char* key, const std::string& value) {
  text_ += std::string(" ") + key + "=" + Quote(value);
  return *this;
}

LogLine& LogLine::TextOrNone(const char* key, const char* value) {
  return value ? Text(key, value) : Word(key, "none");
}

LogLine& LogLine::Word(const char* key, const char* value) {
  text_ += std::string(" ") + key + "=" + value;
  return *this;
}

bool EventLog::Open(const std::string& path) {
  file_.Reset(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return file_.IsOpen();
}

void EventLog::Write(const LogLine& line) {
  if (file_.IsOpen()) {
    const std::string text = line.Str() + "\n";
    DWORD written = 0;
    WriteFile(file_.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
  if (echo_) EchoToStdout(line.Str());
}

}  // namespace standin
