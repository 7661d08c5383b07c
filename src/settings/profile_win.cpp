// INI files through the system's private-profile functions.
#include <windows.h>

#include "settings/profile.h"
#include "support/file.h"

Text ProfileString(const Text& section, const Text& key, const Text& fallback, size_t bufferSize,
                   const Text& path) {
  if (bufferSize == 0) return Text();
  std::vector<char> buffer = AllocZeroed(bufferSize);
  GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                           static_cast<DWORD>(bufferSize), path.c_str());
  return TextFromBuffer(buffer.data());
}

bool ProfileHasKey(const Text& section, const Text& key, const Text& path) {
  // The key names of a section, each ended by a NUL, fit in a buffer as large as the file.
  size_t size = static_cast<uint32_t>(FileSize(path)) + size_t(2);
  std::vector<char> names = AllocZeroed(size);
  DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", names.data(),
                                          static_cast<DWORD>(size), path.c_str());
  for (DWORD at = 0; at < length && names[at] != '\0'; at += lstrlenA(&names[at]) + 1) {
    if (SameText(&names[at], key)) return true;
  }
  return false;
}

bool WriteProfileText(const Text& section, const Text& key, const Text& value, const Text& path) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}
