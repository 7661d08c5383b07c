// Text and position rules of the drivers.
#include "messenger/driver_rules.h"

#include "settings/settings_model.h"

const char kEllipsis[] = "\x85";

Text SubstituteSavedStatus(const TClient& slot, const Text& text) {
  const TStatus& saved = slot.Saved[slot.SavedIndex];
  const int flags = kReplaceAll | kReplaceIgnoreCase;
  return ReplaceText(ReplaceText(text, "%Status2", saved.Status2, flags), "%Status", saved.Status, flags);
}

Text ShortStatusText(const Text& text) {
  if (text.size() <= kShortStatusLimit) return text;
  return text.substr(0, kShortStatusLimit - 1) + kEllipsis;
}

TPoint StatusCellPosition(int32_t cell) {
  if (cell < 0) cell = 0;
  return MakePoint(20 + 30 * (cell % 7), 50 + 25 * (cell / 7));
}

Text IfStatusReference() {
  const Text& caption = CurrentSettings.Captions[IfStatus];
  size_t open = caption.find('[');
  size_t close = open == Text::npos ? Text::npos : caption.find(']', open + 1);
  if (close == Text::npos) return Text();
  return caption.substr(open + 1, close - open - 1);
}

bool ShowsReferenceStatus(const Text& shownStatus) {
  Text reference = IfStatusReference();
  return !reference.empty() && SameText(shownStatus, reference);
}

bool StatusesDiffer(const TStatus& a, const TStatus& b) {
  return a.Picture != b.Picture || a.Status != b.Status || a.Status2 != b.Status2;
}
