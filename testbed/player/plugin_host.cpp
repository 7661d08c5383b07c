// The plug-in calling order: load, fetch the record, check its version, fill hwndParent and
// hDllInstance, init (a nonzero result unloads the plug-in at once); config; quit; unload.
// Loading goes by file name; quit and unload go the other way round.
#include "plugin_host.h"

#include <algorithm>

namespace standin {
namespace {

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool LowerAsciiLess(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) < 0;
}

// A pattern also matches through short names, so the long name is checked again.
bool IsPluginFileName(const std::string& name) {
  if (name.size() < 8) return false;
  return lstrcmpiA(name.substr(0, 4).c_str(), "gen_") == 0 &&
         lstrcmpiA(name.substr(name.size() - 4).c_str(), ".dll") == 0;
}

// Sorted, so that the loading order does not depend on the file system's listing order.
std::vector<std::string> PluginFiles(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const FindHandle find(FindFirstFileA((folder + "\\gen_*.dll").c_str(), &found));
  if (find.Get() == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        IsPluginFileName(found.cFileName))
      names.push_back(found.cFileName);
  } while (FindNextFileA(find.Get(), &found));
  std::sort(names.begin(), names.end(), LowerAsciiLess);
  for (std::string& name : names) name = folder + "\\" + name;
  return names;
}

}  // namespace

LibraryHandle& LibraryHandle::operator=(LibraryHandle&& other) noexcept {
  if (this != &other) {
    Free();
    module_ = other.module_;
    other.module_ = nullptr;
  }
  return *this;
}

void LibraryHandle::Free() {
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
}

void PluginHost::LoadAll(const std::string& folder, HWND mainWindow) {
  for (const std::string& path : PluginFiles(folder)) LoadOne(path, mainWindow);
}

void PluginHost::LoadOne(const std::string& path, HWND mainWindow) {
  LibraryHandle library(LoadLibraryA(path.c_str()));
  if (!library.Get()) {
    const DWORD error = GetLastError();
    log_.Write(LogLine("plugin load-failed").Text("path", path).Number("error", error));
    return;
  }
  const auto getRecord = reinterpret_cast<GetPluginRecord>(
      reinterpret_cast<void*>(GetProcAddress(library.Get(), kPluginExportName)));
  GeneralPurposePlugin* record = getRecord ? getRecord() : nullptr;
  if (!record) {
    log_.Write(LogLine("plugin no-record").Text("path", path));
    library.Free();
    log_.Write(LogLine("plugin unload").Text("path", path));
    return;
  }
  log_.Write(LogLine("plugin load")
                 .Text("path", path)
                 .Number("version", record->version)
                 .TextOrNone("description", record->description));
  if (record->version != kPluginRecordVersion) {
    library.Free();
    log_.Write(LogLine("plugin unload").Text("path", path));
    return;
  }
  record->hwndParent = mainWindow;
  record->hDllInstance = library.Get();
  const int result = record->init();
  log_.Write(LogLine("plugin init").Text("path", path).Number("result", result));
  if (result != 0) {
    library.Free();
    log_.Write(LogLine("plugin unload").Text("path", path));
    return;
  }
  plugins_.push_back(LoadedPlugin{path, std::move(library), record});
}

void PluginHost::ConfigAll() {
  for (const LoadedPlugin& plugin : plugins_) {
    log_.Write(LogLine("plugin config").Text("path", plugin.path));
    plugin.record->config();
    log_.Write(LogLine("plugin config-done").Text("path", plugin.path));
  }
}

// Last loaded, first quit: a plug-in that subclassed the window after another one puts the
// procedure it found back first, so every plug-in restores the procedure it replaced.
void PluginHost::QuitAll() {
  for (auto plugin = plugins_.rbegin(); plugin != plugins_.rend(); ++plugin) {
    log_.Write(LogLine("plugin quit").Text("path", plugin->path));
    plugin->record->quit();
  }
}

void PluginHost::UnloadAll() {
  for (auto plugin = plugins_.rbegin(); plugin != plugins_.rend(); ++plugin) {
    plugin->library.Free();
    log_.Write(LogLine("plugin unload").Text("path", plugin->path));
  }
  plugins_.clear();
}

}  // namespace standin
