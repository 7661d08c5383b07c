// Loading and saving the settings file and the script file beside the module.
#include <gtest/gtest.h>

#include <cstdio>

#include "script/math_parser.h"
#include "script/test_report.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "support/file.h"
#include "test_paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    CreateDirectoryA(ScratchPath("").c_str(), nullptr);
    CreateDirectoryA(ScratchPath("module").c_str(), nullptr);
#else
    mkdir(ScratchPath("").c_str(), 0755);
    mkdir(ScratchPath("module").c_str(), 0755);
#endif
    ModulePath = ScratchPath("module") + Separator() + "gen_tunepost.dll";
    std::remove(SettingsFilePath().c_str());
    std::remove(ScriptFilePath().c_str());
    BuildDefaultSettings(DefaultScript());
    ScriptEngine.reset(new TMathParser);
  }
  void TearDown() override { ScriptEngine.reset(); }
  static Text Separator() { return ScratchPath("a/b").find('\\') != Text::npos ? "\\" : "/"; }
  void WriteIni(const Text& content) {
    ASSERT_TRUE(WriteFileBytes(SettingsFilePath(), content.data(), static_cast<uint32_t>(content.size()), false));
  }
  void WriteScript(const Text& content) {
    ASSERT_TRUE(WriteTextFile(ScriptFilePath(), content.c_str(), false));
  }
  bool SettingsEqualDefaults() {
    for (int32_t id = kFirstSettingId; id <= kLastSettingId; ++id) {
      if (CurrentSettings.Values[id] != DefaultSettings.Values[id]) return false;
      if (CurrentSettings.Captions[id] != DefaultSettings.Captions[id]) return false;
    }
    return true;
  }
};

TEST_F(SettingsFile, NoFilesGiveTheDefaultsAndTheDefaultScript) {
  CurrentSettings.ClientSlots[0].ProcessId = 7;
  CurrentSettings.UpdateTimerId = 3;
  LoadSettings();
  EXPECT_TRUE(SettingsEqualDefaults());
  EXPECT_EQ(CurrentSettings.Values[Lang], "Russian");
  EXPECT_EQ(CurrentSettings.PlayStateTexts[0], "[PLAY]");
  EXPECT_EQ(CurrentSettings.PlayStateTexts[1], "[PAUSE]");
  EXPECT_EQ(CurrentSettings.PlayStateTexts[2], "[STOP]");
  EXPECT_EQ(CurrentSettings.Script, DefaultScript());
  EXPECT_EQ(CurrentSettings.ClientSlots[0].ProcessId, 0u);
  EXPECT_EQ(CurrentSettings.UpdateTimerId, 0u);
  TStack& statements = ScriptEngine->Statements;
  ASSERT_GT(StatementCount(statements), kTagCount);
  EXPECT_EQ(GetFormula(statements, 0).Name, "TAGArtist");
  EXPECT_EQ(GetFormula(statements, 20).Name, "TAGPath");
}

TEST_F(SettingsFile, AnUnknownLanguageKeepsEveryDefaultWhole) {
  WriteIni("[ICQ client status]\r\nLang=Deutsch\r\n");
  LoadSettings();
  EXPECT_EQ(CurrentSettings.Values[Lang], "Deutsch");
  CurrentSettings.Values[Lang] = DefaultSettings.Values[Lang];
  EXPECT_TRUE(SettingsEqualDefaults());
}

TEST_F(SettingsFile, AnEmptyLanguageIsDefault) {
  WriteIni("[ICQ client status]\r\nLang=\r\n[ICQ client status_Default]\r\nDelayV.Value=15\r\n");
  LoadSettings();
  EXPECT_EQ(CurrentSettings.Values[Lang], "Default");
  EXPECT_EQ(SettingText(DelayV), "15");
}

