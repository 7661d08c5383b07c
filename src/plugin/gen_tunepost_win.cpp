// The module's entry: the exported record, module load and unload, init, config and quit.
#include "plugin/gen_tunepost.h"

#include "messenger/client.h"
#include "messenger/qip_driver_win.h"
#include "messenger/rnq_driver_win.h"
#include "plugin/update_cycle_win.h"
#include "script/math_parser.h"
#include "settings/config_dialog_win.h"
#include "settings/settings_file.h"
#include "support/clock.h"
#include "support/file.h"

namespace {

// The host is not C++: nothing may be thrown out of an entry.
template <typename F>
void Guarded(F&& action) {
  try {
    action();
  } catch (...) {
  }
}

void TellSaveFailed(const Text& message) {
  MessageBoxA(HostWindow(), message.c_str(), HostRecord.description, MB_OK | MB_ICONWARNING);
}

int32_t Init() {
  Guarded([] {
    // Where the module's folder cannot be written, the settings live in the player's own.
    PlayerSettingsFolder = TextFromBuffer(reinterpret_cast<const char*>(HostQuery(IPC_GETINIDIRECTORY, 0)));
    ScriptEngine.reset(new TMathParser);
    LoadSettings();
    SyncHostHooks();
  });
  return 0;
}

void Quit() {
  Guarded([] {
    // Memory only: the file keeps the plug-in enabled for the next start.
    CurrentSettings.Values[Enable] = FlagText(false);
    SyncHostHooks();
    ScriptEngine.reset();
  });
}

void Config() {
  Guarded([] {
    CopySettings(CurrentSettings, DialogSettings);
    bool enabled = SettingChecked(Enable);
    HostRecord.quit();
    // While the dialog is open the setting reads as the user left it, although nothing is
    // hooked.
    CurrentSettings.Values[Enable] = FlagText(enabled);
    DialogBoxParamA(ModuleInstance(), "#101", HostWindow(), SettingsDialogProc, 0);
  });
  // Whatever the dialog did, the plug-in runs again.
  Guarded([] { HostRecord.init(); });
}

Text ResourceText(HINSTANCE module, const char* type, const char* name) {
  HRSRC found = FindResourceA(module, name, type);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  return bytes ? Text(bytes, SizeofResource(module, found)) : Text();
}

TClient Descriptor(const char* processName, const char* mainClass, const char* formClass,
                   bool (*findControls)(TClient&), bool (*writeStatus)(TClient&, const TStatus&)) {
  TClient client;
  client.FindControls = findControls;
  client.WriteStatus = writeStatus;
  client.ProcessName = processName;
  client.MainWindow.ClassName = mainClass;
  client.StatusForm.ClassName = formClass;
  return client;
}

void ModuleLoad(HINSTANCE module) {
  ReadTimeSeparator();
  ModulePath = ModuleFilePath(module);
  SettingsSaveFailed = TellSaveFailed;
  BusyCount = 0;
  KnownClients[0] = Descriptor("QIP", "TMainForm", "TCusForm", FindQipControls, WriteQipStatus);
  KnownClients[1] = Descriptor("RnQ", "TRnQmain", "TxStatusForm", FindRnqControls, WriteRnqStatus);
  PreviousWindowProc = nullptr;
  BuildDefaultSettings(ResourceText(module, "SCRIPT", "#101"));
}

void ModuleUnload() {
  ScriptEngine.reset();
  CopySettings(TPS(), CurrentSettings);
  CopySettings(TPS(), DefaultSettings);
  CopySettings(TPS(), DialogSettings);
  for (TClient& client : KnownClients) ClearSlot(client);
}

}  // namespace

winampGeneralPurposePlugin HostRecord = {
    GPPHDR_VER, "ICQ client status", Init, Config, Quit, nullptr, nullptr,
};

HWND HostWindow() {
  return HostRecord.hwndParent;
}

HINSTANCE ModuleInstance() {
  return HostRecord.hDllInstance;
}

LRESULT HostQuery(LPARAM code, WPARAM wParam) {
  return SendMessageA(HostWindow(), WM_WA_IPC, wParam, code);
}

extern "C" __declspec(dllexport) winampGeneralPurposePlugin* winampGetGeneralPurposePlugin() {
  return &HostRecord;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Guarded([module] { ModuleLoad(module); });
  if (reason == DLL_PROCESS_DETACH) Guarded(ModuleUnload);
  return TRUE;
}
