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
constexpr int kExitStartFailed = 3;

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

int Fail(const std::string& message) {
  std::fprintf(stderr, "rnq: %s\n", message.c_str());
  WriteLog(LogLine("rnq error").Text("text", message));
  return kExitStartFailed;
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
  EventLog log;
  log.SetEcho(values.count("echo") > 0);
  SetClientLog(&log);
  const std::string logPath = OptionOr(values, "log", "");
  if (!logPath.empty() && !log.Open(logPath)) return Fail("cannot write the log " + logPath);
  std::string commandsPath = OptionOr(values, "commands", "");
  if (commandsPath == "-") commandsPath.clear();
  CommandSource commands;
  if (!commands.Start(commandsPath)) return Fail("cannot read the commands " + commandsPath);
  RnqClient client;
  if (!client.Start(GetModuleHandleA(nullptr), setup)) return Fail("cannot create the windows");
  const int code = RunClientScript(commands, values.count("stay") > 0, client);
  client.Stop();
  WriteLog(LogLine("rnq exit").Number("code", code));
  SetClientLog(nullptr);
  return code;
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
