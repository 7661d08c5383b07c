// Keeping "_st_cust.txt" the way the client does after every confirmed status.
#include "status_file.h"

#include <windows.h>

#include <vector>

#include "event_log.h"

namespace standin {
namespace {

const std::string kSeparator = "#custom_status_descr#";
const std::string kLineEnd = "\r\n";

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0, end;
  while ((end = text.find(kLineEnd, start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + kLineEnd.size();
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

bool ReadOld(const std::string& path, std::string& content, unsigned long& error) {
  content.clear();
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) {
    error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  char buffer[4096];
  DWORD count = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr) && count > 0)
    content.append(buffer, count);
  return true;
}

void MakeFolders(const std::string& path) {
  for (std::string::size_type slash = path.find('\\', 3); slash != std::string::npos;
       slash = path.find('\\', slash + 1)) {
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  }
}

bool WriteAll(const std::string& path, const std::string& bytes, unsigned long& error) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file.IsOpen() &&
      WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size())
    return true;
  error = GetLastError();
  return false;
}

}  // namespace

std::string UpdatedStatusList(const std::string& old, int picture, const std::string& status,
                              const std::string& status2) {
  std::vector<std::string> lines = SplitLines(old);
  if (lines.size() < static_cast<std::size_t>(kPictureCount))
    lines.resize(kPictureCount, kSeparator);
  if (picture >= 0 && picture < kPictureCount)
    lines[static_cast<std::size_t>(picture)] = OneLine(status) + kSeparator + OneLine(status2);
  std::string text;
  for (const std::string& line : lines) text += line + kLineEnd;
  return text;
}

bool StoreStatus(const std::string& path, int picture, const std::string& status,
                 const std::string& status2, unsigned long& error) {
  error = 0;
  std::string old;
  if (!ReadOld(path, old, error)) return false;
  MakeFolders(path);
  return WriteAll(path, UpdatedStatusList(old, picture, status, status2), error);
}

}  // namespace standin
