// Private-profile (INI) files: the system's functions in the Windows build, a reader and
// writer of the same format in the native build. Section and key names match ignoring
// case; values are read without surrounding blanks and without one pair of enclosing
// quotes.
#pragma once

#include <cstddef>
#include <vector>

#include "support/text.h"

// The value of the key, cut to bufferSize - 1 characters as the system's buffer holds it;
// the fallback (also cut) when the key or its section is absent.
Text ProfileString(const Text& section, const Text& key, const Text& fallback, size_t bufferSize,
                   const Text& path);
// Whether the section of the file holds the key.
bool ProfileHasKey(const Text& section, const Text& key, const Text& path);
// Creates the file, the section and the key as needed; replaces an existing value.
bool WriteProfileText(const Text& section, const Text& key, const Text& value, const Text& path);
