// QIP's status form worked from outside: a picture list, two edit boxes and an "OK" panel.
#include "messenger/qip_driver_win.h"

#include "messenger/client_win.h"
#include "messenger/driver_rules.h"
#include "settings/settings_model.h"
#include "support/window_win.h"

namespace {

// The music picture of QIP's list, the condition of IfPicture.
constexpr int32_t kMusicPicture = 11;
// At most this many panels of the main window are walked.
constexpr int kMaxMainPanels = 20;

LPARAM Position(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

void Press(HWND window, LPARAM position, WPARAM releaseKeys) {
  SendToWindow(window, WM_LBUTTONDOWN, MK_LBUTTON, position);
  SendToWindow(window, WM_LBUTTONUP, releaseKeys, position);
}

void SetText(HWND window, const Text& text) {
  SendToWindow(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TakeControl(TClient& slot, const TWindowEx& control) {
  if (control.ClassName == "TPanel") {
    if (control.Text == "OK") {
      slot.Controls[kControlOk] = control;
    } else {
      // The form keeps some panels hidden until it is opened by hand; the asynchronous call
      // waits for no answer from the client.
      ShowWindowAsync(control.Handle, SW_SHOW);
    }
  } else if (control.ClassName == "TComboBox") {
    slot.Controls[kControlPictures] = control;
  } else if (control.ClassName == "TEdit") {
    // The first edit box of the walk holds the long text, a later one the short text.
    int role = slot.Controls[kControlLongText].Handle == nullptr ? kControlLongText : kControlShortText;
    slot.Controls[role] = control;
  }
}

struct PanelWalk {
  int count = 0;
  HWND last = nullptr;
  RECT lastRect{};
};

void WalkMainPanels(HWND main, PanelWalk& walk) {
  walk.count = 0;
  HWND panel = nullptr;
  for (int i = 0; i < kMaxMainPanels; ++i) {
    panel = FindWindowExA(main, panel, "TPanel", nullptr);
    if (panel == nullptr) break;
    if (!IsLiveWindow(panel)) continue;
    ++walk.count;
    walk.last = panel;
    GetWindowRect(panel, &walk.lastRect);
  }
}

// Confirms the form by a click on "OK"; a form open on screen is left to the user.
void Confirm(TClient& slot) {
  if (IsWindowVisible(slot.StatusForm.Handle)) return;
  Press(slot.Controls[kControlOk].Handle, Position(1, 1), MK_LBUTTON);
}

bool IsLive(const TClient& slot, int role) {
  return IsLiveWindow(slot.Controls[role].Handle);
}

void WriteTexts(TClient& slot, const Text& shortText, const Text& longText) {
  if (IsLive(slot, kControlShortText) && SettingChecked(SetStatus)) {
    SetText(slot.Controls[kControlShortText].Handle, shortText);
  }
  if (IsLive(slot, kControlLongText) && SettingChecked(SetLongStatus)) {
    SetText(slot.Controls[kControlLongText].Handle, longText);
  }
}

void FillDirect(TClient& slot, const TStatus& status) {
  SendToWindow(slot.Controls[kControlPictures].Handle, CB_SETCURSEL, static_cast<WPARAM>(status.Picture), 0);
  SetText(slot.Controls[kControlShortText].Handle, status.Status);
  SetText(slot.Controls[kControlLongText].Handle, status.Status2);
  Confirm(slot);
}

TStatus WantedStatus(const TClient& slot, const TStatus& request) {
  TStatus want = request;
  want.Status = ShortStatusText(SubstituteSavedStatus(slot, request.Status));
  want.Status2 = SubstituteSavedStatus(slot, request.Status2);
  return want;
}

// The user has set a status by hand since the last write: it becomes the saved one.
void AdoptUsersChange(TClient& slot, const TStatus& shown) {
  for (int32_t n = slot.SavedIndex; n >= 0; --n) FillQipForm(slot, slot.Saved[n], true, shown);
  slot.SavedIndex = 0;
  FillQipForm(slot, shown, true, shown);
  slot.Saved[0] = shown;
}

bool WouldChange(const TStatus& shown, const TStatus& want) {
  return (SettingChecked(SetStatus) && !SameText(shown.Status, want.Status)) ||
         (SettingChecked(SetLongStatus) && !SameText(shown.Status2, want.Status2));
}

}  // namespace

bool FindQipControls(TClient& slot) {
  bool ok = CollectQipControls(slot);
  if (!ok && OpenQipStatusForm(slot)) ok = CollectQipControls(slot);
  return ok;
}

bool CollectQipControls(TClient& slot) {
  TWindowsAr list;
  CollectChildWindows(slot.StatusForm.Handle, list);
  for (int32_t i = 0; i < list.Count; ++i) {
    TWindowEx control;
    control.Handle = list.Windows[i];
    ReadWindowEx(control);
    TakeControl(slot, control);
  }
  return IsLiveWindow(slot.Controls[kControlOk].Handle);
}

bool OpenQipStatusForm(TClient& slot) {
  HWND main = slot.MainWindow.Handle;
  RECT mainRect{};
  GetWindowRect(main, &mainRect);
  PanelWalk walk;
  WalkMainPanels(main, walk);
  if (walk.count == 2) {
    for (int i = 0; i < 2; ++i) SendToWindow(walk.last, WM_LBUTTONDBLCLK, MK_LBUTTON, Position(25, 5));
    WalkMainPanels(main, walk);
  }
  if (!IsLiveWindow(walk.last)) return false;
  slot.Controls[kControlOpenPanel].Handle = walk.last;
  ReadWindowEx(slot.Controls[kControlOpenPanel]);
  int x = static_cast<int16_t>(walk.lastRect.right - mainRect.left - 15);
  Press(walk.last, Position(x, 15), 0);
  SendToWindow(slot.StatusForm.Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
  return true;
}

void FillQipForm(TClient& slot, const TStatus& status, bool direct, const TStatus& shown) {
  if (direct) return FillDirect(slot, status);
  HWND pictures = slot.Controls[kControlPictures].Handle;
  if (SettingChecked(Compatible) && IsLiveWindow(pictures) && IsLive(slot, kControlOk)) {
    // The client first passes through an empty status.
    SendToWindow(pictures, CB_SETCURSEL, 0, 0);
    WriteTexts(slot, "", "");
    Confirm(slot);
  }
  SendToWindow(pictures, CB_SETCURSEL, static_cast<WPARAM>(shown.Picture), 0);
  if (SendToWindow(pictures, CB_GETCURSEL, 0, 0) > 0) WriteTexts(slot, status.Status, status.Status2);
  Confirm(slot);
}

bool WriteQipStatus(TClient& slot, const TStatus& request) {
  bool alive = IsLiveWindow(slot.StatusForm.Handle);
  // A form the user has open on screen is not touched.
  if (IsWindowVisible(slot.StatusForm.Handle) && SettingChecked(Enable)) return alive;
  if (!alive) return alive;
  TStatus want = WantedStatus(slot, request);
  bool restoring = CurrentSettings.RestoreDepth > 0;
  TStatus shown;
  if (!ClientAnswers(slot)) return alive;
  if (!restoring) {
    shown = ReadClientStatus(slot);
    if (!ClientAnswers(slot)) return alive;
    bool go = SettingChecked(IfAny) && shown.Picture > 0;
    if (StatusesDiffer(shown, slot.LastSet)) {
      AdoptUsersChange(slot, shown);
      want = WantedStatus(slot, request);
    }
    if (!go && SettingChecked(IfPicture)) go = shown.Picture == kMusicPicture;
    if (!go && SettingChecked(IfStatus)) go = ShowsReferenceStatus(shown.Status);
    if (!go || !WouldChange(shown, want)) return alive;
  }
  FillQipForm(slot, want, restoring, shown);
  TStatus after = ReadClientStatus(slot);
  if (ClientAnswers(slot)) slot.LastSet = after;
  return alive;
}
