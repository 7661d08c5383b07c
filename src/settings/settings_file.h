// The settings file (an INI file beside the module, one section per language) and the
// script file beside it: loading them into the live record and the script engine, saving
// the live record, and turning old-format status templates into script lines.
#pragma once

#include <memory>

#include "settings/settings_model.h"
#include "support/text.h"

class TMathParser;

// The full path of the module file; both files are named after it.
extern Text ModulePath;
// The player's own settings folder, as the player tells it; empty when it does not. Where
// the module's folder cannot be written (Program Files), the two files live in its Plugins
// subfolder instead.
extern Text PlayerSettingsFolder;
// Told when a save has failed in both places, so the user learns the changes are not kept.
extern void (*SettingsSaveFailed)(const Text& message);
// The plug-in's script engine, between init and quit; none otherwise.
extern std::unique_ptr<TMathParser> ScriptEngine;

// The main section holds only the language; each language has a section of its own.
extern const char kMainSection[];
extern const char kLanguageSectionPrefix[];
// A key of a language section is read through a buffer at most this large, so a value
// yields at most one character less.
constexpr int32_t kSettingKeyLimit = 10240;
constexpr size_t kLanguageBuffer = 1024;

Text SettingsFilePath();
Text ScriptFilePath();

void LoadSettings();
// False (and the user told) when neither place could take the files.
bool SaveSettings();
void ReadSettingsFile(TPS& target, const Text& iniPath, const Text& language);
// False when a key or the script could not be written.
bool WriteSettingsFile(const TPS& source, const Text& iniPath, const Text& language);
Text ReadSettingKey(const Text& iniPath, const Text& section, const Text& key, const Text& fallback);
bool WriteSettingKey(const Text& iniPath, const Text& section, const Text& key, const Text& text);
Text ConvertTemplate(const Text& templateText);
// The language named in the file's main section: "Default" when the key is there but empty.
Text ReadLanguage(const Text& iniPath);
