// Starting a stand-in client with a pipe on its standard input, and the window and file
// helpers its tests share.
#include "client_process.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kRunLimitMs = 10000;

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(path);
      RemoveDirectoryA(path.c_str());
    } else {
      DeleteFileA(path.c_str());
    }
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

std::string ReadWhileWritten(const std::string& path) {
  std::string text;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD count = 0;
  while (ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0)
    text.append(buffer, count);
  CloseHandle(file);
  return text;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

std::string TestFolder(const std::string& subfolder) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string folder =
      std::string(temp) + "clients-" + test->test_suite_name() + "-" + test->name();
  CreateDirectoryA(folder.c_str(), nullptr);
  RemoveTree(folder);
  if (subfolder.empty()) return folder;
  folder += "\\" + subfolder;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

ClientProcess::ClientProcess(const std::string& unixExe, const std::string& folder,
                             const std::string& exeName, const std::string& options)
    : exe_(folder + "\\" + exeName), log_(folder + "\\client.log") {
  if (!CopyFileA(WindowsPath(unixExe).c_str(), exe_.c_str(), FALSE)) {
    ADD_FAILURE() << "cannot copy " << unixExe << " to " << exe_;
    return;
  }
  std::string commandLine = "\"" + exe_ + "\" --log \"" + log_ + "\" " + options;
  if (!StartWithInput(commandLine, folder.c_str(), process_, input_)) {
    ADD_FAILURE() << "cannot start " << commandLine;
  }
  // The client reads its commands only once its windows are made: the answer to the first
  // one says they are there. (A console program is never "idle" for WaitForInputIdle.)
  if (process_.hProcess) Run("");
}

ClientProcess::~ClientProcess() {
  Finish();
}

HWND ClientProcess::Window(const char* className, DWORD waitMs) const {
  for (DWORD waited = 0; process_.hProcess; waited += kPollMs) {
    for (HWND h = nullptr; (h = FindWindowExA(nullptr, h, className, nullptr)) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(h, &owner);
      if (owner == process_.dwProcessId) return h;
    }
    if (waited >= waitMs) break;
    Sleep(kPollMs);
  }
  return nullptr;
}

void ClientProcess::Send(const std::string& commands) {
  DWORD written = 0;
  if (input_)
    WriteFile(input_, commands.data(), static_cast<DWORD>(commands.size()), &written, nullptr);
}

bool ClientProcess::Run(const std::string& commands) {
  const std::string mark = "sync " + std::to_string(++marks_);
  Send(commands + "log " + mark + "\n");
  return WaitForLine("mark text=\"" + mark + "\"", kRunLimitMs);
}

Lines ClientProcess::Log() const {
  Lines lines;
  const std::string text = ReadWhileWritten(log_);
  size_t start = 0, end;
  while ((end = text.find('\n', start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool ClientProcess::WaitForLine(const std::string& prefix, DWORD milliseconds) const {
  for (DWORD waited = 0;; waited += kPollMs) {
    const Lines lines = Log();
    if (FindFrom(lines, 0, prefix) < lines.size()) return true;
    if (waited >= milliseconds) return false;
    Sleep(kPollMs);
  }
}

DWORD ClientProcess::Finish(bool closeInput) {
  if (closeInput && input_) {
    CloseHandle(input_);
    input_ = nullptr;
  }
  if (!process_.hProcess) return 998;
  DWORD code = AwaitExit(process_, kRunLimitMs);
  if (input_) CloseHandle(input_);
  input_ = nullptr;
  return code;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 2, '\0');
  SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  return text.c_str();
}

std::string SnapshotExePath(DWORD pid) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
  if (snapshot == INVALID_HANDLE_VALUE) return "";
  MODULEENTRY32 module = {};
  module.dwSize = sizeof module;
  std::string path = Module32First(snapshot, &module) ? module.szExePath : "";
  CloseHandle(snapshot);
  return path;
}

void Click(HWND window, int x, int y, WPARAM releaseKeys) {
  const LPARAM position = MAKELPARAM(x, y);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, position);
  SendMessageA(window, WM_LBUTTONUP, releaseKeys, position);
}
