// Parsing the player's command line: "--name value" pairs and the flag "--echo".
#include "options.h"

#include <cstring>

namespace standin {
namespace {

std::string* ValueOption(Options& options, const char* name) {
  if (std::strcmp(name, "--playlist") == 0) return &options.playlist;
  if (std::strcmp(name, "--commands") == 0) return &options.commands;
  if (std::strcmp(name, "--log") == 0) return &options.log;
  if (std::strcmp(name, "--plugins") == 0) return &options.plugins;
  if (std::strcmp(name, "--settings") == 0) return &options.settings;
  if (std::strcmp(name, "--sticon") == 0) return &options.sticon;
  return nullptr;
}

}  // namespace

const char* const kUsage =
    "usage: winamp_standin [--playlist FILE] [--commands FILE|-] [--log FILE] [--echo]\n"
    "                      [--plugins FOLDER] [--settings FOLDER] [--sticon N]\n";

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--echo") == 0) {
      options.echo = true;
      continue;
    }
    std::string* value = ValueOption(options, argv[i]);
    if (!value) {
      error = std::string("unknown option ") + argv[i];
      return false;
    }
    if (i + 1 >= argc) {
      error = std::string("missing value after ") + argv[i];
      return false;
    }
    *value = argv[++i];
  }
  if (options.commands == "-") options.commands.clear();
  return true;
}

}  // namespace standin
