// Text utilities: the free functions over 8-bit ANSI texts that every subsystem shares.
// Positions are 1-based and 0 means "not found"; one character is one byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// An 8-bit text in the system's ANSI code page; it may hold any byte, NUL included.
using Text = std::string;

// Flag values of ReplaceText.
constexpr int kReplaceAll = 1;
constexpr int kReplaceIgnoreCase = 2;

// The result of SplitText.
struct TRLSResult {
  Text LeftPart;
  Text RightPart;
  Text SearchText;
  Text Delimiter;
  Text Extra;
  int32_t Position = 0;
  int32_t DelimiterLength = 0;
};

struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
};

Text UpperText(const Text& text);
Text LowerText(const Text& text);
Text TrimText(const Text& text);
Text ReverseText(const Text& text);
Text LeftText(const Text& text, int32_t count);
Text RightText(const Text& text, int32_t count);
Text MidText(const Text& text, int32_t start, int32_t count);
int32_t PosFrom(const Text& needle, const Text& text, int32_t start);
void SplitText(const Text& text, const Text& delimiter, int32_t start, TRLSResult& result,
               bool fromRight);
Text ReplaceText(const Text& text, const Text& pattern, const Text& replacement, int flags);
Text ExpandLineBreaks(const Text& text);
Text FileTitle(const Text& path);
int32_t TextToIntDef(const Text& text, int32_t fallback);

// -1, 0 or +1 for less, equal, greater; -2 when the system comparison fails.
int CompareBuffers(const char* a, const char* b, bool caseSensitive, bool prefixOnly);
int CompareTexts(const Text& a, const Text& b, bool caseSensitive, bool prefixOnly);
// The usual question of every caller: the same text, ignoring case?
bool SameText(const Text& a, const Text& b);

size_t BufferLength(const char* buffer);
Text TextFromBuffer(const char* buffer);
Text TextBeforeNul(const Text& text);

bool HasFlags(uint32_t value, uint32_t mask);
int32_t MinInt(int32_t a, int32_t b);
// A zero-filled block of the given size; it frees itself.
std::vector<char> AllocZeroed(size_t size);
TPoint MakePoint(int32_t x, int32_t y);

int32_t ChooseInt(bool flag, int32_t a, int32_t b);
Text ChooseText(bool flag, const Text& a, const Text& b);
