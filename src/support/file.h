// File utilities: every file access of the plug-in goes through these. None of them
// raises an error for a missing or locked file; they answer false, 0 or the empty text.
#pragma once

#include <cstdint>

#include "support/text.h"

// Path kinds of PathExists.
constexpr int32_t kPathFolder = 0;
constexpr int32_t kPathFile = 1;
constexpr int32_t kPathAny = 2;

bool PathExists(const Text& path, int32_t kind);
bool FileExists(const Text& path);
int32_t FileSize(const Text& path);
Text ReadFileText(const Text& path);
bool WriteFileBytes(const Text& path, const void* data, uint32_t count, bool append);
// Writes the text's bytes unchanged; false when the file cannot be opened or written whole.
bool WriteTextFile(const Text& path, const char* text, bool append);
// The whole file, NUL bytes included; false when it does not exist or cannot be read
// (another program holds it open).
bool ReadWholeFile(const Text& path, Text& content);
// Writes the bytes to a temporary file beside the path, then puts it in the path's place,
// so that a failure half-way leaves either the old file or the new one whole.
bool ReplaceFileBytes(const Text& path, const Text& bytes);
// Whether a new file can be made in the folder (the folder path ends with its separator).
bool FolderWritable(const Text& folder);
bool MakeFolder(const Text& path);
// The path up to and including its last backslash; the path itself when it has none.
Text DirectoryOfPath(const Text& path);

#ifdef _WIN32
#include <windows.h>
Text ModuleFilePath(HINSTANCE module);
#endif
