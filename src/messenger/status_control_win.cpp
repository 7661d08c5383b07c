// Writing a status into one client slot, and giving a slot the user's own status back.
#include "messenger/status_control.h"

#include "messenger/client_win.h"
#include "messenger/custom_status_file.h"
#include "settings/settings_model.h"
#include "support/window_win.h"

namespace {

// Raised for as long as a restore runs, so the drivers further down know it.
struct RestoreRun {
  RestoreRun() { ++CurrentSettings.RestoreDepth; }
  ~RestoreRun() { --CurrentSettings.RestoreDepth; }
  RestoreRun(const RestoreRun&) = delete;
  RestoreRun& operator=(const RestoreRun&) = delete;
};

bool IsLiveSlot(const TClient& slot) {
  return IsLiveWindow(slot.StatusForm.Handle);
}

}  // namespace

bool ApplyStatus(TClient& slot, const TStatus& status) {
  if (!IsLiveSlot(slot)) {
    // The form has gone: only QIP's file can still be given the user's saved texts.
    return IsQipSlot(slot) && slot.ProcessId != 0 && RestoreCustomStatusFile(slot);
  }
  if (!slot.WriteStatus || !ClientAnswers(slot)) return false;
  // While the player is stopped, the user's own status is written instead.
  if (CurrentSettings.Playing || CurrentSettings.RestoreDepth > 0) return slot.WriteStatus(slot, status);
  return slot.WriteStatus(slot, slot.Saved[slot.SavedIndex]);
}

void RestoreStatus(TClient& slot) {
  RestoreRun run;
  if (SettingChecked(SaveRestore)) {
    for (int32_t n = slot.SavedIndex; n >= 0; --n) ApplyStatus(slot, slot.Saved[n]);
  }
  ClearSlot(slot);
}
