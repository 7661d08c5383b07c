// The player's event log: one line per event, "event key=value ...", written to a file at
// once so that a test can read it even after a crash, and echoed to standard output on request.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace standin {

// Owns a Win32 file handle.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Reset(); }
  void Reset(HANDLE handle = INVALID_HANDLE_VALUE);
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Builds one log line; texts are quoted, with %XX for control bytes, '"' and '%'.
class LogLine {
 public:
  explicit LogLine(const std::string& event) : text_(event) {}
  LogLine& Number(const char* key, std::int64_t value);
  LogLine& Text(const char* key, const std::string& value);
  LogLine& TextOrNone(const char* key, const char* value);
  LogLine& Word(const char* key, const char* value);
  const std::string& Str() const { return text_; }

 private:
  std::string text_;
};

class EventLog {
 public:
  bool Open(const std::string& path);
  void SetEcho(bool echo) { echo_ = echo; }
  void Write(const LogLine& line);

 private:
  FileHandle file_;
  bool echo_ = false;
};

}  // namespace standin
