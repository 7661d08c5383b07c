// Built into a test copy of the module only: after every update cycle it hands the host
// window the three texts the script produced, in a WM_COPYDATA message, so that the
// stand-in player can log them.
#include <windows.h>

#include "messenger/client.h"
#include "plugin/gen_tunepost.h"
#include "plugin/update_cycle_win.h"
#include "testbed/cycle_report/cycle_report.h"

namespace {

void SendCycleReport(const TStatus& texts) {
  std::string data = texts.Status + '\0' + texts.Status2 + '\0' + texts.Tray;
  COPYDATASTRUCT copy{kCycleReportTag, static_cast<DWORD>(data.size() + 1), &data[0]};
  SendMessageA(HostWindow(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

const bool kObserving = (CycleObserver = SendCycleReport, true);

}  // namespace
