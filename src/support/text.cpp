// Text utilities over 8-bit ANSI texts; case and comparison go through the system seam.
#include "support/text.h"

#include <algorithm>
#include <cstring>

#include "support/system.h"

Text UpperText(const Text& text) {
  Text result = text;
  SysUpperBuffer(result.data(), result.size());
  return result;
}

Text LowerText(const Text& text) {
  Text result = text;
  SysLowerBuffer(result.data(), result.size());
  return result;
}

static bool IsTrimmed(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

Text TrimText(const Text& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsTrimmed(text[first])) ++first;
  while (last > first && IsTrimmed(text[last - 1])) --last;
  return text.substr(first, last - first);
}

Text ReverseText(const Text& text) {
  return Text(text.rbegin(), text.rend());
}

// Characters of the single-byte code pages the plug-in meets are one byte each, so the
// copies cut the bytes directly.
Text MidText(const Text& text, int32_t start, int32_t count) {
  if (count <= 0) return Text();
  int64_t from = start < 1 ? 1 : start;
  if (from > static_cast<int64_t>(text.size())) return Text();
  return text.substr(static_cast<size_t>(from - 1), static_cast<size_t>(count));
}

Text LeftText(const Text& text, int32_t count) {
  return MidText(text, 1, count);
}

Text RightText(const Text& text, int32_t count) {
  if (count <= 0) return Text();
  if (static_cast<size_t>(count) >= text.size()) return text;
  return text.substr(text.size() - static_cast<size_t>(count));
}

int32_t PosFrom(const Text& needle, const Text& text, int32_t start) {
  if (needle.empty() || start < 1) return 0;
  size_t found = text.find(needle, static_cast<size_t>(start - 1));
  return found == Text::npos ? 0 : static_cast<int32_t>(found + 1);
}

void SplitText(const Text& text, const Text& delimiter, int32_t start, TRLSResult& result,
               bool fromRight) {
  result = TRLSResult();
  result.SearchText = LowerText(text);
  Text searched = LowerText(delimiter);
  if (fromRight) {
    result.SearchText = ReverseText(result.SearchText);
    searched = ReverseText(searched);
  }
  result.DelimiterLength = static_cast<int32_t>(delimiter.size());
  result.Position = PosFrom(searched, result.SearchText, start);
  result.Delimiter = delimiter;
  int32_t length = static_cast<int32_t>(text.size());
  if (!fromRight) {
    if (result.Position > 0) {
      result.LeftPart = LeftText(text, result.Position - 1);
      result.RightPart = MidText(text, result.Position + result.DelimiterLength, length);
    } else {
      result.LeftPart = text;
    }
  } else if (result.Position > 0) {
    result.RightPart = RightText(text, result.Position - 1);
    result.LeftPart = LeftText(text, length - (result.Position - 1) - result.DelimiterLength);
  } else {
    result.RightPart = text;
  }
}

Text ReplaceText(const Text& text, const Text& pattern, const Text& replacement, int flags) {
  if (pattern.empty()) return text;
  bool ignoreCase = (flags & kReplaceIgnoreCase) != 0;
  const Text haystack = ignoreCase ? UpperText(text) : text;
  const Text needle = ignoreCase ? UpperText(pattern) : pattern;
  Text result;
  size_t from = 0;
  while (from < haystack.size()) {
    size_t found = haystack.find(needle, from);
    if (found == Text::npos) break;
    result.append(text, from, found - from);
    result += replacement;
    from = found + needle.size();
    if ((flags & kReplaceAll) == 0) break;
  }
  if (from < text.size()) result.append(text, from, Text::npos);
  return result;
}

Text ExpandLineBreaks(const Text& text) {
  Text result = text;
  for (size_t i = 0; i + 1 < result.size(); ++i) {
    if (result[i] != '\\' || result[i + 1] != 'n') continue;
    // A doubled backslash is the user's way to keep a literal backslash-n: from there on
    // nothing is expanded.
    if (i > 0 && result[i - 1] == '\\') break;
    result[i] = '\r';
    result[i + 1] = '\n';
    ++i;
  }
  return result;
}

Text FileTitle(const Text& path) {
  size_t slash = path.rfind('\\');
  Text name = slash == Text::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  return dot == Text::npos ? name : name.substr(0, dot);
}

static int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int32_t TextToIntDef(const Text& text, int32_t fallback) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return fallback;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    int digit = DigitValue(text[i]);
    if (digit < 0 || digit >= base) return fallback;
    value = value * base + digit;
    if (value > int64_t(INT32_MAX) + 1) return fallback;
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return fallback;
  return static_cast<int32_t>(value);
}

int CompareBuffers(const char* a, const char* b, bool caseSensitive, bool prefixOnly) {
  uint32_t flags = caseSensitive ? 0 : kCompareIgnoreCase;
  int length = -1;
  if (prefixOnly) length = static_cast<int>(std::min(BufferLength(a), BufferLength(b)));
  return SysCompareStrings(flags, a, length, b, length) - 2;
}

int CompareTexts(const Text& a, const Text& b, bool caseSensitive, bool prefixOnly) {
  return CompareBuffers(a.c_str(), b.c_str(), caseSensitive, prefixOnly);
}

bool SameText(const Text& a, const Text& b) {
  return CompareTexts(a, b, false, false) == 0;
}

size_t BufferLength(const char* buffer) {
  return buffer ? std::strlen(buffer) : 0;
}

Text TextFromBuffer(const char* buffer) {
  return buffer ? Text(buffer) : Text();
}

Text TextBeforeNul(const Text& text) {
  return text.substr(0, text.find('\0'));
}

bool HasFlags(uint32_t value, uint32_t mask) {
  return (value | mask) == value;
}

int32_t MinInt(int32_t a, int32_t b) {
  return a < b ? a : b;
}

std::vector<char> AllocZeroed(size_t size) {
  return std::vector<char>(size, '\0');
}

TPoint MakePoint(int32_t x, int32_t y) {
  return TPoint{x, y};
}

int32_t ChooseInt(bool flag, int32_t a, int32_t b) {
  return flag ? a : b;
}

Text ChooseText(bool flag, const Text& a, const Text& b) {
  return flag ? a : b;
}
