// The native build's code page 1251 held against the system's own ANSI functions, byte by
// byte, so that the native tests answer as Windows does.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/codepage1251.h"

namespace {

class CodePage1251 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetACP() != 1251) GTEST_SKIP() << "the ANSI code page is " << GetACP();
  }
};

TEST_F(CodePage1251, CaseMappingMatchesTheSystem) {
  for (int c = 1; c < 256; ++c) {
    char upper = static_cast<char>(c), lower = static_cast<char>(c);
    CharUpperBuffA(&upper, 1);
    CharLowerBuffA(&lower, 1);
    EXPECT_EQ(static_cast<unsigned char>(upper), Cp1251Upper(static_cast<unsigned char>(c))) << c;
    EXPECT_EQ(static_cast<unsigned char>(lower), Cp1251Lower(static_cast<unsigned char>(c))) << c;
  }
}

TEST_F(CodePage1251, LettersMatchTheSystem) {
  for (int c = 1; c < 256; ++c) {
    EXPECT_EQ(IsCharAlphaA(static_cast<char>(c)) != FALSE, Cp1251IsAlpha(static_cast<unsigned char>(c))) << c;
  }
}

TEST(Locale, SeparatorsOfTheTestLocales) {
  char decimal[4] = {0};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 4);
  EXPECT_STREQ(decimal, GetACP() == 1251 ? "," : ".");
}

}  // namespace