TEST_F(SettingsFile, SavedSettingsComeBack) {
  LoadSettings();
  CurrentSettings.Values[DelayV] = "10";
  CurrentSettings.Values[Enable] = "0";
  CurrentSettings.Captions[grIf] = " Статус ";
  CurrentSettings.Script = "Status=\"x\"\r\nTray=TAGArtist";
  SaveSettings();
  Text ini = ReadFileText(SettingsFilePath());
  EXPECT_EQ(ini.find("[ICQ client status]\r\nLang=Russian\r\n"), 0u) << ini;
  EXPECT_NE(ini.find("[ICQ client status_Russian]\r\nEnable.Value=0\r\nIfStatus.Value=0\r\n"), Text::npos) << ini;
  EXPECT_LT(ini.find("lblChangeWhere.Value="), ini.find("Enable.Caption="));
  EXPECT_EQ(ReadFileText(ScriptFilePath()), "Status=\"x\"\r\nTray=TAGArtist");
  LoadSettings();
  EXPECT_EQ(SettingText(DelayV), "10");
  EXPECT_FALSE(SettingChecked(Enable));
  EXPECT_EQ(CurrentSettings.Captions[grIf], "Статус");
  EXPECT_EQ(CurrentSettings.Script, "Status=\"x\"\r\nTray=TAGArtist");
}

TEST_F(SettingsFile, OldTemplatesBecomeTheScript) {
  WriteScript("Status=\"ignored this time\"");
  WriteIni("[ICQ client status]\r\nLang=Russian\r\n[ICQ client status_Russian]\r\n"
           "Status.Value=%Artist - %Title\r\nTray.Value=Winamp\r\n");
  LoadSettings();
  EXPECT_EQ(CurrentSettings.Script,
            "\r\nStatus=\"\"+TAGArtist+\" - \"+TAGTitle+\"\"\r\nTray=\"Winamp\"");
  EXPECT_EQ(CurrentSettings.Values[Status], "");
  EXPECT_EQ(CurrentSettings.Values[Tray], "");
  SaveSettings();
  EXPECT_EQ(ProfileString("ICQ client status_Russian", "Status.Value", "?", 100, SettingsFilePath()), "");
  EXPECT_EQ(ReadFileText(ScriptFilePath()), CurrentSettings.Script);
}

TEST(SettingsTemplates, ConvertTemplate) {
  const struct {
    const char* templateText;
    const char* expression;
  } cases[] = {
      {"%Artist - %Title", "\"\"+TAGArtist+\" - \"+TAGTitle+\"\""},
      {"Winamp", "\"Winamp\""},
      {"%status2 / %STATUS", "\"\"+TAGStatus2+\" / \"+TAGStatus+\"\""},
      {"say \"%Title\"", "\"say \"\"\"+TAGTitle+\"\"\"\""},
      {"100%", "\"100%\""},
  };
  for (const auto& c : cases) EXPECT_EQ(ConvertTemplate(c.templateText), c.expression) << c.templateText;
}

TEST_F(SettingsFile, FixedLabelsAndShortPlayStateLists) {
  WriteIni("[ICQ client status]\r\nLang=Russian\r\n[ICQ client status_Russian]\r\n"
           "About.Caption=someone else\r\nVirtPlayState.Caption=||>||\r\n");
  LoadSettings();
  EXPECT_EQ(CurrentSettings.Captions[About], kVersionLabel);
  EXPECT_EQ(CurrentSettings.PlayStateTexts[0], ">");
  EXPECT_EQ(CurrentSettings.PlayStateTexts[1], "");
  EXPECT_EQ(CurrentSettings.PlayStateTexts[2], "");
}

TEST_F(SettingsFile, LongValuesAreCutAtTheReadLimit) {
  Text longValue(12000, 'v');
  WriteIni("[ICQ client status]\r\nLang=Russian\r\n[ICQ client status_Russian]\r\nCustomQIP.Value=" +
           longValue + "\r\n");
  LoadSettings();
  EXPECT_EQ(CurrentSettings.Values[CustomQIP], Text(kSettingKeyLimit - 1, 'v'));
}

}  // namespace
