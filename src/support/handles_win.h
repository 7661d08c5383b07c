// Small owners of Win32 handles, so that every path closes what it opened.
#pragma once

#include <windows.h>

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

class ModuleHandle {
 public:
  explicit ModuleHandle(HMODULE module) : module_(module) {}
  ~ModuleHandle() {
    if (module_) FreeLibrary(module_);
  }
  ModuleHandle(const ModuleHandle&) = delete;
  ModuleHandle& operator=(const ModuleHandle&) = delete;

  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};
