// The configuration dialog "#101": its procedure, and the parts it is built from. Each
// control that carries a setting has the setting's id; the setting's kind decides how the
// control shows and gives back its value and caption, always through DialogSettings.
#pragma once

#include <windows.h>

#include <cstdint>

#include "support/text.h"

// The dialog's own buttons; the other controls carry the ids of their settings.
constexpr int kOkButton = IDOK;
constexpr int kCancelButton = IDCANCEL;
constexpr int kDefaultButton = 3;
constexpr int kHelpButton = 4;
constexpr int kResetButton = 5;
constexpr int kTestButton = 6;

// The help page that "?" opens: a file beside the module, named here only.
extern const char kGuideRussian[];
extern const char kGuideEnglish[];
Text HelpPageAddress();

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Controls and DialogSettings (config_dialog_controls_win.cpp).
void InitDialogControls(HWND dialog);
void ReadDialogControls(HWND dialog);
void ShowControlCaption(HWND dialog, int32_t id, const Text& caption);
void ShowControlValue(HWND dialog, int32_t id, const Text& value);
void ReadControlCaption(HWND dialog, int32_t id);
void ReadControlValue(HWND dialog, int32_t id);
void UpdateEnabledState(HWND dialog);
void EnableControl(HWND dialog, int32_t id, bool enabled);
void ChangeLanguage(HWND dialog);

// The Test button (config_dialog_test_win.cpp): the message its box shows is kept here.
extern Text TestLog;
void RunScriptTest(HWND dialog);

// The reset button (config_dialog_reset_win.cpp).
extern const char kCustomStatusBackupFileName[];
constexpr DWORD kResetPauseMs = 1000;
void ResetStatusTexts();
