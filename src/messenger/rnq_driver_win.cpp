// R&Q's status form worked from outside.
#include "messenger/rnq_driver_win.h"

#include "messenger/client_win.h"
#include "messenger/driver_rules.h"
#include "settings/settings_model.h"
#include "support/window_win.h"

namespace {

void PressEnterAndClose(HWND form) {
  SendToWindow(form, WM_KEYDOWN, VK_RETURN, 0);
  SendToWindow(form, WM_KEYUP, VK_RETURN, 0);
  SendToWindow(form, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void ClickCell(HWND form, int32_t cell) {
  TPoint at = StatusCellPosition(cell);
  LPARAM position = MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
  SendToWindow(form, WM_LBUTTONDOWN, MK_LBUTTON, position);
  SendToWindow(form, WM_LBUTTONUP, 0, position);
}

void SetText(HWND window, const Text& text) {
  SendToWindow(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool WouldChange(const TClient& slot, const Text& shown, const TStatus& request) {
  if (SettingChecked(SetStatus) && !SameText(shown, request.Status)) return true;
  return SettingChecked(SetLongStatus) &&
         !SameText(WindowText(slot.Controls[kControlLongText].Handle), request.Status2);
}

}  // namespace

bool FindRnqControls(TClient& slot) {
  TWindowsAr list;
  CollectChildWindows(slot.StatusForm.Handle, list);
  for (int32_t i = 0; i < list.Count; ++i) {
    TWindowEx box;
    box.Handle = list.Windows[i];
    if (!ReadWindowTexts(box.Handle, &box.Caption, &box.ClassName, &box.Text)) continue;
    if (box.ClassName == "TEdit") slot.Controls[kControlShortText] = box;
    if (box.ClassName == "TMemo") slot.Controls[kControlLongText] = box;
  }
  return IsLiveWindow(slot.Controls[kControlShortText].Handle);
}

bool WriteRnqStatus(TClient& slot, const TStatus& request) {
  if (!FindRnqControls(slot)) return false;
  Text shown = WindowText(slot.Controls[kControlShortText].Handle);
  if (!ClientAnswers(slot)) return true;
  bool go = SettingChecked(IfAny) || (SettingChecked(IfStatus) && ShowsReferenceStatus(shown));
  if (!go || !WouldChange(slot, shown, request)) return true;
  HWND form = slot.StatusForm.Handle;
  if (SettingChecked(Compatible)) {
    ClickCell(form, 0);
    if (!IsWindowVisible(form)) PressEnterAndClose(form);
  }
  if (IsLiveWindow(slot.Controls[kControlShortText].Handle) && SettingChecked(SetStatus)) {
    SetText(slot.Controls[kControlShortText].Handle, request.Status);
  }
  if (IsLiveWindow(slot.Controls[kControlLongText].Handle) && SettingChecked(SetLongStatus)) {
    SetText(slot.Controls[kControlLongText].Handle, request.Status2);
  }
  // A form open on screen is confirmed by the user.
  if (!IsWindowVisible(form)) PressEnterAndClose(form);
  return true;
}
