// Track information: the fixed table of the 21 tag rows the script sees as TAG variables,
// the names derived from a track's path, and (Windows) the host queries that fill them.
#pragma once

#include <cstdint>

#include "support/system.h"
#include "support/text.h"

// Where a row's value comes from.
enum TrackSourceKind : int32_t {
  SourceMetadata = 0,
  SourceHost = 1,
  SourceClock = 2,
  SourcePlaceholder = 3,
};

struct TTrackInfo {
  const char* Name;
  TrackSourceKind Kind;
};

constexpr int32_t kTagCount = 21;
extern const TTrackInfo TrackTable[kTagCount];

// The row of a name (letter case ignored), or -1.
int32_t TagIndex(const Text& name);

// Rows the cycle and the dialog refer to by number.
constexpr int32_t kRowStatus2 = 14;
constexpr int32_t kRowStatus = 15;

// Modes of TrackPathPart.
constexpr int32_t kPartFileTitle = 0;
constexpr int32_t kPartFolder = 1;
constexpr int32_t kPartFolderAbove = 2;

Text TrackPathPart(int32_t mode, const Text& path);
// The text of a length in seconds: a clock text, or "N/A" when the host cannot tell.
Text LengthText(int32_t seconds);
// The time of day as hours and minutes.
Text TimeOfDayText(const SystemTime& now);
// The value as a text literal of the script language: quoted, inner quotes doubled.
Text QuoteLiteral(const Text& value);
// The statement that hands the script one tag value: TAG, the row name, "=", and the value
// as a text literal.
Text TagLine(int32_t row, const Text& value);
