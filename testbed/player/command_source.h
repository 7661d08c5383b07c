// The script's lines, read on a thread of their own from a command file or standard input,
// so that the user-interface thread keeps pumping messages while it waits for the next line.
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "event_log.h"

namespace standin {

class CommandSource {
 public:
  CommandSource();

  // Starts reading path, or standard input when path is empty; false if it cannot be opened.
  bool Start(const std::string& path);
  // Signalled whenever a line or the end of the input has arrived.
  HANDLE ReadyEvent() const { return shared_->ready.Get(); }
  // Takes the next line; false when none is waiting. ended tells the input is exhausted.
  bool Take(std::string& line, bool& ended);

 private:
  // Shared with the reading thread, which may still wait on standard input when the player
  // has finished; whichever lets go last frees it.
  struct Shared {
    FileHandle ownedInput;
    HANDLE input = INVALID_HANDLE_VALUE;
    FileHandle ready;
    std::mutex mutex;
    std::deque<std::string> lines;
    bool ended = false;
  };
  static void ReadAll(const std::shared_ptr<Shared>& shared);
  static void Push(Shared& shared, std::string line);
  static void Finish(Shared& shared);

  std::shared_ptr<Shared> shared_;
};

}  // namespace standin
