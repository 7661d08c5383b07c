// Reading the playlist file: "[entry]" opens an entry, "key=value" lines fill it.
#include "playlist.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>

namespace standin {
namespace {

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

bool ParseNumber(const std::string& text, std::int32_t& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0') return false;
  value = static_cast<std::int32_t>(parsed);
  return true;
}

std::string* TextField(PlaylistEntry& entry, const std::string& key) {
  if (key == "path") return &entry.path;
  if (key == "listtitle") return &entry.listTitle;
  if (key == "artist") return &entry.artist;
  if (key == "title") return &entry.title;
  if (key == "album") return &entry.album;
  if (key == "track") return &entry.track;
  if (key == "year") return &entry.year;
  if (key == "genre") return &entry.genre;
  if (key == "comment") return &entry.comment;
  return nullptr;
}

std::int32_t* NumberField(PlaylistEntry& entry, const std::string& key) {
  if (key == "length") return &entry.length;
  if (key == "bitrate") return &entry.bitrate;
  if (key == "samplerate") return &entry.sampleRate;
  if (key == "channels") return &entry.channels;
  return nullptr;
}

bool SetField(PlaylistEntry& entry, const std::string& key, const std::string& value) {
  if (std::string* text = TextField(entry, key)) {
    *text = value;
    return true;
  }
  if (std::int32_t* number = NumberField(entry, key)) return ParseNumber(value, *number);
  return false;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (start < text.size()) {
    std::string::size_type end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// A title for an entry the file gives none: the playlist shows the path then.
void FinishEntry(PlaylistEntry& entry) {
  if (entry.listTitle.empty()) entry.listTitle = entry.path;
}

}  // namespace

const PlaylistEntry* Playlist::FindByPath(const std::string& path) const {
  for (const PlaylistEntry& entry : entries) {
    if (SameTextIgnoringCase(entry.path, path)) return &entry;
  }
  return nullptr;
}

const PlaylistEntry* Playlist::At(std::int32_t position) const {
  if (position < 0 || static_cast<std::size_t>(position) >= entries.size()) return nullptr;
  return &entries[static_cast<std::size_t>(position)];
}

const std::string* MetadataField(const PlaylistEntry& entry, const std::string& fieldName) {
  std::string name = fieldName;
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (name == "ARTIST") return &entry.artist;
  if (name == "TITLE") return &entry.title;
  if (name == "ALBUM") return &entry.album;
  if (name == "TRACK") return &entry.track;
  if (name == "YEAR") return &entry.year;
  if (name == "GENRE") return &entry.genre;
  if (name == "COMMENT") return &entry.comment;
  return nullptr;
}

bool ParsePlaylist(const std::string& text, Playlist& playlist, std::string& error) {
  playlist.entries.clear();
  const std::vector<std::string> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::string where = "line " + std::to_string(i + 1) + ": ";
    if (line.empty() || line[0] == '#') continue;
    if (line == "[entry]") {
      if (!playlist.entries.empty()) FinishEntry(playlist.entries.back());
      playlist.entries.emplace_back();
      continue;
    }
    const std::string::size_type equals = line.find('=');
    if (equals == std::string::npos) {
      error = where + "expected [entry] or key=value";
      return false;
    }
    if (playlist.entries.empty()) {
      error = where + "key=value before the first [entry]";
      return false;
    }
    if (!SetField(playlist.entries.back(), line.substr(0, equals), line.substr(equals + 1))) {
      error = where + "unknown key or bad number";
      return false;
    }
  }
  if (!playlist.entries.empty()) FinishEntry(playlist.entries.back());
  return true;
}

}  // namespace standin
