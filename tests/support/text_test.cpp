// Text utilities, as tables of cases; the same cases run natively and under Wine.
#include <gtest/gtest.h>

#include "support/system.h"
#include "support/text.h"

namespace {

struct CopyCase {
  const char* text;
  int32_t start;
  int32_t count;
  const char* mid;
};

TEST(TextCopies, MidTextCutsAtBothEnds) {
  const CopyCase cases[] = {
      {"abc", 0, 2, "ab"},  {"abc", -5, 2, "ab"}, {"abc", 4, 1, ""},   {"abc", 2, 0, ""},
      {"abc", 2, -1, ""},   {"abc", 2, 99, "bc"}, {"abc", 1, 3, "abc"}, {"", 1, 1, ""},
      {"abc", 3, 1, "c"},   {"abc", 2, 2147483647, "bc"},
  };
  for (const CopyCase& c : cases) {
    EXPECT_EQ(MidText(c.text, c.start, c.count), c.mid) << c.text << " " << c.start << " " << c.count;
  }
}

TEST(TextCopies, LeftAndRight) {
  EXPECT_EQ(RightText("abc", 5), "abc");
  EXPECT_EQ(RightText("abc", 2), "bc");
  EXPECT_EQ(RightText("abc", 0), "");
  EXPECT_EQ(RightText("abc", -1), "");
  EXPECT_EQ(LeftText("abc", 2), "ab");
  EXPECT_EQ(LeftText("abc", 9), "abc");
  EXPECT_EQ(LeftText("abc", 0), "");
}

TEST(TextCopies, KeepNulBytes) {
  Text withNul("a\0b", 3);
  EXPECT_EQ(MidText(withNul, 2, 2), Text("\0b", 2));
  EXPECT_EQ(TextBeforeNul(withNul), "a");
  EXPECT_EQ(TextBeforeNul("abc"), "abc");
}

TEST(TextCase, MapsLatinAndCyrillic) {
  EXPECT_EQ(UpperText("abc XyZ 09"), "ABC XYZ 09");
  EXPECT_EQ(LowerText("ABC xYz 09"), "abc xyz 09");
  EXPECT_EQ(UpperText(""), "");
}

TEST(TextCase, MapsCyrillicInCodePage1251) {
  if (SysCodePage() != 1251) GTEST_SKIP() << "the ANSI code page is " << SysCodePage();
  EXPECT_EQ(UpperText("привет, ёжик"), "ПРИВЕТ, ЁЖИК");
  EXPECT_EQ(LowerText("ПРИВЕТ, ЁЖИК"), "привет, ёжик");
  EXPECT_EQ(UpperText("їжак і ґанок, ўсё"), "ЇЖАК І ҐАНОК, ЎСЁ");
  EXPECT_EQ(UpperText("я"), "Я");
}

TEST(TextTrim, DropsControlsAndBlanksOnly) {
  EXPECT_EQ(TrimText("  \t\r\n a b \x01"), "a b");
  EXPECT_EQ(TrimText(" \t\x1F\x20"), "");
  EXPECT_EQ(TrimText("\xA0x\xA0"), "\xA0x\xA0");  // no-break space is code 160: kept
  EXPECT_EQ(TrimText(""), "");
}

TEST(TextSearch, PosFrom) {
  EXPECT_EQ(PosFrom("ab", "abab", 2), 3);
  EXPECT_EQ(PosFrom("ab", "abab", 1), 1);
  EXPECT_EQ(PosFrom("b", "abc", 4), 0);
  EXPECT_EQ(PosFrom("", "abc", 1), 0);
  EXPECT_EQ(PosFrom("x", "abc", 1), 0);
  EXPECT_EQ(PosFrom("c", "abc", 3), 3);
  EXPECT_EQ(PosFrom("abcd", "abc", 1), 0);
  EXPECT_EQ(ReverseText("abc"), "cba");
}

struct SplitCase {
  const char* text;
  const char* delimiter;
  bool fromRight;
  const char* left;
  const char* right;
  int32_t position;
};

TEST(TextSplit, FromEitherEnd) {
  const SplitCase cases[] = {
      {"3|a|b", "|", false, "3", "a|b", 2},
      {"3|a|b", "|", true, "3|a", "b", 2},
      {"Artist - Title", " - ", false, "Artist", "Title", 7},
      {"A-B-C", "-", true, "A-B", "C", 2},
      {"ABC", "b", false, "A", "C", 2},
      {"no delimiter", "|", false, "no delimiter", "", 0},
      {"no delimiter", "|", true, "", "no delimiter", 0},
      {"x|", "|", false, "x", "", 2},
      {"|x", "|", true, "", "x", 2},
  };
  for (const SplitCase& c : cases) {
    TRLSResult r;
    SplitText(c.text, c.delimiter, 1, r, c.fromRight);
    EXPECT_EQ(r.LeftPart, c.left) << c.text;
    EXPECT_EQ(r.RightPart, c.right) << c.text;
    EXPECT_EQ(r.Position, c.position) << c.text;
    EXPECT_EQ(r.DelimiterLength, static_cast<int32_t>(strlen(c.delimiter)));
    EXPECT_EQ(r.Delimiter, c.delimiter);
    EXPECT_EQ(r.Extra, "");
  }
}

TEST(TextSplit, SearchTextIsLoweredAndReversedAndRecordIsReset) {
  TRLSResult r;
  r.Extra = "left over";
  SplitText("AbC", "x", 1, r, true);
  EXPECT_EQ(r.SearchText, "cba");
  EXPECT_EQ(r.Extra, "");
  SplitText("3|a|b", "|", 3, r, false);
  EXPECT_EQ(r.Position, 4);
  EXPECT_EQ(r.LeftPart, "3|a");
}

struct ReplaceCase {
  const char* text;
  const char* pattern;
  const char* replacement;
  int flags;
  const char* result;
};

TEST(TextReplace, FlagsSelectAllAndCase) {
  const ReplaceCase cases[] = {
      {"aXbxc", "x", "-", 1, "aXb-c"}, {"aXbxc", "x", "-", 3, "a-b-c"},
      {"aXbxc", "x", "-", 2, "a-bxc"}, {"aXbxc", "x", "-", 0, "aXb-c"},
      {"aaa", "aa", "a", 1, "aa"},     {"abc", "", "-", 3, "abc"},
      {"", "a", "-", 3, ""},           {"abab", "ab", "abab", 1, "abababab"},
      {"a\"b\"", "\"", "", 1, "ab"},   {"xyz", "xyz", "", 1, ""},
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.pattern, c.replacement, c.flags), c.result)
        << c.text << " " << c.pattern << " " << c.flags;
  }
}

