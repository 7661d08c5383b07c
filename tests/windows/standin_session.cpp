// Running the stand-in player as its own process, the way the host runs the module.
#include "standin_session.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#ifndef STANDIN_EXE
#error "STANDIN_EXE must name winamp_standin.exe"
#endif

namespace {

// A player that has not finished by then hangs; it is ended so the tests go on.
constexpr DWORD kRunLimitMs = 60000;

void ClearFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      DeleteFileA((folder + "\\" + found.cFileName).c_str());
    }
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

std::string MakeFolder(const std::string& path) {
  CreateDirectoryA(path.c_str(), nullptr);
  ClearFolder(path);
  return path;
}

}  // namespace

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadBytes(const std::string& path) {
  std::string text;
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD count = 0;
  while (ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0) {
    text.append(buffer, count);
  }
  CloseHandle(file);
  return text;
}

Lines ReadLines(const std::string& path) {
  Lines lines;
  std::string text = ReadBytes(path);
  size_t start = 0, end;
  while ((end = text.find('\n', start)) != std::string::npos) {
    size_t length = end - start;
    if (length > 0 && text[end - 1] == '\r') --length;
    lines.push_back(text.substr(start, length));
    start = end + 1;
  }
  return lines;
}

std::string WindowsPath(std::string unixPath) {
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  return "Z:" + unixPath;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

size_t FindFrom(const Lines& lines, size_t from, const std::string& prefix) {
  for (size_t i = from; i < lines.size(); ++i) {
    if (StartsWith(lines[i], prefix)) return i;
  }
  return lines.size();
}

void ExpectInOrder(const Lines& lines, const Lines& prefixes) {
  size_t at = 0;
  for (const std::string& prefix : prefixes) {
    at = FindFrom(lines, at, prefix);
    ASSERT_LT(at, lines.size()) << "missing, or out of order: " << prefix;
    ++at;
  }
}

bool StartWithInput(std::string commandLine, const char* folder, PROCESS_INFORMATION& process,
                    HANDLE& input) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  if (!CreatePipe(&readEnd, &input, &inherit, 0)) return false;
  SetHandleInformation(input, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = readEnd;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, folder,
                                &startup, &process);
  CloseHandle(readEnd);
  if (started) return true;
  CloseHandle(input);
  input = nullptr;
  return false;
}

unsigned long AwaitExit(PROCESS_INFORMATION& process, unsigned long limitMs) {
  DWORD code = 997;
  if (WaitForSingleObject(process.hProcess, limitMs) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, code);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  process = {};
  return code;
}

StandinSession::StandinSession() {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  folder_ = MakeFolder(std::string(temp) + "standin-" + test->test_suite_name() + "-" + test->name());
  plugins_ = MakeFolder(folder_ + "\\Plugins");
  settings_ = MakeFolder(folder_ + "\\settings");
}

void StandinSession::AddPlugin(const std::string& unixPath, const std::string& name) {
  ASSERT_TRUE(CopyFileA(WindowsPath(unixPath).c_str(), (plugins_ + "\\" + name).c_str(), FALSE))
      << name;
}

unsigned long StandinSession::Run(const std::string& playlist, const std::string& commands,
                                  const std::string& extraOptions) {
  WriteBytes(folder_ + "\\test.playlist", playlist);
  std::string commandLine = "\"" + WindowsPath(STANDIN_EXE) + "\" --playlist \"" + folder_ +
                            "\\test.playlist\" --log \"" + LogPath() + "\" --plugins \"" +
                            plugins_ + "\" --settings \"" + settings_ + "\" " + extraOptions;
  PROCESS_INFORMATION process = {};
  HANDLE input = nullptr;
  if (!StartWithInput(commandLine, nullptr, process, input)) return 998;
  DWORD written = 0;
  WriteFile(input, commands.data(), static_cast<DWORD>(commands.size()), &written, nullptr);
  CloseHandle(input);
  return AwaitExit(process, kRunLimitMs);
}
