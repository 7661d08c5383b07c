// Play-control notices of the Apollo player, which sends them to a Winamp-compatible main
// window as message WM_USER + 3 with wParam 10 to 14.
#pragma once

#include <windows.h>

constexpr UINT kApolloCommandMessage = WM_USER + 3;
constexpr WPARAM kApolloFirstPlayCommand = 10;
constexpr WPARAM kApolloLastPlayCommand = 14;
