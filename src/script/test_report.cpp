// The Test button's run of a script, without the dialog and the player around it.
#include "script/test_report.h"

#include "default_script.h"
#include "script/math_parser.h"

namespace {

const char kNoDiagnostics[] = "ошибок синтаксиса не найдено (хотя это не означает что их нет :( )";
const char kLineBreak[] = "\r\n";

}  // namespace

void CollectTestMessage(Text& testLog, const Text& message) {
  if (testLog.size() < kTestLogLimit) testLog += message + kLineBreak;
}

TTestReport BuildTestReport(const std::vector<Text>& tagValues, const Text& script) {
  TTestReport report;
  Text testLog;
  TMathParser engine;
  engine.DiagnosticHook = [&](TMathParser&, const Text& message) {
    ++report.DiagnosticCount;
    CollectTestMessage(testLog, message);
    return true;
  };
  engine.Clear();
  for (int32_t row = 0; row < kTagCount; ++row) {
    size_t index = static_cast<size_t>(row);
    engine.AddLine(TagLine(row, index < tagValues.size() ? tagValues[index] : Text()));
  }
  engine.AddScript(script);
  engine.Run();
  const Text tray = ExpandLineBreaks(VariableText(engine, "Tray"));
  const Text status = ExpandLineBreaks(VariableText(engine, "Status"));
  const Text status2 = ExpandLineBreaks(VariableText(engine, "Status2"));
  if (testLog.empty()) testLog = kNoDiagnostics;
  testLog += Text(kLineBreak) + kLineBreak;
  testLog += "=== Status2 ===" + Text(kLineBreak) + status2 + kLineBreak;
  testLog += "=== Status ===" + Text(kLineBreak) + status + kLineBreak;
  testLog += "===  Tray  ===" + Text(kLineBreak) + tray;
  report.Message = testLog;
  return report;
}

Text DefaultScript() {
  return Text(reinterpret_cast<const char*>(kDefaultScriptBytes), kDefaultScriptSize);
}
