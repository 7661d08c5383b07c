// qip.exe: a stand-in for the QIP messenger client, with the windows, classes, controls and
// reactions the plug-in works from outside, a command script and an event log (README.md).
#include <windows.h>

#include <cstdio>

#include "client_core.h"
#include "client_script.h"
#include "command_source.h"
#include "qip_client.h"

namespace standin {
namespace {

constexpr int kExitUsage = 2;

const char* const kUsage =
    "usage: qip [--account N] [--title TEXT] [--panels N] [--form-later | --controls-later]\n"
    "           [--picture N] [--status TEXT] [--status2 TEXT]\n"
    "           [--commands FILE|-] [--log FILE] [--echo] [--stay]\n";

bool ReadSetup(const OptionValues& values, QipSetup& setup, std::string& error) {
  setup.account = OptionOr(values, "account", "123456");
  setup.title = OptionOr(values, "title", "");
  setup.status = OptionOr(values, "status", "");
  setup.status2 = OptionOr(values, "status2", "");
  long panels = 0, picture = 0;
  if (!ParseNumber(OptionOr(values, "panels", "3"), panels) || panels < 1 || panels > 8 ||
      !ParseNumber(OptionOr(values, "picture", "0"), picture) || picture < 0 || picture > 29) {
    error = "--panels needs 1 to 8, --picture 0 to 29";
    return false;
  }
  setup.panels = static_cast<int>(panels);
  setup.picture = static_cast<int>(picture);
  const bool later = values.count("form-later") > 0;
  const bool controlsLater = values.count("controls-later") > 0;
  if (later && controlsLater) {
    error = "--form-later and --controls-later exclude each other";
    return false;
  }
  setup.timing = later           ? FormTiming::kWindowOnClick
                 : controlsLater ? FormTiming::kControlsOnClick
                                 : FormTiming::kAtStart;
  return true;
}


int Run(int argc, char** argv) {
  OptionTable table = CommonOptions();
  table.values.push_back("panels");
  table.flags.push_back("form-later");
  table.flags.push_back("controls-later");
  OptionValues values;
  QipSetup setup;
  std::string error;
  if (!ParseOptions(argc, argv, table, values, error) || !ReadSetup(values, setup, error)) {
    std::fprintf(stderr, "qip: %s\n%s", error.c_str(), kUsage);
    return kExitUsage;
  }
  QipClient client;
  return RunClientProgram(
      "qip", values, [&] { return client.Start(GetModuleHandleA(nullptr), setup); },
      [&] { client.Stop(); }, client);
}

}  // namespace
}  // namespace standin

int main(int argc, char** argv) {
  try {
    return standin::Run(argc, argv);
  } catch (...) {
    std::fputs("qip: unexpected failure\n", stderr);
    return 3;
  }
}
