// Loading and saving the settings and the script.
#include "settings/settings_file.h"

#include "plugin/script_cycle.h"
#include "plugin/track_info.h"
#include "script/math_parser.h"
#include "settings/profile.h"
#include "support/file.h"

Text ModulePath;
Text PlayerSettingsFolder;
void (*SettingsSaveFailed)(const Text& message) = nullptr;
std::unique_ptr<TMathParser> ScriptEngine;

const char kMainSection[] = "ICQ client status";
const char kLanguageSectionPrefix[] = "ICQ client status_";

namespace {

const char kValueSuffix[] = ".Value";
const char kCaptionSuffix[] = ".Caption";

std::vector<Text> PlayStateLabels(const Text& caption) {
  std::vector<Text> labels = ReadItemList(caption);
  labels.resize(3);
  return labels;
}

// Earlier versions kept three templates instead of a script; they become script lines.
Text ConvertOldTemplates(TPS& target) {
  const struct {
    SettingId id;
    const char* variable;
  } templates[] = {{Status, "Status"}, {LongStatus, "Status2"}, {Tray, "Tray"}};
  Text conversion;
  for (const auto& t : templates) {
    if (target.Values[t.id].empty()) continue;
    conversion += Text("\r\n") + t.variable + "=" + ConvertTemplate(target.Values[t.id]);
    target.Values[t.id].clear();
  }
  return conversion;
}


// The two places the files may live, each as the path the extensions are added to.
Text ModuleSeparator() {
  return ModulePath.find('\\') == Text::npos && ModulePath.find('/') != Text::npos ? "/" : "\\";
}

size_t NameStart(const Text& path) {
  size_t separator = path.find_last_of("\\/");
  return separator == Text::npos ? 0 : separator + 1;
}

Text BesideModule() {
  return ModulePath;
}

Text PlayerPluginsFolder() {
  if (PlayerSettingsFolder.empty()) return Text();
  Text folder = PlayerSettingsFolder;
  if (folder.back() != '\\' && folder.back() != '/') folder += ModuleSeparator();
  return folder + "Plugins" + ModuleSeparator();
}

Text InPlayerFolder() {
  Text folder = PlayerPluginsFolder();
  return folder.empty() ? Text() : folder + ModulePath.substr(NameStart(ModulePath));
}

bool HasFiles(const Text& base) {
  return !base.empty() && (FileExists(base + ".ini") || FileExists(base + ".script"));
}

// The files stay beside the module wherever its folder can be written; a copy in the
// player's settings folder, once made, is the one in use.
Text SettingsBase() {
  Text player = InPlayerFolder();
  if (HasFiles(player)) return player;
  if (player.empty() || FolderWritable(ModulePath.substr(0, NameStart(ModulePath)))) return BesideModule();
  return player;
}

bool SaveTo(const Text& base) {
  if (base == InPlayerFolder()) MakeFolder(PlayerPluginsFolder().substr(0, PlayerPluginsFolder().size() - 1));
  return WriteSettingsFile(CurrentSettings, base + ".ini", SettingText(Lang));
}

const char kSaveFailed[] =
    "Настройки Tunepost Open не сохранены: запись не удалась ни рядом с модулем, ни в папке "
    "настроек плеера.\r\n";

}  // namespace

Text SettingsFilePath() {
  return SettingsBase() + ".ini";
}

Text ScriptFilePath() {
  return SettingsBase() + ".script";
}

Text ReadSettingKey(const Text& iniPath, const Text& section, const Text& key, const Text& fallback) {
  int32_t size = MinInt(FileSize(iniPath), kSettingKeyLimit);
  if (size < 1) return fallback;
  // An absent key gives its default whole, however small the file and so the buffer.
  if (!ProfileHasKey(section, key, iniPath)) return fallback;
  return ProfileString(section, key, fallback, static_cast<size_t>(size), iniPath);
}

bool WriteSettingKey(const Text& iniPath, const Text& section, const Text& key, const Text& text) {
  return WriteProfileText(section, key, text, iniPath);
}

Text ReadLanguage(const Text& iniPath) {
  Text language = ProfileString(kMainSection, ControlKeyNames(Lang), DefaultSettings.Values[Lang],
                                kLanguageBuffer, iniPath);
  return language.empty() ? "Default" : language;
}

void ReadSettingsFile(TPS& target, const Text& iniPath, const Text& language) {
  const Text section = kLanguageSectionPrefix + language;
  for (int32_t id = kFirstSettingId; id <= kLastSettingId; ++id) {
    target.Captions[id] = ReadSettingKey(iniPath, section, ControlKeyNames(id) + Text(kCaptionSuffix),
                                         DefaultSettings.Captions[id]);
  }
  for (int32_t id = kFirstSettingId; id <= kLastSettingId; ++id) {
    target.Values[id] = ReadSettingKey(iniPath, section, ControlKeyNames(id) + Text(kValueSuffix),
                                       DefaultSettings.Values[id]);
  }
  target.Values[Lang] = language;
  std::vector<Text> labels = PlayStateLabels(target.Captions[VirtPlayState]);
  for (int i = 0; i < 3; ++i) target.PlayStateTexts[i] = labels[static_cast<size_t>(i)];
  target.Captions[About] = kVersionLabel;
  if (FileExists(ScriptFilePath())) target.Script = ReadFileText(ScriptFilePath());
  Text conversion = ConvertOldTemplates(target);
  if (!conversion.empty()) target.Script = conversion;
  // The engine exists between init and quit only; the dialog reads files without one.
  if (ScriptEngine) LoadScriptEngine(*ScriptEngine, target.Script);
}

void LoadSettings() {
  // Loading never fails: what was read up to an error is kept.
  try {
    CopySettings(DefaultSettings, CurrentSettings);
    const Text iniPath = SettingsFilePath();
    ReadSettingsFile(CurrentSettings, iniPath, ReadLanguage(iniPath));
  } catch (...) {
  }
}

bool WriteSettingsFile(const TPS& source, const Text& iniPath, const Text& language) {
  bool written = WriteSettingKey(iniPath, kMainSection, ControlKeyNames(Lang), language);
  const Text section = kLanguageSectionPrefix + language;
  for (int32_t id = kFirstSettingId; id <= kLastSettingId && written; ++id) {
    written = WriteSettingKey(iniPath, section, ControlKeyNames(id) + Text(kValueSuffix), source.Values[id]);
  }
  for (int32_t id = kFirstSettingId; id <= kLastSettingId && written; ++id) {
    written = WriteSettingKey(iniPath, section, ControlKeyNames(id) + Text(kCaptionSuffix), source.Captions[id]);
  }
  // The script is the one thing the user wrote by hand: it is replaced whole or not at all.
  const Text scriptPath = iniPath.substr(0, iniPath.size() - 4) + ".script";
  return written && ReplaceFileBytes(scriptPath, TextBeforeNul(source.Script));
}

bool SaveSettings() {
  const Text first = SettingsBase();
  if (SaveTo(first)) return true;
  const Text other = first == BesideModule() ? InPlayerFolder() : BesideModule();
  if (!other.empty() && SaveTo(other)) return true;
  if (SettingsSaveFailed) SettingsSaveFailed(kSaveFailed);
  return false;
}

Text ConvertTemplate(const Text& templateText) {
  Text result = QuoteLiteral(templateText);
  // In table order, so "%Status2" is replaced before "%Status".
  for (int32_t row = 0; row < kTagCount; ++row) {
    const Text name = TrackTable[row].Name;
    result = ReplaceText(result, "%" + name, "\"+TAG" + name + "+\"", kReplaceAll | kReplaceIgnoreCase);
  }
  return result;
}
