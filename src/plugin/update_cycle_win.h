// The update cycle and the host window hook: timer 100 on the host window runs one cycle
// DelayV seconds after the last play-control command and then every DelayV seconds; the
// subclass of the host window watches the host's messages.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr UINT_PTR kUpdateTimerId = 100;
constexpr UINT kMenuCommandId = 2005;
extern const char kMenuEntryText[];
// The tray icon's callback message.
constexpr UINT kTrayCallbackMessage = 3732;

// Greater than 0 while an update cycle runs.
extern int32_t BusyCount;
// The host window's own procedure while the plug-in has subclassed it; none otherwise.
extern WNDPROC PreviousWindowProc;

struct TStatus;
// Told the texts of every finished cycle when set; the module itself sets none, test builds
// of it do.
extern void (*CycleObserver)(const TStatus& texts);

// The delay of the update timer in milliseconds, from DelayV.
UINT UpdateInterval();
void StopUpdateTimer(HWND window);
void StartUpdateTimer(HWND window);
void CALLBACK UpdateTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void SyncHostHooks();
