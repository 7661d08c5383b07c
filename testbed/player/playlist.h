// The playlist the player answers its queries from: entries read from a text file of
// code page 1251 bytes (the format is described in README.md).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

struct PlaylistEntry {
  std::string path;
  std::string listTitle;
  std::string artist, title, album, track, year, genre, comment;
  std::int32_t length = -1;
  std::int32_t bitrate = 0;
  std::int32_t sampleRate = 0;
  std::int32_t channels = 0;
};

struct Playlist {
  std::vector<PlaylistEntry> entries;

  // The entry whose path equals path, ignoring case as the file system does; null if none.
  const PlaylistEntry* FindByPath(const std::string& path) const;
  const PlaylistEntry* At(std::int32_t position) const;
};

// The value of one of the seven metadata fields by its name in any letter case, as input
// plug-ins compare them; null for another name.
const std::string* MetadataField(const PlaylistEntry& entry, const std::string& fieldName);

// Parses the playlist text; on a fault returns false with a message naming the line.
bool ParsePlaylist(const std::string& text, Playlist& playlist, std::string& error);

}  // namespace standin
