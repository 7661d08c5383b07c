// The tag table and the texts derived from a track's path, length and the clock.
#include "plugin/track_info.h"

#include <cstring>

#include "support/clock.h"

const TTrackInfo TrackTable[kTagCount] = {
    {"Artist", SourceMetadata},  {"Title", SourceMetadata},  {"Album", SourceMetadata},
    {"Track", SourceMetadata},   {"Year", SourceMetadata},   {"Genre", SourceMetadata},
    {"Comment", SourceMetadata}, {"Copy", SourceHost},       {"File", SourceHost},
    {"PlayState", SourceHost},   {"ListPos", SourceHost},    {"Lenght", SourceHost},
    {"Bitrate", SourceHost},     {"SysTime", SourceClock},   {"Status2", SourcePlaceholder},
    {"Status", SourcePlaceholder}, {"Samplerate", SourceHost}, {"Channels", SourceHost},
    {"Dir1", SourceHost},        {"Dir2", SourceHost},       {"Path", SourceHost},
};

namespace {

// The part of a path before its last backslash, and the part after it.
TRLSResult SplitAtLastBackslash(const Text& path) {
  TRLSResult split;
  SplitText(path, "\\", 1, split, true);
  return split;
}

}  // namespace

Text TrackPathPart(int32_t mode, const Text& path) {
  // Stream addresses have no folders: every part is the address itself.
  if (LowerText(path).find("://") != Text::npos) return path;
  if (mode != kPartFolder && mode != kPartFolderAbove) return FileTitle(path);
  TRLSResult folder = SplitAtLastBackslash(SplitAtLastBackslash(path).LeftPart);
  if (mode == kPartFolder) return folder.RightPart;
  return SplitAtLastBackslash(folder.LeftPart).RightPart;
}

Text LengthText(int32_t seconds) {
  if (seconds < 0) return "N/A";
  // The host's length enters as a 16-bit number of seconds.
  return ClockText(MakeClockTime(0, 0, static_cast<uint16_t>(seconds)));
}

Text TimeOfDayText(const SystemTime& now) {
  // Hours in the minutes' place and minutes in the seconds' place: hours and minutes.
  return ClockText(MakeClockTime(0, now.wHour, now.wMinute));
}

int32_t TagIndex(const Text& name) {
  for (int32_t row = 0; row < kTagCount; ++row) {
    if (SameText(name, TrackTable[row].Name)) return row;
  }
  return -1;
}

namespace {

// Every tick builds 21 of these: one allocation each, quotes doubled in place.
void AppendLiteral(Text& out, const Text& value) {
  out += '"';
  size_t from = 0;
  for (size_t quote; (quote = value.find('"', from)) != Text::npos; from = quote + 1) {
    out.append(value, from, quote + 1 - from);
    out += '"';
  }
  out.append(value, from, Text::npos);
  out += '"';
}

}  // namespace

Text QuoteLiteral(const Text& value) {
  Text literal;
  literal.reserve(value.size() + 2);
  AppendLiteral(literal, value);
  return literal;
}

Text TagLine(int32_t row, const Text& value) {
  const char* name = TrackTable[row].Name;
  Text line;
  line.reserve(4 + std::strlen(name) + value.size() + 2);
  line += "TAG";
  line += name;
  line += '=';
  AppendLiteral(line, value);
  return line;
}
