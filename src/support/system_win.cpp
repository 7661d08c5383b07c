// The system seam of the Windows build: the ANSI functions of user32 and kernel32.
#include <windows.h>

#include "support/handles_win.h"
#include "support/system.h"

int SysCodePage() {
  return static_cast<int>(GetACP());
}

void SysUpperBuffer(char* buffer, size_t length) {
  if (length > 0) CharUpperBuffA(buffer, static_cast<DWORD>(length));
}

void SysLowerBuffer(char* buffer, size_t length) {
  if (length > 0) CharLowerBuffA(buffer, static_cast<DWORD>(length));
}

int SysCompareStrings(uint32_t flags, const char* a, int lengthA, const char* b, int lengthB) {
  return CompareStringA(LOCALE_USER_DEFAULT, flags, a, lengthA, b, lengthB);
}

bool SysIsAlpha(char c) {
  return IsCharAlphaA(c) != FALSE;
}

bool SysIsAlphaNumeric(char c) {
  return IsCharAlphaNumericA(c) != FALSE;
}

char SysLocaleChar(uint32_t setting, char fallback) {
  // The time separator follows the thread's locale, the rest the user's, as the system's own
  // formatting does.
  LCID locale = setting == kLocaleTime ? GetThreadLocale() : LOCALE_USER_DEFAULT;
  char buffer[2] = {0, 0};
  return GetLocaleInfoA(locale, setting, buffer, 2) >= 1 ? buffer[0] : fallback;
}

SystemTime SysLocalTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  SystemTime t;
  t.wYear = now.wYear;
  t.wMonth = now.wMonth;
  t.wDayOfWeek = now.wDayOfWeek;
  t.wDay = now.wDay;
  t.wHour = now.wHour;
  t.wMinute = now.wMinute;
  t.wSecond = now.wSecond;
  t.wMilliseconds = now.wMilliseconds;
  return t;
}

bool SysFileAttributes(const std::string& path, SysFileInfo& info) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  info.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  info.sizeLow = data.nFileSizeLow;
  return true;
}

bool SysReadFile(const std::string& path, char* buffer, size_t capacity) {
  // Share mode 0: while another program (the client) has the file open, it is not read.
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
  DWORD read = 0;
  return ReadFile(file.get(), buffer, static_cast<DWORD>(capacity), &read, nullptr) != FALSE;
}

bool SysWriteFile(const std::string& path, const char* data, size_t count, bool append) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              append ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file.valid()) return false;
  SetFilePointer(file.get(), 0, nullptr, FILE_END);
  DWORD written = 0;
  return WriteFile(file.get(), data, static_cast<DWORD>(count), &written, nullptr) != FALSE &&
         written == count;
}

bool SysReplaceFile(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool SysFileReadable(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

bool SysDeleteFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != FALSE;
}

bool SysMakeFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
