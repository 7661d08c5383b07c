// Fuzz target: an arbitrary script added to an engine that holds the 21 TAG statements,
// run twice (with a changed tag in between), and the three results read as the update
// cycle reads them. Any crash, sanitizer report, hang or runaway memory is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "script/math_parser.h"
#include "script/test_report.h"
#include "support/system.h"

namespace {

void ReadResults(TMathParser& engine) {
  for (const char* name : {"Tray", "Status", "Status2"}) {
    volatile size_t length = ExpandLineBreaks(VariableText(engine, name)).size();
    (void)length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  NativeLocaleSet(size % 2 == 0 ? '.' : ',', ':');
  TMathParser engine;
  size_t diagnostics = 0;
  engine.DiagnosticHook = [&](TMathParser&, const Text& message) {
    diagnostics += message.size();
    return true;
  };
  engine.Clear();
  for (int32_t row = 0; row < kTagCount; ++row) engine.AddLine(TagLine(row, "tag"));
  engine.AddScript(Text(reinterpret_cast<const char*>(data), size));
  engine.Run();
  ReadResults(engine);
  engine.SetLine(TagLine(0, "Artist \"quoted\" \\n"), 0);
  engine.Run();
  ReadResults(engine);
  return 0;
}
