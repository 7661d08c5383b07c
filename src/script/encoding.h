// Conversion between the plug-in's code page 1251 and UTF-8, for the script tester's
// --utf8 mode and for test files kept in UTF-8.
#pragma once

#include "support/text.h"

Text Cp1251ToUtf8(const Text& text);
// Characters that code page 1251 lacks become "?".
Text Utf8ToCp1251(const Text& text);
