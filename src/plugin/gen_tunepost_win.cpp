// The module's entry: the exported record, module load and unload, init, config and quit.
#include "plugin/gen_tunepost.h"

#include "support/clock.h"

namespace {

int32_t Init();
void Config();
void Quit();

// Every entry is called by the host, which is not C++: nothing may be thrown out of them.
template <typename F>
void Guarded(F&& action) {
  try {
    action();
  } catch (...) {
  }
}

int32_t Init() {
  return 0;
}

void Quit() {
  Guarded([] {});
}

void Config() {
  // Restart the plug-in the way the host would: through the record's own entries.
  Guarded([] {
    HostRecord.quit();
    HostRecord.init();
  });
}

void ModuleLoad() {
  ReadTimeSeparator();
  BusyCount = 0;
  PreviousWindowProc = nullptr;
}

void ModuleUnload() {}

}  // namespace

winampGeneralPurposePlugin HostRecord = {
    GPPHDR_VER, "ICQ client status", Init, Config, Quit, nullptr, nullptr,
};
int32_t BusyCount = 0;
WNDPROC PreviousWindowProc = nullptr;

HWND HostWindow() {
  return HostRecord.hwndParent;
}

HINSTANCE ModuleInstance() {
  return HostRecord.hDllInstance;
}

extern "C" __declspec(dllexport) winampGeneralPurposePlugin* winampGetGeneralPurposePlugin() {
  return &HostRecord;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Guarded(ModuleLoad);
  if (reason == DLL_PROCESS_DETACH) Guarded(ModuleUnload);
  return TRUE;
}