TEST(TextReplace, IgnoresCaseOfCyrillicIn1251) {
  if (SysCodePage() != 1251) GTEST_SKIP() << "the ANSI code page is " << SysCodePage();
  EXPECT_EQ(ReplaceText("Кино - КИНО", "кино", "X", 3), "X - X");
}

TEST(TextLineBreaks, ExpandStopsAtDoubledBackslash) {
  const struct {
    const char* text;
    const char* result;
  } cases[] = {
      {"a\\nb\\nc", "a\r\nb\r\nc"},
      {"x\\\\ny\\nz", "x\\\\ny\\nz"},
      {"x\\ny\\\\nz", "x\r\ny\\\\nz"},
      {"no breaks", "no breaks"},
      {"\\n", "\r\n"},
      {"\\", "\\"},
      {"\\\\n", "\\\\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandLineBreaks(c.text), c.result) << c.text;
}

TEST(TextFiles, FileTitle) {
  const struct {
    const char* path;
    const char* title;
  } cases[] = {
      {"C:\\Music\\a.b.mp3", "a.b"}, {"C:\\Music\\song.live.mp3", "song.live"},
      {"C:\\Music\\.hidden", ""},     {"C:\\Music\\noext", "noext"},
      {"song.mp3", "song"},           {"C:/Music/x.mp3", "C:/Music/x"},
      {"C:\\Music\\", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FileTitle(c.path), c.title) << c.path;
}

TEST(TextNumbers, TextToIntDef) {
  const struct {
    const char* text;
    int32_t result;
  } cases[] = {
      {" 42", 42},           {"42 ", -1},         {"", -1},
      {"-10", -10},          {"+7", 7},           {"$1F", 31},
      {"x10", 16},           {"X10", 16},         {"0x10", 16},
      {"0X1f", 31},          {"-$10", -16},       {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN}, {"2147483648", -1}, {"99999999999999", -1},
      {"abc", -1},           {"5s", -1},          {"0x", -1},
      {"-", -1},             {"  ", -1},          {"0", 0},
      {"007", 7},            {"1e3", -1},         {"\t5", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToIntDef(c.text, -1), c.result) << c.text;
}

TEST(TextCompare, WholeTextsIgnoringCase) {
  EXPECT_EQ(CompareTexts("abc", "ABC", false, false), 0);
  EXPECT_EQ(CompareTexts("abc", "ABC", true, false) == 0, false);
  EXPECT_EQ(CompareTexts("abc", "abd", false, false), -1);
  EXPECT_EQ(CompareTexts("abd", "abc", false, false), 1);
  EXPECT_EQ(CompareTexts("abc", "abcd", false, false), -1);
  EXPECT_EQ(CompareTexts("abc", "abcd", false, true), 0);
  EXPECT_EQ(CompareTexts("", "", false, false), 0);
  EXPECT_TRUE(SameText("OK", "ok"));
  EXPECT_FALSE(SameText("OK", "OK "));
}

TEST(TextCompare, CyrillicIgnoringCaseIn1251) {
  if (SysCodePage() != 1251) GTEST_SKIP() << "the ANSI code page is " << SysCodePage();
  EXPECT_TRUE(SameText("Нет на месте", "НЕТ НА МЕСТЕ"));
  EXPECT_TRUE(SameText("ёлка", "ЁЛКА"));
  EXPECT_FALSE(SameText("ёлка", "елка"));
  EXPECT_EQ(CompareTexts("а", "б", false, false), -1);
}

TEST(TextSmall, Helpers) {
  EXPECT_TRUE(HasFlags(7, 5));
  EXPECT_FALSE(HasFlags(4, 5));
  EXPECT_TRUE(HasFlags(0, 0));
  EXPECT_EQ(MinInt(-3, 2), -3);
  EXPECT_EQ(MinInt(3, 2), 2);
  EXPECT_EQ(BufferLength("abc"), 3u);
  EXPECT_EQ(TextFromBuffer(""), "");
  EXPECT_EQ(TextFromBuffer("a\0b"), "a");
  std::vector<char> block = AllocZeroed(16);
  EXPECT_EQ(block.size(), 16u);
  for (char c : block) EXPECT_EQ(c, 0);
  EXPECT_EQ(MakePoint(3, -4).x, 3);
  EXPECT_EQ(MakePoint(3, -4).y, -4);
  EXPECT_EQ(ChooseInt(true, 1, 2), 1);
  EXPECT_EQ(ChooseText(false, "a", "b"), "b");
}

TEST(TextLetters, ClassifyAsTheSystem) {
  EXPECT_TRUE(SysIsAlpha('a'));
  EXPECT_TRUE(SysIsAlpha('Z'));
  EXPECT_FALSE(SysIsAlpha('1'));
  EXPECT_FALSE(SysIsAlpha('_'));
  EXPECT_TRUE(SysIsAlphaNumeric('1'));
  EXPECT_FALSE(SysIsAlphaNumeric('.'));
}

TEST(TextLetters, CyrillicLettersIn1251) {
  if (SysCodePage() != 1251) GTEST_SKIP() << "the ANSI code page is " << SysCodePage();
  EXPECT_TRUE(SysIsAlpha('\xC0'));   // А
  EXPECT_TRUE(SysIsAlpha('\xB8'));   // ё
  EXPECT_FALSE(SysIsAlpha('\xAB'));  // «
  EXPECT_TRUE(SysIsAlphaNumeric('\xFF'));
}

TEST(TextCase, Latin1LettersIn1252) {
  if (SysCodePage() != 1252) GTEST_SKIP() << "the ANSI code page is " << SysCodePage();
  EXPECT_EQ(UpperText("\xE0\xE9"), "\xC0\xC9");  // à é
}

}  // namespace
