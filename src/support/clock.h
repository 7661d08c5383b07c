// Numbers and clock values as the texts the track information shows.
#pragma once

#include <cstdint>

#include "support/system.h"
#include "support/text.h"

// Read once when the module starts; later changes of the user's time format do not apply.
extern char TimeSeparator;

Text Int64ToText(int64_t value);
Text PaddedIntText(int32_t value, int16_t width, char fill);
SystemTime ReadLocalTime();
SystemTime MakeClockTime(uint16_t hours, uint16_t minutes, uint16_t seconds);
Text ClockText(const SystemTime& time);
char LocaleChar(uint32_t setting, char fallback);
// Module start: takes the locale's time separator.
void ReadTimeSeparator();
