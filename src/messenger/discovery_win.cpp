// Once per update cycle: release the slots whose client has gone, and fill a free slot for
// every new main window of a known client.
#include <windows.h>
#include <tlhelp32.h>

#include "messenger/client_win.h"
#include "messenger/status_control.h"
#include "settings/settings_model.h"
#include "support/file.h"
#include "support/handles_win.h"
#include "support/window_win.h"

namespace {

const char kQipCaptionPrefix[] = "[qip] - ";

TWindowsAr KnownMainWindows() {
  TWindowsAr list;
  const Text nul(1, '\0');
  list.ClassFilter = KnownClients[0].MainWindow.ClassName + nul + KnownClients[1].MainWindow.ClassName + nul;
  CollectChildWindows(nullptr, list);
  return list;
}

DWORD ProcessOfWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

bool AccountAccepted(const TClient& slot) {
  if (SettingChecked(AllQIP)) return true;
  const Text wanted = SettingText(CustomQIP);
  return !wanted.empty() && slot.MainWindow.Text.find(wanted) != Text::npos;
}

Text ProfileFolderOf(const TClient& slot) {
  Text account = ReplaceText(slot.MainWindow.Text, kQipCaptionPrefix, "", kReplaceAll | kReplaceIgnoreCase);
  return DirectoryOfPath(ProcessExePath(slot.ProcessId)) + "Users\\" + account + "\\";
}

// The first window of the form's class among the main window's siblings that belongs to
// the client's process.
HWND FindStatusForm(const TClient& slot) {
  HWND parent = GetParent(slot.MainWindow.Handle);
  const char* formClass = slot.StatusForm.ClassName.c_str();
  HWND form = FindWindowExA(parent, nullptr, formClass, nullptr);
  while (IsLiveWindow(form) && ProcessOfWindow(form) != slot.ProcessId) {
    form = FindWindowExA(parent, form, formClass, nullptr);
  }
  return form;
}

bool Abandon(TClient& slot, bool result) {
  ClearSlot(slot);
  return result;
}

}  // namespace

bool DiscoverClients() {
  // A client that did not answer in the last cycle gets another chance in this one.
  ForgetUnansweredProcesses();
  for (TClient& slot : CurrentSettings.ClientSlots) {
    if (slot.ProcessId != 0 && !IsLiveWindow(slot.StatusForm.Handle)) RestoreStatus(slot);
  }
  TWindowsAr list = KnownMainWindows();
  for (int32_t i = 0; i < list.Count; ++i) ConsiderWindow(ProcessOfWindow(list.Windows[i]), list.Windows[i]);
  return true;
}

void ConsiderWindow(DWORD processId, HWND window) {
  TWindowEx current;
  current.Handle = window;
  ReadWindowEx(current);
  // A client that does not answer keeps its slot; its text is not known this cycle.
  if (IsUnanswered(window)) return;
  for (TClient& slot : CurrentSettings.ClientSlots) {
    if (slot.ProcessId == 0 || slot.ProcessId != processId || slot.MainWindow.Handle != window) continue;
    // The window shows something else now (another account): the slot is filled afresh.
    if (slot.MainWindow.Text != current.Text) {
      RestoreStatus(slot);
    } else {
      processId = 0;
    }
  }
  if (processId == 0) return;
  for (TClient& slot : CurrentSettings.ClientSlots) {
    if (slot.ProcessId == 0) {
      FillSlot(slot, processId, window);
      return;
    }
  }
}

bool FillSlot(TClient& slot, DWORD processId, HWND window) {
  ClearSlot(slot);
  slot.ProcessId = processId;
  slot.MainWindow.Handle = window;
  ReadWindowEx(slot.MainWindow);
  if (!AccountAccepted(slot)) return Abandon(slot, false);
  AdoptDescriptor(slot);
  if (!slot.FindControls) return Abandon(slot, false);
  slot.ProfileFolder = ProfileFolderOf(slot);
  slot.StatusForm.Handle = FindStatusForm(slot);
  if (!IsLiveWindow(slot.StatusForm.Handle)) return Abandon(slot, false);
  ReadWindowEx(slot.StatusForm);
  // A client that stopped answering while its controls were looked for is tried afresh next
  // cycle.
  if (!slot.FindControls(slot) || IsUnanswered(window)) return Abandon(slot, true);
  slot.Saved[slot.SavedIndex] = ReadClientStatus(slot);
  slot.LastSet = slot.Saved[slot.SavedIndex];
  return true;
}

void AdoptDescriptor(TClient& slot) {
  for (const TClient& known : KnownClients) {
    if (known.MainWindow.ClassName != slot.MainWindow.ClassName) continue;
    slot.ProcessName = known.ProcessName;
    slot.FindControls = known.FindControls;
    slot.WriteStatus = known.WriteStatus;
    slot.StatusForm = known.StatusForm;
  }
}

Text ProcessExePath(DWORD processId) {
  FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  if (!snapshot.valid()) return Text();
  MODULEENTRY32 module{};
  module.dwSize = sizeof module;
  if (!Module32First(snapshot.get(), &module)) return Text();
  return TextFromBuffer(module.szExePath);
}
