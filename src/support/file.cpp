// Existence, size, whole-file reads and writes, over the system seam.
#include "support/file.h"

#include "support/system.h"

bool PathExists(const Text& path, int32_t kind) {
  // Quotes are dropped so that a path as the user may have typed it is accepted.
  SysFileInfo info;
  if (!SysFileAttributes(ReplaceText(path, "\"", "", kReplaceAll), info)) return false;
  if (kind == kPathFolder) return info.isFolder;
  if (kind == kPathFile) return !info.isFolder;
  return true;
}

bool FileExists(const Text& path) {
  return PathExists(path, kPathFile);
}

int32_t FileSize(const Text& path) {
  SysFileInfo info;
  if (!SysFileAttributes(path, info)) return 0;
  return static_cast<int32_t>(info.sizeLow);
}

Text ReadFileText(const Text& path) {
  if (!FileExists(path)) return Text();
  // One byte more than the file holds, and a zero byte behind that, so a NUL always ends
  // the data whatever the file held.
  size_t size = static_cast<uint32_t>(FileSize(path)) + size_t(1);
  std::vector<char> buffer = AllocZeroed(size + 1);
  if (!SysReadFile(path, buffer.data(), size)) return Text();
  return TextFromBuffer(buffer.data());
}

bool WriteFileBytes(const Text& path, const void* data, uint32_t count, bool append) {
  if (!FileExists(path)) append = false;
  return SysWriteFile(path, static_cast<const char*>(data), count, append);
}

bool WriteTextFile(const Text& path, const char* text, bool append) {
  if (path.empty() || !text) return false;
  return WriteFileBytes(path, text, static_cast<uint32_t>(BufferLength(text)), append);
}

bool ReadWholeFile(const Text& path, Text& content) {
  content.clear();
  if (!FileExists(path) || !SysFileReadable(path)) return false;
  size_t size = static_cast<uint32_t>(FileSize(path));
  std::vector<char> buffer = AllocZeroed(size + 1);
  if (!SysReadFile(path, buffer.data(), size)) return false;
  content.assign(buffer.data(), size);
  return true;
}

bool ReplaceFileBytes(const Text& path, const Text& bytes) {
  const Text temporary = path + ".new";
  if (!SysWriteFile(temporary, bytes.data(), bytes.size(), false)) {
    SysDeleteFile(temporary);
    return false;
  }
  if (SysReplaceFile(temporary, path)) return true;
  SysDeleteFile(temporary);
  return false;
}

bool FolderWritable(const Text& folder) {
  // Asking for permissions misses what the system enforces otherwise (a read-only medium,
  // virtualised folders): making a file is the answer that holds.
  const Text probe = folder + "tunepost-write-test.tmp";
  if (!SysWriteFile(probe, "", 0, false)) return false;
  SysDeleteFile(probe);
  return true;
}

bool MakeFolder(const Text& path) {
  return SysMakeFolder(path);
}

Text DirectoryOfPath(const Text& path) {
  int32_t p = PosFrom("\\", ReverseText(path), 1);
  if (p == 0) return path;
  return LeftText(path, static_cast<int32_t>(path.size()) - p + 1);
}
