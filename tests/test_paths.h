// Where the tests find the repository's test data and their scratch folder, in either
// build. Under Wine the Unix file system is drive Z:, so a Unix path is reached as Z:
// followed by it with backslashes.
#pragma once

#include <string>

#if !defined(TUNEPOST_SOURCE_DIR) || !defined(TUNEPOST_BINARY_DIR)
#error "TUNEPOST_SOURCE_DIR and TUNEPOST_BINARY_DIR must name the trees"
#endif

inline std::string SystemPath(std::string unixPath) {
#ifdef _WIN32
  for (char& c : unixPath) {
    if (c == '/') c = '\\';
  }
  return "Z:" + unixPath;
#else
  return unixPath;
#endif
}

inline std::string TestDataPath(const std::string& relative) {
  return SystemPath(std::string(TUNEPOST_SOURCE_DIR) + "/" + relative);
}

inline std::string ScratchPath(const std::string& relative) {
  return SystemPath(std::string(TUNEPOST_BINARY_DIR) + "/scratch/" + relative);
}
