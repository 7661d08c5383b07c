// rnq.exe: a stand-in for the R&Q messenger client, with the windows, classes, controls and
// reactions the plug-in works from outside, a command script and an event log (README.md).
#include <windows.h>

#include <cstdio>

#include "client_core.h"
#include "client_script.h"
#include "command_source.h"
#include "rnq_client.h"

namespace standin {
namespace {

constexpr int kExitUsage = 2;

const char* const kUsage =
    "usage: rnq [--account N] [--title TEXT] [--picture N] [--status TEXT] [--status2 TEXT]\n"
    "           [--commands FILE|-] [--log FILE] [--echo] [--stay]\n";

bool ReadSetup(const OptionValues& values, RnqSetup& setup, std::string& error) {
  setup.account = OptionOr(values, "account", "777777");
  setup.title = OptionOr(values, "title", "");
  setup.status = OptionOr(values, "status", "");
  setup.status2 = OptionOr(values, "status2", "");
  long picture = 0;
  if (!ParseNumber(OptionOr(values, "picture", "0"), picture) || picture < 0 || picture > 34) {
    error = "--picture needs 0 to 34";
    return false;
  }
  setup.picture = static_cast<int>(picture);
  return true;
}


int Run(int argc, char** argv) {
  OptionValues values;
  RnqSetup setup;
  std::string error;
  if (!ParseOptions(argc, argv, CommonOptions(), values, error) ||
      !ReadSetup(values, setup, error)) {
    std::fprintf(stderr, "rnq: %s\n%s", error.c_str(), kUsage);
    return kExitUsage;
  }
  RnqClient client;
  return RunClientProgram(
      "rnq", values, [&] { return client.Start(GetModuleHandleA(nullptr), setup); },
      [&] { client.Stop(); }, client);
}

}  // namespace
}  // namespace standin

int main(int argc, char** argv) {
  try {
    return standin::Run(argc, argv);
  } catch (...) {
    std::fputs("rnq: unexpected failure\n", stderr);
    return 3;
  }
}
