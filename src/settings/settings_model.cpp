// The three module-wide records and the accessors over them.
#include "settings/settings_model.h"

#include <cstring>

TPS CurrentSettings;
TPS DefaultSettings;
TPS DialogSettings;

bool ValueChecked(int32_t id, const Text& value) {
  ControlKind kind = ControlKinds(id);
  return (kind == KindCheck || kind == KindRadio) && TextToIntDef(value, 0) != 0;
}

Text ValueText(int32_t id, const Text& value) {
  ControlKind kind = ControlKinds(id);
  return kind == KindLabel || kind == KindCombo || kind == KindGroup ? value : Text();
}

bool SettingChecked(int32_t id) {
  return ValueChecked(id, CurrentSettings.Values[id]);
}

Text SettingText(int32_t id) {
  return ValueText(id, CurrentSettings.Values[id]);
}

Text FlagText(bool flag) {
  return flag ? "1" : "0";
}

Text EscapeLineBreaks(const Text& text) {
  return ReplaceText(text, "\r\n", "\\n", kReplaceAll);
}

std::vector<Text> ReadItemList(const Text& list) {
  static const Text kDelimiter = "||";
  std::vector<Text> pieces;
  size_t from = 0;
  for (size_t at; (at = list.find(kDelimiter, from)) != Text::npos; from = at + kDelimiter.size()) {
    pieces.push_back(list.substr(from, at - from));
  }
  if (pieces.empty()) return {};
  // The text before the first delimiter is no item; a last piece without its closing
  // delimiter is one.
  pieces.erase(pieces.begin());
  Text last = list.substr(from);
  if (!last.empty()) pieces.push_back(last);
  return pieces;
}

Text ItemList(const std::vector<Text>& items) {
  Text list = "||";
  for (const Text& item : items) list += item + "||";
  return list;
}

void CopySettings(const TPS& source, TPS& destination) {
  for (int32_t id = kFirstSettingId; id <= kLastSettingId; ++id) {
    destination.Captions[id] = TextBeforeNul(source.Captions[id]);
    destination.Values[id] = TextBeforeNul(source.Values[id]);
  }
  for (int i = 0; i < 3; ++i) destination.PlayStateTexts[i] = TextBeforeNul(source.PlayStateTexts[i]);
  destination.UpdateTimerId = source.UpdateTimerId;
  std::memcpy(destination.TrayIconData, source.TrayIconData, kTrayIconDataSize);
  destination.CurrentTexts = source.CurrentTexts;
  destination.Playing = source.Playing;
  destination.RestoreDepth = source.RestoreDepth;
  for (int i = 0; i < kTagCount; ++i) destination.TagValues[i] = source.TagValues[i];
  for (int i = 0; i < kClientSlotCount; ++i) destination.ClientSlots[i] = source.ClientSlots[i];
  destination.Script = source.Script;
}

void BuildDefaultSettings(const Text& defaultScript) {
  CopySettings(TPS(), DefaultSettings);
  for (int32_t id = kFirstSettingId; id <= kLastSettingId; ++id) {
    DefaultSettings.Values[id] = DefaultValue(id);
    DefaultSettings.Captions[id] = DefaultCaption(id);
  }
  DefaultSettings.Script = defaultScript;
}
