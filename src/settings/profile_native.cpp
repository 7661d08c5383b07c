// INI files read and written the way the system's private-profile functions do it:
// "[section]" lines, "key=value" lines, names ignoring case, CR LF line ends.
#include <vector>

#include "settings/profile.h"
#include "support/file.h"

namespace {

std::vector<Text> FileLines(const Text& path) {
  std::vector<Text> lines;
  Text content = ReadFileText(path);
  size_t from = 0;
  while (from < content.size()) {
    size_t end = content.find('\n', from);
    if (end == Text::npos) end = content.size();
    Text line = content.substr(from, end - from);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    from = end + 1;
  }
  return lines;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

Text WithoutBlanks(const Text& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The section name of a "[name]" line, or false for any other line.
bool SectionOf(const Text& line, Text& name) {
  Text trimmed = WithoutBlanks(line);
  if (trimmed.size() < 2 || trimmed[0] != '[') return false;
  size_t close = trimmed.find(']');
  name = WithoutBlanks(trimmed.substr(1, close == Text::npos ? Text::npos : close - 1));
  return true;
}

bool KeyOf(const Text& line, Text& key, Text& value) {
  size_t equals = line.find('=');
  if (equals == Text::npos) return false;
  key = WithoutBlanks(line.substr(0, equals));
  value = WithoutBlanks(line.substr(equals + 1));
  return true;
}

Text Unquoted(const Text& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

struct KeyPlace {
  bool sectionFound = false;
  size_t sectionEnd = 0;  // the line after the section's last key
  bool keyFound = false;
  size_t keyLine = 0;
  Text value;
};

KeyPlace FindKey(const std::vector<Text>& lines, const Text& section, const Text& key) {
  KeyPlace place;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    Text name, lineKey, value;
    if (SectionOf(lines[i], name)) {
      inSection = !place.sectionFound && SameText(name, section);
      if (inSection) place.sectionFound = true, place.sectionEnd = i + 1;
      continue;
    }
    if (!inSection || !KeyOf(lines[i], lineKey, value)) continue;
    place.sectionEnd = i + 1;
    if (!place.keyFound && SameText(lineKey, key)) {
      place.keyFound = true;
      place.keyLine = i;
      place.value = Unquoted(value);
    }
  }
  return place;
}

Text Joined(const std::vector<Text>& lines) {
  Text content;
  for (const Text& line : lines) content += line + "\r\n";
  return content;
}

}  // namespace

Text ProfileString(const Text& section, const Text& key, const Text& fallback, size_t bufferSize,
                   const Text& path) {
  if (bufferSize == 0) return Text();
  KeyPlace place = FindKey(FileLines(path), section, key);
  Text found = place.keyFound ? place.value : fallback;
  return TextBeforeNul(found).substr(0, bufferSize - 1);
}

bool ProfileHasKey(const Text& section, const Text& key, const Text& path) {
  return FindKey(FileLines(path), section, key).keyFound;
}

bool WriteProfileText(const Text& section, const Text& key, const Text& value, const Text& path) {
  std::vector<Text> lines = FileLines(path);
  KeyPlace place = FindKey(lines, section, key);
  Text keyLine = key + "=" + value;
  if (place.keyFound) {
    // The key keeps the spelling it has in the file.
    Text& line = lines[place.keyLine];
    line = WithoutBlanks(line.substr(0, line.find('='))) + "=" + value;
  } else if (place.sectionFound) {
    lines.insert(lines.begin() + static_cast<long>(place.sectionEnd), keyLine);
  } else {
    lines.push_back("[" + section + "]");
    lines.push_back(keyLine);
  }
  Text content = Joined(lines);
  return WriteFileBytes(path, content.data(), static_cast<uint32_t>(content.size()), false);
}
