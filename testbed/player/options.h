// The player's command line.
#pragma once

#include <string>

namespace standin {

struct Options {
  std::string playlist;  // empty: an empty playlist
  std::string commands;  // empty: standard input
  std::string log;       // empty: no log file
  bool echo = false;     // copy the log to standard output
  std::string plugins;   // empty: "Plugins" beside the program
  std::string settings;  // empty: the program's folder
  std::string sticon;    // empty: leave the INI's value alone
};

// Parses argv; on a fault returns false with a message.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error);

extern const char* const kUsage;

}  // namespace standin
