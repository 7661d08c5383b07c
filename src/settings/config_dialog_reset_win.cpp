// The dialog's "reset status text" button: QIP's custom status texts put back, picture by
// picture, from a copy of its custom status file made at the first press.
#include <windows.h>

#include "messenger/client.h"
#include "messenger/custom_status_file.h"
#include "messenger/status_control.h"
#include "settings/config_dialog_win.h"
#include "settings/settings_model.h"
#include "support/file.h"

const char kCustomStatusBackupFileName[] = "_st_cust.txt.Tunepost";

namespace {

// The drivers further down see a restore under way while it lives.
class RestoreInProgress {
 public:
  RestoreInProgress() { ++CurrentSettings.RestoreDepth; }
  ~RestoreInProgress() { --CurrentSettings.RestoreDepth; }
  RestoreInProgress(const RestoreInProgress&) = delete;
  RestoreInProgress& operator=(const RestoreInProgress&) = delete;
};

bool IsQipWithProfile(const TClient& slot) {
  return !slot.ProfileFolder.empty() && slot.MainWindow.ClassName == KnownClients[0].MainWindow.ClassName;
}

// The backup is made once: a later press must not replace the texts the user had at first
// with texts the plug-in wrote since.
bool EnsureBackup(const Text& file, const Text& backup) {
  if (!FileExists(backup)) CopyFileA(file.c_str(), backup.c_str(), FALSE);
  return FileExists(backup);
}

TStatus LineStatus(const Text& line, int32_t picture) {
  TStatus status;
  status.Picture = picture;
  TRLSResult parts;
  SplitText(line, kCustomStatusSeparator, 1, parts, false);
  status.Status = parts.LeftPart;
  status.Status2 = parts.RightPart;
  return status;
}

// Every line of the backup that ends with CR LF, in turn; the one of the picture that was
// selected when the dialog opened comes last again.
void ApplyBackupLines(TClient& slot, const Text& backupText) {
  TStatus finalStatus;
  // A slot keeps two saved statuses; an index outside them reads the first.
  finalStatus.Picture = slot.Saved[slot.SavedIndex == 1 ? 1 : 0].Picture;
  int32_t picture = -1;
  Text rest = backupText;
  TRLSResult lines;
  SplitText(rest, "\r\n", 1, lines, false);
  while (lines.Position > 0) {
    ++picture;
    TStatus status = LineStatus(lines.LeftPart, picture);
    if (finalStatus.Picture == status.Picture) finalStatus = status;
    ApplyStatus(slot, status);
    rest = lines.RightPart;
    SplitText(rest, "\r\n", 1, lines, false);
  }
  ApplyStatus(slot, finalStatus);
}

void ResetSlot(TClient& slot) {
  if (!IsQipWithProfile(slot)) return;
  const Text file = slot.ProfileFolder + kCustomStatusFileName;
  const Text backup = slot.ProfileFolder + kCustomStatusBackupFileName;
  if (!EnsureBackup(file, backup)) return;
  RestoreInProgress restoring;
  ApplyBackupLines(slot, ReadFileText(backup));
}

}  // namespace

void ResetStatusTexts() {
  for (TClient& slot : DialogSettings.ClientSlots) ResetSlot(slot);
  Sleep(kResetPauseMs);
}
