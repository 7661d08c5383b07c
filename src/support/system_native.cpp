// The system seam of the native build: code page 1251 as Windows treats it (case mapping,
// letter classes, a case-insensitive comparison), a settable locale, and POSIX files.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

#include "support/codepage1251.h"
#include "support/system.h"

namespace {

char gDecimalSeparator = '.';
char gTimeSeparator = ':';

unsigned char Unsigned(char c) {
  return static_cast<unsigned char>(c);
}

// Sort weight of a character: Ё sorts right after Е as the Russian alphabet has it; all
// other characters keep the order of their codes.
int SortWeight(unsigned char c) {
  if (c == 0xA8) return 0xC5 * 2 + 1;
  if (c == 0xB8) return 0xE5 * 2 + 1;
  return c * 2;
}

int CompareCharacters(unsigned char a, unsigned char b, bool ignoreCase) {
  if (ignoreCase) {
    a = Cp1251Upper(a);
    b = Cp1251Upper(b);
  }
  return SortWeight(a) - SortWeight(b);
}

size_t LengthOf(const char* text, int length) {
  return length < 0 ? std::strlen(text) : static_cast<size_t>(length);
}

}  // namespace

void NativeLocaleSet(char decimalSeparator, char timeSeparator) {
  gDecimalSeparator = decimalSeparator;
  gTimeSeparator = timeSeparator;
}

int SysCodePage() {
  return 1251;
}

void SysUpperBuffer(char* buffer, size_t length) {
  for (size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(Cp1251Upper(Unsigned(buffer[i])));
}

void SysLowerBuffer(char* buffer, size_t length) {
  for (size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(Cp1251Lower(Unsigned(buffer[i])));
}

int SysCompareStrings(uint32_t flags, const char* a, int lengthA, const char* b, int lengthB) {
  if (!a || !b) return 0;
  size_t na = LengthOf(a, lengthA);
  size_t nb = LengthOf(b, lengthB);
  bool ignoreCase = (flags & kCompareIgnoreCase) != 0;
  for (size_t i = 0; i < na && i < nb; ++i) {
    int order = CompareCharacters(Unsigned(a[i]), Unsigned(b[i]), ignoreCase);
    if (order != 0) return order < 0 ? 1 : 3;
  }
  if (na == nb) return 2;
  return na < nb ? 1 : 3;
}

bool SysIsAlpha(char c) {
  return Cp1251IsAlpha(Unsigned(c));
}

bool SysIsAlphaNumeric(char c) {
  return SysIsAlpha(c) || (c >= '0' && c <= '9');
}

char SysLocaleChar(uint32_t setting, char fallback) {
  if (setting == kLocaleDecimal) return gDecimalSeparator;
  if (setting == kLocaleTime) return gTimeSeparator;
  return fallback;
}

SystemTime SysLocalTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  SystemTime t;
  t.wYear = static_cast<uint16_t>(local.tm_year + 1900);
  t.wMonth = static_cast<uint16_t>(local.tm_mon + 1);
  t.wDayOfWeek = static_cast<uint16_t>(local.tm_wday);
  t.wDay = static_cast<uint16_t>(local.tm_mday);
  t.wHour = static_cast<uint16_t>(local.tm_hour);
  t.wMinute = static_cast<uint16_t>(local.tm_min);
  t.wSecond = static_cast<uint16_t>(local.tm_sec);
  t.wMilliseconds = static_cast<uint16_t>(now.tv_nsec / 1000000);
  return t;
}

bool SysFileAttributes(const std::string& path, SysFileInfo& info) {
  struct stat st {};
  if (path.empty() || stat(path.c_str(), &st) != 0) return false;
  info.isFolder = S_ISDIR(st.st_mode);
  info.sizeLow = info.isFolder ? 0 : static_cast<uint32_t>(st.st_size);
  return true;
}

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using FileHolder = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

bool SysReadFile(const std::string& path, char* buffer, size_t capacity) {
  FileHolder file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  std::fread(buffer, 1, capacity, file.get());
  return std::ferror(file.get()) == 0;
}

bool SysWriteFile(const std::string& path, const char* data, size_t count, bool append) {
  FileHolder file(std::fopen(path.c_str(), append ? "ab" : "wb"));
  if (!file) return false;
  bool written = std::fwrite(data, 1, count, file.get()) == count;
  return std::fclose(file.release()) == 0 && written;
}

bool SysReplaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool SysFileReadable(const std::string& path) {
  FileHolder file(std::fopen(path.c_str(), "rb"));
  return file != nullptr;
}

bool SysDeleteFile(const std::string& path) {
  return std::remove(path.c_str()) == 0;
}

bool SysMakeFolder(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  return mkdir(path.c_str(), 0755) == 0;
}
