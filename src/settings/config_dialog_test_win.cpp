// The dialog's Test button: the script in the edit run once on the playing track's tags,
// the same run that the command-line tester makes, shown in a message box.
#include <vector>

#include "plugin/track_info_win.h"
#include "script/test_report.h"
#include "settings/config_dialog_win.h"
#include "settings/settings_model.h"
#include "support/window_win.h"

Text TestLog;

void RunScriptTest(HWND dialog) {
  TestLog = Text();
  // The tags go into the live record, as a cycle would leave them.
  CollectTrackInfo();
  std::vector<Text> tagValues(std::begin(CurrentSettings.TagValues), std::end(CurrentSettings.TagValues));
  DialogSettings.Script = WindowText(GetDlgItem(dialog, FormatScript));
  // The report's engine is its own and is gone when the report is made, whatever the
  // script did.
  TestLog = BuildTestReport(tagValues, DialogSettings.Script).Message;
  MessageBoxA(dialog, TestLog.c_str(), "ICQ client status", MB_OK);
}
