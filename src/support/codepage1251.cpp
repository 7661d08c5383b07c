// Case pairs and letters of code page 1251.
#include "support/codepage1251.h"

namespace {

// Each lower-case letter above ASCII with its upper case: the Cyrillic alphabet, Ё, and the
// Serbian, Macedonian, Ukrainian and Belarusian letters.
struct CasePair {
  unsigned char lower;
  unsigned char upper;
};
constexpr CasePair kCyrillicPairs[] = {
    {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E},
    {0x9F, 0x8F}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5}, {0xB8, 0xA8}, {0xBA, 0xAA},
    {0xBF, 0xAF}, {0xB3, 0xB2}, {0xBE, 0xBD},
};

struct Tables {
  unsigned char upper[256];
  unsigned char lower[256];
  bool alpha[256];

  Tables() {
    for (int c = 0; c < 256; ++c) {
      upper[c] = lower[c] = static_cast<unsigned char>(c);
      alpha[c] = false;
    }
    for (int c = 'a'; c <= 'z'; ++c) Pair(c, c - 32);
    for (int c = 0xE0; c <= 0xFF; ++c) Pair(c, c - 32);
    for (const CasePair& p : kCyrillicPairs) Pair(p.lower, p.upper);
    alpha[0xB5] = true;  // the micro sign: a letter without an upper case here
  }

  void Pair(int lowerCase, int upperCase) {
    upper[lowerCase] = static_cast<unsigned char>(upperCase);
    lower[upperCase] = static_cast<unsigned char>(lowerCase);
    alpha[lowerCase] = alpha[upperCase] = true;
  }
};

const Tables& TheTables() {
  static const Tables tables;
  return tables;
}

}  // namespace

unsigned char Cp1251Upper(unsigned char c) {
  return TheTables().upper[c];
}

unsigned char Cp1251Lower(unsigned char c) {
  return TheTables().lower[c];
}

bool Cp1251IsAlpha(unsigned char c) {
  return TheTables().alpha[c];
}
