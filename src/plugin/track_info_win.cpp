// Asking the host about the current playlist entry: 15 synchronous queries, in a fixed
// order, per cycle.
#include "plugin/track_info_win.h"

#include "plugin/gen_tunepost.h"
#include "plugin/track_info.h"
#include "settings/settings_model.h"
#include "support/clock.h"

namespace {

// The host writes a metadata value into a buffer of this size, NUL included.
constexpr size_t kMetadataBuffer = 1025;

Text PointerText(LRESULT pointer) {
  return TextFromBuffer(reinterpret_cast<const char*>(pointer));
}

int32_t TrackLength(const Text& path) {
  // A host that does not answer leaves the length unknown.
  basicFileInfoStruct info{path.c_str(), 0, -1, nullptr, 0};
  HostQuery(IPC_GET_BASIC_FILE_INFO, reinterpret_cast<WPARAM>(&info));
  return info.length;
}

Text MetadataField(const Text& path, int32_t row, std::vector<char>& buffer) {
  const Text field = UpperText(TrackTable[row].Name);
  extendedFileInfoStruct info{path.c_str(), field.c_str(), buffer.data(), kMetadataBuffer};
  if (HostQuery(IPC_GET_EXTENDED_FILE_INFO, reinterpret_cast<WPARAM>(&info)) != 1) return Text();
  return TextFromBuffer(buffer.data());
}

Text PlayStateText(bool& playing) {
  LRESULT state = HostQuery(IPC_ISPLAYING, 0);
  if (state == kHostPlaying) return CurrentSettings.PlayStateTexts[0];
  if (state == kHostPaused) return CurrentSettings.PlayStateTexts[1];
  playing = false;
  return CurrentSettings.PlayStateTexts[2];
}

Text HostInfo(WPARAM which) {
  return Int64ToText(static_cast<int32_t>(HostQuery(IPC_GETINFO, which)));
}

}  // namespace

bool CollectTrackInfo() {
  bool playing = true;
  Text* values = CurrentSettings.TagValues;
  int32_t position = static_cast<int32_t>(HostQuery(IPC_GETLISTPOS, 0));
  Text path = PointerText(HostQuery(IPC_GETPLAYLISTFILE, static_cast<WPARAM>(position)));
  // One buffer serves the seven metadata fields; it is not cleared between them.
  std::vector<char> buffer = AllocZeroed(kMetadataBuffer);
  int32_t length = TrackLength(path);
  for (int32_t row = 0; row <= 6; ++row) values[row] = MetadataField(path, row, buffer);
  values[7] = PointerText(HostQuery(IPC_GETPLAYLISTTITLE, static_cast<WPARAM>(position)));
  values[8] = TrackPathPart(kPartFileTitle, path);
  values[9] = PlayStateText(playing);
  values[10] = Int64ToText(int64_t(position) + 1);
  values[11] = LengthText(length);
  values[12] = HostInfo(1);
  values[13] = TimeOfDayText(ReadLocalTime());
  values[kRowStatus2] = "%Status2";
  values[kRowStatus] = "%Status";
  values[16] = HostInfo(0);
  values[17] = HostInfo(2);
  values[18] = TrackPathPart(kPartFolder, path);
  values[19] = TrackPathPart(kPartFolderAbove, path);
  values[20] = path;
  return playing;
}
