// The cycle report of the module's test copy: WM_COPYDATA with this tag, and as data the
// texts Status, Status2 and Tray, each ended by a NUL.
#pragma once

constexpr unsigned long kCycleReportTag = 0x54505354;  // "TPST"
