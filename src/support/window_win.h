// Window utilities: read other processes' windows by handle (class name, caption, text) and
// gather bounded lists of windows under class, caption and text filters. They only read.
#pragma once

#include <windows.h>

#include <cstdint>

#include "support/text.h"
#include "support/window.h"

// A window of another process gets this long to answer a message.
constexpr UINT kClientAnswerLimitMs = 1000;

// Sends a message and answers what the window answered. A window of another process that
// does not answer in time counts as unanswered (0), and its process gets no further
// messages until ForgetUnansweredProcesses: a hung client must not freeze the host.
LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool IsUnanswered(HWND window);
void ForgetUnansweredProcesses();

bool IsLiveWindow(HWND handle);
bool ReadWindowTexts(HWND handle, Text* caption, Text* className, Text* text);
Text WindowClassName(HWND handle);
Text WindowText(HWND handle);
Text WindowCaption(HWND handle);
void ReadWindowEx(TWindowEx& window);
// Appends from Count on; parent 0 walks the top-level windows.
int32_t CollectChildWindows(HWND parent, TWindowsAr& list);
