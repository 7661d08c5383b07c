// Giving QIP's custom status file the user's saved texts back, once QIP's status form has
// gone and the window route with it.
#include "messenger/custom_status_file.h"

#include "support/file.h"

const char kCustomStatusFileName[] = "_st_cust.txt";
const char kCustomStatusSeparator[] = "#custom_status_descr#";

namespace {

const char kLineEnd[] = "\r\n";

Text EntryLine(const TStatus& status) {
  return kLineEnd + status.Status + kCustomStatusSeparator + status.Status2 + kLineEnd;
}

}  // namespace

Text RestoredCustomStatusText(const TClient& slot, const Text& text) {
  Text result = text;
  // Line 0, the entry of "no picture", always ends with two empty texts.
  size_t firstEnd = result.find(kLineEnd);
  if (firstEnd != Text::npos && firstEnd > 0) {
    result = ReplaceText(result, result.substr(0, firstEnd), kCustomStatusSeparator, 0);
  }
  // The leading line end makes the search match whole lines only, never line 0.
  for (int32_t n = slot.SavedIndex; n >= 0; --n) {
    result = ReplaceText(result, EntryLine(slot.LastSet), EntryLine(slot.Saved[n]), 0);
  }
  return result;
}

bool RestoreCustomStatusFile(TClient& slot) {
  if (slot.LastSet.Picture < 1) return false;
  const Text path = slot.ProfileFolder + kCustomStatusFileName;
  Text text;
  // A file held open by another program, or one that is not text, is left as it is: the
  // edit must never lose the file's content.
  if (!ReadWholeFile(path, text) || text.find('\0') != Text::npos) return false;
  return ReplaceFileBytes(path, RestoredCustomStatusText(slot, text));
}
