// Window utilities: read other processes' windows by handle (class name, caption, text) and
// gather bounded lists of windows under class, caption and text filters. They only read.
#pragma once

#include <windows.h>

#include <cstdint>

#include "support/text.h"

// The identity of one window as last read.
struct TWindowEx {
  HWND Handle = nullptr;
  ::Text Text;
  ::Text Caption;
  ::Text ClassName;
};

// The most windows one list holds: the client slots are as many.
constexpr int32_t kMaxListedWindows = 21;

// A bounded list of windows with the filters that chose them. ClassFilter holds class
// names, each followed by one NUL.
struct TWindowsAr {
  HWND Windows[kMaxListedWindows] = {};
  int32_t Count = 0;
  ::Text ClassFilter;
  ::Text CaptionFilter;
  ::Text TextFilter;
};

bool IsLiveWindow(HWND handle);
bool ReadWindowTexts(HWND handle, Text* caption, Text* className, Text* text);
Text WindowClassName(HWND handle);
Text WindowText(HWND handle);
Text WindowCaption(HWND handle);
void ReadWindowEx(TWindowEx& window);
// Appends from Count on; parent 0 walks the top-level windows.
int32_t CollectChildWindows(HWND parent, TWindowsAr& list);
