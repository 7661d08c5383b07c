// The default formatting script, exactly the bytes of resources/default.script (code page
// 1251, CR LF line ends), followed by one NUL that is not counted in the size.
#pragma once

#include <cstddef>

extern const unsigned char kDefaultScriptBytes[];
extern const size_t kDefaultScriptSize;
