// The settings-and-state record TPS, the table of the 31 settings (key names, control
// kinds, default values and captions), the three module-wide records and the accessors
// every part reads settings through.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "messenger/client.h"
#include "plugin/track_info.h"
#include "support/text.h"

// Settings are addressed by the id of the dialog control that edits them.
constexpr int32_t kFirstSettingId = 1000;
constexpr int32_t kLastSettingId = 1030;
constexpr int32_t kSettingCount = kLastSettingId - kFirstSettingId + 1;

enum SettingId : int32_t {
  Enable = 1000,
  IfStatus = 1001,
  IfPicture = 1002,
  IfAny = 1003,
  SetPicture = 1004,
  SetStatus = 1005,
  SetLongStatus = 1006,
  LongStatus = 1007,
  SaveRestore = 1008,
  Picture = 1009,
  Status = 1010,
  SetTray = 1011,
  About = 1012,
  CustomQIP = 1013,
  AllQIP = 1014,
  AllQIPNo = 1015,
  Tray = 1016,
  AllowOpen = 1017,
  DelayV = 1018,
  DelayT = 1019,
  grQIP = 1020,
  grIf = 1021,
  grSet = 1022,
  grMain = 1023,
  Lang = 1024,
  VirtPlayState = 1025,
  Compatible = 1026,
  AddInMenu = 1027,
  FormatScript = 1028,
  lblChangeIf = 1029,
  lblChangeWhere = 1030,
};

// What a setting's control is; it decides what value and caption hold.
enum ControlKind : int32_t {
  KindLabel = 0,
  KindCheck = 1,
  KindRadio = 2,
  KindCombo = 3,
  KindGroup = 4,
  KindScript = 5,
};

// 31 texts indexed by setting id.
class TDlgControlsAr {
 public:
  Text& operator[](int32_t id) { return texts_[static_cast<size_t>(id - kFirstSettingId)]; }
  const Text& operator[](int32_t id) const {
    return texts_[static_cast<size_t>(id - kFirstSettingId)];
  }

 private:
  std::array<Text, kSettingCount> texts_;
};

// The shell's notification-icon record in its full form with the balloon members.
constexpr size_t kTrayIconDataSize = 504;

struct TPS {
  TDlgControlsAr Captions;
  TDlgControlsAr Values;
  Text PlayStateTexts[3];
  uint32_t UpdateTimerId = 0;
  alignas(8) unsigned char TrayIconData[kTrayIconDataSize] = {};
  TStatus CurrentTexts;
  bool Playing = false;
  int32_t RestoreDepth = 0;
  Text TagValues[kTagCount];
  TClient ClientSlots[kClientSlotCount];
  Text Script;
};

extern TPS CurrentSettings;
extern TPS DefaultSettings;
extern TPS DialogSettings;

// The label of About: the version and a credit, put back on every load.
extern const char kVersionLabel[];

const char* ControlKeyNames(int32_t id);
ControlKind ControlKinds(int32_t id);
const char* DefaultValue(int32_t id);
const char* DefaultCaption(int32_t id);

bool SettingChecked(int32_t id);
Text SettingText(int32_t id);
bool ValueChecked(int32_t id, const Text& value);
Text ValueText(int32_t id, const Text& value);
Text FlagText(bool flag);
Text EscapeLineBreaks(const Text& text);

// Item lists: "||" before and after every item.
std::vector<Text> ReadItemList(const Text& list);
Text ItemList(const std::vector<Text>& items);

void CopySettings(const TPS& source, TPS& destination);
// Module load: the defaults of the table and the given default script.
void BuildDefaultSettings(const Text& defaultScript);
