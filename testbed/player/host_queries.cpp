// The answers to the plug-ins' queries, each logged with what was asked and what was given.
// Play details (sample rate, bitrate, channels) describe what plays, so they are 0 when stopped.
#include <algorithm>
#include <cstring>
#include <utility>

#include "player_context.h"
#include "player_ipc.h"

namespace standin {
namespace {

LRESULT Pointer(const std::string& text) {
  return reinterpret_cast<LRESULT>(text.c_str());
}

LogLine QueryLine(LPARAM code) {
  return std::move(LogLine("query").Number("code", code));
}

LRESULT ListPosition(PlayerContext& player, WPARAM wParam) {
  const std::int32_t position = player.transport.position;
  player.log.Write(QueryLine(kIpcGetListPos).Number("wparam", wParam).Number("answer", position));
  return position;
}

LRESULT EntryText(PlayerContext& player, WPARAM wParam, LPARAM code) {
  const PlaylistEntry* entry = player.playlist.At(static_cast<std::int32_t>(wParam));
  const std::string* text = nullptr;
  if (entry) text = code == kIpcGetPlaylistFile ? &entry->path : &entry->listTitle;
  player.log.Write(QueryLine(code)
                       .Number("wparam", wParam)
                       .TextOrNone("answer", text ? text->c_str() : nullptr));
  return text ? Pointer(*text) : 0;
}

void CopyBounded(const std::string& text, char* target, std::int32_t capacity) {
  if (!target || capacity <= 0) return;
  const std::size_t count =
      std::min<std::size_t>(text.size(), static_cast<std::size_t>(capacity - 1));
  std::memcpy(target, text.data(), count);
  target[count] = '\0';
}

LRESULT BasicInfo(PlayerContext& player, WPARAM wParam) {
  auto* info = reinterpret_cast<BasicFileInfo*>(wParam);
  if (!info) {
    player.log.Write(QueryLine(kIpcGetBasicFileInfo).Word("file", "none").Number("answer", 0));
    return 0;
  }
  const PlaylistEntry* entry =
      info->filename ? player.playlist.FindByPath(info->filename) : nullptr;
  info->length = entry ? entry->length : -1;
  if (entry) CopyBounded(entry->listTitle, info->title, info->titleLength);
  player.log.Write(QueryLine(kIpcGetBasicFileInfo)
                       .TextOrNone("file", info->filename)
                       .Number("quickcheck", info->quickCheck)
                       .Number("answer", entry ? 1 : 0)
                       .Number("length", info->length));
  return entry ? 1 : 0;
}

const std::string* ExtendedValue(PlayerContext& player, const ExtendedFileInfo& info) {
  if (!info.filename || !info.metadata) return nullptr;
  const PlaylistEntry* entry = player.playlist.FindByPath(info.filename);
  if (!entry) return nullptr;
  const std::string* value = MetadataField(*entry, info.metadata);
  return value && !value->empty() ? value : nullptr;
}

LRESULT ExtendedInfo(PlayerContext& player, WPARAM wParam) {
  auto* info = reinterpret_cast<ExtendedFileInfo*>(wParam);
  if (!info) {
    player.log.Write(QueryLine(kIpcGetExtendedFileInfo).Word("file", "none").Number("answer", 0));
    return 0;
  }
  const std::string* value = ExtendedValue(player, *info);
  const bool answered = value && info->ret && info->retLength > 0;
  if (answered) CopyBounded(*value, info->ret, info->retLength);
  LogLine line = QueryLine(kIpcGetExtendedFileInfo);
  line.TextOrNone("file", info->filename)
      .TextOrNone("field", info->metadata)
      .Number("retlen", info->retLength)
      .Number("answer", answered ? 1 : 0);
  if (answered) line.Text("value", info->ret);
  player.log.Write(line);
  return answered ? 1 : 0;
}

LRESULT IsPlaying(PlayerContext& player, WPARAM wParam) {
  const std::int32_t answer = PlayStateNumber(player.transport.state);
  player.log.Write(QueryLine(kIpcIsPlaying).Number("wparam", wParam).Number("answer", answer));
  return answer;
}

std::int32_t PlayDetail(const PlaylistEntry& entry, WPARAM which) {
  switch (which) {
    case 0:
      return entry.sampleRate;
    case 1:
      return entry.bitrate;
    case 2:
      return entry.channels;
    default:
      return 0;
  }
}

LRESULT Info(PlayerContext& player, WPARAM wParam) {
  const PlaylistEntry* entry = player.playlist.At(player.transport.position);
  const bool playing = player.transport.state != PlayState::kStopped;
  const std::int32_t answer = entry && playing ? PlayDetail(*entry, wParam) : 0;
  player.log.Write(QueryLine(kIpcGetInfo).Number("wparam", wParam).Number("answer", answer));
  return answer;
}

LRESULT MainMenu(PlayerContext& player, WPARAM wParam) {
  const HMENU menu = wParam == 0 ? player.mainMenu.Get() : nullptr;
  player.log.Write(
      QueryLine(kIpcGetHmenu).Number("wparam", wParam).Word("answer", menu ? "menu" : "0"));
  return reinterpret_cast<LRESULT>(menu);
}

LRESULT SettingsPath(PlayerContext& player, WPARAM wParam, LPARAM code) {
  const std::string& path = code == kIpcGetIniFile ? player.iniFile : player.iniDirectory;
  player.log.Write(QueryLine(code).Number("wparam", wParam).Text("answer", path));
  return Pointer(path);
}

LRESULT Unknown(PlayerContext& player, WPARAM wParam, LPARAM code) {
  player.log.Write(
      QueryLine(code).Number("wparam", wParam).Number("answer", 0).Word("note", "unknown"));
  return 0;
}

}  // namespace

LRESULT AnswerQuery(PlayerContext& player, WPARAM wParam, LPARAM code) {
  switch (code) {
    case kIpcGetListPos:
      return ListPosition(player, wParam);
    case kIpcGetPlaylistFile:
    case kIpcGetPlaylistTitle:
      return EntryText(player, wParam, code);
    case kIpcGetBasicFileInfo:
      return BasicInfo(player, wParam);
    case kIpcGetExtendedFileInfo:
      return ExtendedInfo(player, wParam);
    case kIpcIsPlaying:
      return IsPlaying(player, wParam);
    case kIpcGetInfo:
      return Info(player, wParam);
    case kIpcGetHmenu:
      return MainMenu(player, wParam);
    case kIpcGetIniFile:
    case kIpcGetIniDirectory:
      return SettingsPath(player, wParam, code);
    case kIpcPlayingFile:
      return 0;
    default:
      return Unknown(player, wParam, code);
  }
}

}  // namespace standin
