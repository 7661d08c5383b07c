// The records of window identity that the portable core carries: a window's handle with
// its three texts, and a bounded list of windows with the filters that chose them. The
// functions that fill them need the system and live in window_win.h.
#pragma once

#include <cstdint>

#include "support/text.h"

#ifdef _WIN32
#include <windows.h>
#else
// The native build never has a window; the handle is an opaque pointer there.
struct HWND__;
using HWND = HWND__*;
#endif

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
