// The dialog's controls and DialogSettings: showing captions and values by control kind,
// reading them back, the enabled state, and a language change that rebuilds them all.
#include <vector>

#include "settings/config_dialog_win.h"
#include "settings/settings_file.h"
#include "settings/settings_model.h"
#include "support/window_win.h"

namespace {

const int32_t kCombos[] = {Lang, CustomQIP, Picture, Status, LongStatus, Tray, DelayV, VirtPlayState};
// The combos whose items are longer than the combo is wide.
const int32_t kWideCombos[] = {Lang, Picture, Status, LongStatus, Tray};
constexpr WPARAM kDroppedWidth = 300;

HWND Control(HWND dialog, int32_t id) {
  return GetDlgItem(dialog, id);
}

LRESULT SendControl(HWND dialog, int32_t id, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

void ShowComboValue(HWND dialog, int32_t id, const Text& value) {
  // An empty value selects nothing: as a prefix it would match the first item.
  LRESULT found = value.empty() ? CB_ERR
                                : SendControl(dialog, id, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(value.c_str()));
  if (found == CB_ERR) SendControl(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

Text ComboItems(HWND dialog, int32_t id) {
  Text list;
  LRESULT count = SendControl(dialog, id, CB_GETCOUNT, 0, 0);
  for (LRESULT item = 0; item < count; ++item) {
    LRESULT length = SendControl(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
    std::vector<char> buffer = AllocZeroed(static_cast<size_t>(length < 0 ? 0 : length) + 1);
    SendControl(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(buffer.data()));
    list += "||" + TextFromBuffer(buffer.data());
  }
  return list + "||";
}

}  // namespace

void InitDialogControls(HWND dialog) {
  for (int32_t id : kCombos) SendControl(dialog, id, CB_RESETCONTENT, 0, 0);
  for (int32_t id : kWideCombos) SendControl(dialog, id, CB_SETDROPPEDWIDTH, kDroppedWidth, 0);
  for (int32_t id = kFirstSettingId; id <= kLastSettingId; ++id) {
    ShowControlCaption(dialog, id, DialogSettings.Captions[id]);
  }
  for (int32_t id = kFirstSettingId; id <= kLastSettingId; ++id) {
    ShowControlValue(dialog, id, DialogSettings.Values[id]);
  }
  UpdateEnabledState(dialog);
}

void ReadDialogControls(HWND dialog) {
  for (int32_t id = kFirstSettingId; id <= kLastSettingId; ++id) ReadControlValue(dialog, id);
  for (int32_t id = kFirstSettingId; id <= kLastSettingId; ++id) ReadControlCaption(dialog, id);
}

void ShowControlCaption(HWND dialog, int32_t id, const Text& caption) {
  if (ControlKinds(id) == KindCombo) {
    for (const Text& item : ReadItemList(caption)) {
      SendControl(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    return;
  }
  HWND control = Control(dialog, id);
  if (control) SetWindowTextA(control, ExpandLineBreaks(caption).c_str());
}

void ShowControlValue(HWND dialog, int32_t id, const Text& value) {
  switch (ControlKinds(id)) {
    case KindCheck:
    case KindRadio:
      CheckDlgButton(dialog, id, ValueChecked(id, value) ? BST_CHECKED : BST_UNCHECKED);
      break;
    case KindCombo:
      ShowComboValue(dialog, id, ValueText(id, value));
      break;
    case KindScript:
      SendControl(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(DialogSettings.Script.c_str()));
      break;
    case KindLabel:
    case KindGroup:
      break;
  }
}

void ReadControlValue(HWND dialog, int32_t id) {
  switch (ControlKinds(id)) {
    case KindCheck:
    case KindRadio:
      DialogSettings.Values[id] = FlagText(IsDlgButtonChecked(dialog, id) == BST_CHECKED);
      break;
    case KindCombo:
      DialogSettings.Values[id] = EscapeLineBreaks(WindowText(Control(dialog, id)));
      break;
    case KindScript:
      DialogSettings.Script = WindowText(Control(dialog, id));
      break;
    case KindLabel:
    case KindGroup:
      break;
  }
}

void ReadControlCaption(HWND dialog, int32_t id) {
  switch (ControlKinds(id)) {
    case KindCombo:
      DialogSettings.Captions[id] = ComboItems(dialog, id);
      break;
    case KindScript:
      DialogSettings.Captions[id] = Text();
      break;
    default:
      DialogSettings.Captions[id] = EscapeLineBreaks(WindowCaption(Control(dialog, id)));
      break;
  }
}

void UpdateEnabledState(HWND dialog) {
  bool enabled = ValueChecked(Enable, DialogSettings.Values[Enable]);
  for (int32_t id = kFirstSettingId + 1; id <= kLastSettingId; ++id) EnableControl(dialog, id, enabled);
  EnableControl(dialog, CustomQIP, ValueChecked(AllQIPNo, DialogSettings.Values[AllQIPNo]));
}

void EnableControl(HWND dialog, int32_t id, bool enabled) {
  HWND control = Control(dialog, id);
  if (IsLiveWindow(control)) EnableWindow(control, enabled);
}

void ChangeLanguage(HWND dialog) {
  CopySettings(DefaultSettings, DialogSettings);
  const Text language = EscapeLineBreaks(WindowText(Control(dialog, Lang)));
  ReadSettingsFile(DialogSettings, SettingsFilePath(), language);
  InitDialogControls(dialog);
}
