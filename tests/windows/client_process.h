// A stand-in client (qip.exe or rnq.exe) run as its own process from a folder of the test's
// own, the way a user starts the real client: commands go to its standard input while it
// runs, its windows are found by class and process id, and its log is read back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "standin_session.h"

class ClientProcess {
 public:
  // Copies the program (a Unix path) into folder under the name exeName and starts it with
  // the options and a log beside it.
  ClientProcess(const std::string& unixExe, const std::string& folder, const std::string& exeName,
                const std::string& options);
  // Ends the input, which ends the client, and waits for it.
  ~ClientProcess();
  ClientProcess(const ClientProcess&) = delete;
  ClientProcess& operator=(const ClientProcess&) = delete;

  // The process's top-level window of this class; 0 when none shows up in time.
  HWND Window(const char* className, DWORD waitMs = 10000) const;
  // Writes the commands and waits until the client has run them all.
  bool Run(const std::string& commands);
  // Writes the commands without waiting.
  void Send(const std::string& commands);
  // Waits for a log line starting with prefix.
  bool WaitForLine(const std::string& prefix, DWORD milliseconds) const;
  // Ends the input (or not, when the client is to quit by itself) and returns the exit code.
  DWORD Finish(bool closeInput = true);

  // The log so far; the client holds it open for writing.
  Lines Log() const;
  DWORD pid() const { return process_.dwProcessId; }
  const std::string& exePath() const { return exe_; }

 private:
  PROCESS_INFORMATION process_{};
  HANDLE input_ = nullptr;
  std::string exe_, log_;
  int marks_ = 0;
};

// A fresh folder for the running test under the temporary folder, emptied of an earlier run.
std::string TestFolder(const std::string& subfolder = "");
// The descendants of a window in the system's walk order.
std::vector<HWND> Descendants(HWND parent);
std::string ClassOf(HWND window);
// What the window answers to WM_GETTEXT.
std::string TextOf(HWND window);
// The executable of a process as a module snapshot gives it.
std::string SnapshotExePath(DWORD pid);
// The press and release of the left button at (x, y) in the window.
void Click(HWND window, int x, int y, WPARAM releaseKeys);
