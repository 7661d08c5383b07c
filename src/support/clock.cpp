// Decimal and clock texts.
#include "support/clock.h"

char TimeSeparator = ':';

Text Int64ToText(int64_t value) {
  // Work on the magnitude as unsigned, so that the smallest value converts exactly.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  Text digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude > 0);
  return value < 0 ? "-" + digits : digits;
}

Text PaddedIntText(int32_t value, int16_t width, char fill) {
  bool negative = value < 0;
  Text text = Int64ToText(negative ? -static_cast<int64_t>(value) : value);
  // The sign counts toward the width and stands before the fill characters.
  int32_t wanted = negative ? width - 1 : width;
  if (width >= 0 && static_cast<int32_t>(text.size()) < wanted) {
    text.insert(0, static_cast<size_t>(wanted) - text.size(), fill);
  }
  return negative ? "-" + text : text;
}

SystemTime ReadLocalTime() {
  return SysLocalTime();
}

SystemTime MakeClockTime(uint16_t hours, uint16_t minutes, uint16_t seconds) {
  uint32_t h = hours, m = minutes, s = seconds;
  if (s >= 60) {
    m += s / 60;
    s %= 60;
  }
  if (m >= 60) {
    h += m / 60;
    m %= 60;
  }
  SystemTime t;
  t.wHour = static_cast<uint16_t>(h);
  t.wMinute = static_cast<uint16_t>(m);
  t.wSecond = static_cast<uint16_t>(s);
  return t;
}

Text ClockText(const SystemTime& time) {
  Text text = PaddedIntText(time.wMinute, 2, '0') + TimeSeparator + PaddedIntText(time.wSecond, 2, '0');
  if (time.wHour > 0) text = PaddedIntText(time.wHour, 2, '0') + TimeSeparator + text;
  return text;
}

char LocaleChar(uint32_t setting, char fallback) {
  return SysLocaleChar(setting, fallback);
}

void ReadTimeSeparator() {
  TimeSeparator = LocaleChar(kLocaleTime, ':');
}
