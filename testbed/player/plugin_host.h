// Loading and driving the general-purpose plug-ins of the plug-ins folder the way the player
// does: every gen_*.dll, its record fetched, the two handles filled in, then init; config on
// request; quit, then unloading, when the player closes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "event_log.h"
#include "plugin_record.h"

namespace standin {

// Owns a loaded module.
class LibraryHandle {
 public:
  explicit LibraryHandle(HMODULE module = nullptr) : module_(module) {}
  LibraryHandle(LibraryHandle&& other) noexcept : module_(other.module_) {
    other.module_ = nullptr;
  }
  LibraryHandle& operator=(LibraryHandle&& other) noexcept;
  LibraryHandle(const LibraryHandle&) = delete;
  LibraryHandle& operator=(const LibraryHandle&) = delete;
  ~LibraryHandle() { Free(); }
  HMODULE Get() const { return module_; }
  void Free();

 private:
  HMODULE module_;
};

struct LoadedPlugin {
  std::string path;
  LibraryHandle library;
  GeneralPurposePlugin* record = nullptr;
};

class PluginHost {
 public:
  explicit PluginHost(EventLog& log) : log_(log) {}
  void LoadAll(const std::string& folder, HWND mainWindow);
  void ConfigAll();
  void QuitAll();
  void UnloadAll();

 private:
  void LoadOne(const std::string& path, HWND mainWindow);
  EventLog& log_;
  std::vector<LoadedPlugin> plugins_;
};

}  // namespace standin
