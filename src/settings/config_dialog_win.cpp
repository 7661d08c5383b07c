// The configuration dialog's procedure: what each button and setting control does when
// the user works it. The dialog edits DialogSettings only; OK alone copies them back and
// saves them.
#include "settings/config_dialog_win.h"

#include <shellapi.h>

#include "settings/settings_file.h"
#include "settings/settings_model.h"
#include "support/file.h"

// The user's guide, which the installer puts beside the module, in the dialog's language.
const char kGuideRussian[] = "gen_tunepost-guide-ru.txt";
const char kGuideEnglish[] = "gen_tunepost-guide-en.txt";

namespace {

void AcceptDialog(HWND dialog) {
  ReadDialogControls(dialog);
  CopySettings(DialogSettings, CurrentSettings);
  SaveSettings();
  LoadSettings();
  EndDialog(dialog, IDOK);
}

void RestoreDefaults(HWND dialog) {
  CopySettings(DefaultSettings, DialogSettings);
  InitDialogControls(dialog);
}

void OpenHelpPage(HWND dialog) {
  ShellExecuteA(dialog, "open", HelpPageAddress().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The template puts all four radio buttons in one group, so a click on one of them
// unchecks the other pair as well; that pair is shown again as DialogSettings hold it,
// or OK would save both of its values as cleared.
void ShowPairAgain(HWND dialog, int32_t first, int32_t second) {
  ShowControlValue(dialog, first, DialogSettings.Values[first]);
  ShowControlValue(dialog, second, DialogSettings.Values[second]);
}

// The account switch: one of the two, stored at once since the account combo's enabled
// state follows it.
void ChooseAccounts(HWND dialog, int32_t id) {
  CheckRadioButton(dialog, AllQIP, AllQIPNo, id);
  DialogSettings.Values[AllQIP] = FlagText(false);
  DialogSettings.Values[AllQIPNo] = FlagText(false);
  ReadControlValue(dialog, id);
  ShowPairAgain(dialog, IfPicture, IfAny);
  UpdateEnabledState(dialog);
}

// The condition switch: whatever state the click left, exactly one of the two stays
// checked, the clicked one. It is stored at once too, for the account switch to show it
// again.
void ChooseCondition(HWND dialog, int32_t id) {
  bool any = id == IfPicture ? IsDlgButtonChecked(dialog, IfPicture) == 0
                             : IsDlgButtonChecked(dialog, IfAny) == 1;
  CheckDlgButton(dialog, IfPicture, static_cast<UINT>(ChooseInt(any, BST_UNCHECKED, BST_CHECKED)));
  CheckDlgButton(dialog, IfAny, static_cast<UINT>(ChooseInt(any, BST_CHECKED, BST_UNCHECKED)));
  ReadControlValue(dialog, IfPicture);
  ReadControlValue(dialog, IfAny);
  ShowPairAgain(dialog, AllQIP, AllQIPNo);
  UpdateEnabledState(dialog);
}

void OnCommand(HWND dialog, int32_t id, int32_t notification) {
  if (id == kOkButton) AcceptDialog(dialog);
  if (id == kCancelButton) EndDialog(dialog, IDCANCEL);
  if (id == kDefaultButton) RestoreDefaults(dialog);
  if (id == kHelpButton) OpenHelpPage(dialog);
  if (id == kTestButton) RunScriptTest(dialog);
  if (id == kResetButton) ResetStatusTexts();
  if (id == Lang && notification == CBN_SELCHANGE) ChangeLanguage(dialog);
  if (id == AllQIP || id == AllQIPNo) ChooseAccounts(dialog, id);
  if (id == IfPicture || id == IfAny) ChooseCondition(dialog, id);
  if (id == Enable) {
    ReadControlValue(dialog, Enable);
    UpdateEnabledState(dialog);
  }
}

}  // namespace

Text HelpPageAddress() {
  const char* guide = SameText(DialogSettings.Values[Lang], "Russian") ? kGuideRussian : kGuideEnglish;
  return DirectoryOfPath(ModulePath) + guide;
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  // The host is not C++: nothing may be thrown out of the dialog.
  try {
    if (message == WM_INITDIALOG) {
      InitDialogControls(dialog);
      SetFocus(GetDlgItem(dialog, Enable));
    }
    if (message == WM_COMMAND) {
      OnCommand(dialog, static_cast<int32_t>(LOWORD(wParam)), static_cast<int32_t>(HIWORD(wParam)));
    }
  } catch (...) {
  }
  return FALSE;
}
