// The one seam through which the portable core reaches the system: ANSI case mapping,
// locale comparison and letter classes, the locale's separators, local time and files.
// The Windows build answers with Win32; the native build with an emulation of code page
// 1251 (the plug-in's own code page) whose separators tests can set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The eight fields of the system's clock record, in its order.
struct SystemTime {
  uint16_t wYear = 0;
  uint16_t wMonth = 0;
  uint16_t wDayOfWeek = 0;
  uint16_t wDay = 0;
  uint16_t wHour = 0;
  uint16_t wMinute = 0;
  uint16_t wSecond = 0;
  uint16_t wMilliseconds = 0;
};

// Locale settings asked of SysLocaleChar, with the system's numbers.
constexpr uint32_t kLocaleDecimal = 0x0E;
constexpr uint32_t kLocaleTime = 0x1E;

// Comparison flag of SysCompareStrings: ignore case.
constexpr uint32_t kCompareIgnoreCase = 1;

// The ANSI code page the texts are in.
int SysCodePage();
void SysUpperBuffer(char* buffer, size_t length);
void SysLowerBuffer(char* buffer, size_t length);
// The system's answer: 1 less, 2 equal, 3 greater, 0 failure. A length of -1 means
// "up to the NUL".
int SysCompareStrings(uint32_t flags, const char* a, int lengthA, const char* b, int lengthB);
bool SysIsAlpha(char c);
bool SysIsAlphaNumeric(char c);
// The first character of the user locale's setting, or the fallback.
char SysLocaleChar(uint32_t setting, char fallback);
SystemTime SysLocalTime();

struct SysFileInfo {
  bool isFolder = false;
  uint32_t sizeLow = 0;
};
bool SysFileAttributes(const std::string& path, SysFileInfo& info);
// Reads at most `capacity` bytes from the file's start, opened without sharing.
bool SysReadFile(const std::string& path, char* buffer, size_t capacity);
// Writes a block of bytes, creating the file or appending after its last byte.
bool SysWriteFile(const std::string& path, const char* data, size_t count, bool append);

// Puts the file `from` in the place of `to`, replacing it as one step.
bool SysReplaceFile(const std::string& from, const std::string& to);
// The size of an open-able file, or false when it cannot be opened for reading.
bool SysFileReadable(const std::string& path);

bool SysDeleteFile(const std::string& path);
// Makes the folder; true also when it is there already.
bool SysMakeFolder(const std::string& path);

#ifndef _WIN32
// Native build only: the separators the emulated locale reports.
void NativeLocaleSet(char decimalSeparator, char timeSeparator);
#endif
