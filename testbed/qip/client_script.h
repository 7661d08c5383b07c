// The stand-in clients' command script: one command a line from a file or standard input,
// run on the user-interface thread with messages pumped between commands.
#pragma once

#include <functional>
#include <string>

#include "client_core.h"
#include "command_source.h"

namespace standin {

enum class Outcome { kContinue, kQuit, kError };

// The client's own commands; unknown ones answer kError.
class ClientCommands {
 public:
  virtual ~ClientCommands() = default;
  virtual Outcome Execute(const std::string& word, const std::string& argument) = 0;
};

// Runs the commands wait, hang, log and quit itself and hands the others on. Ends at quit,
// at a script error (exit code 1), when the main window was closed, or at the end of the
// input unless stay is set. Logs "quit reason=..." and returns the exit code.
int RunClientScript(CommandSource& source, bool stay, ClientCommands& commands);

// Posted by a client's main window when it is closed; ends the script.
void RequestQuit();

// What a client program does once its options are read: opens the log, starts the command
// source, makes its windows (startWindows; false when it cannot), runs the script and
// takes the windows down again. Returns the exit code; name prefixes its messages.
int RunClientProgram(const std::string& name, const OptionValues& values,
                     const std::function<bool()>& startWindows,
                     const std::function<void()>& stopWindows, ClientCommands& commands);

}  // namespace standin
