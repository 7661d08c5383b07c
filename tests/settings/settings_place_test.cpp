// Where the settings and the script live: beside the module while its folder can be
// written, else in the player's settings folder, whose copy then wins; a save that fails
// everywhere says so; a script write that fails half-way leaves the old script whole.
#include <gtest/gtest.h>

#include <cstdio>

#include "script/test_report.h"
#include "settings/settings_file.h"
#include "support/file.h"
#include "test_paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

Text Sep() {
  return ScratchPath("a/b").find('\\') != Text::npos ? "\\" : "/";
}

Text gNotice;
void RecordNotice(const Text& message) {
  gNotice = message;
}

void RemoveFolder(const Text& path) {
#ifdef _WIN32
  RemoveDirectoryA(path.c_str());
#else
  rmdir(path.c_str());
#endif
}

class SettingsPlace : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = ScratchPath(std::string("place-") + test->name());
    MakeFolder(ScratchPath(""));
    MakeFolder(root_);
    MakeFolder(root_ + Sep() + "module");
    MakeFolder(root_ + Sep() + "player");
    // Both code pages' runs share the scratch folder: nothing of an earlier run may stay.
    for (const Text& base : {ModuleBase(), PlayerBase()}) {
      std::remove((base + ".ini").c_str());
      std::remove((base + ".script").c_str());
      RemoveFolder(base + ".script.new");
    }
    ModulePath = ModuleBase();
    PlayerSettingsFolder = root_ + Sep() + "player";
    SettingsSaveFailed = RecordNotice;
    gNotice.clear();
    BuildDefaultSettings(DefaultScript());
    CopySettings(DefaultSettings, CurrentSettings);
  }
  void TearDown() override {
    PlayerSettingsFolder.clear();
    SettingsSaveFailed = nullptr;
  }
  Text ModuleBase() const { return root_ + Sep() + "module" + Sep() + "gen_tunepost.dll"; }
  Text PlayerBase() const { return root_ + Sep() + "player" + Sep() + "Plugins" + Sep() + "gen_tunepost.dll"; }
  // A module folder that cannot be written: it does not exist.
  void ModuleInUnwritableFolder() { ModulePath = root_ + Sep() + "locked" + Sep() + "gen_tunepost.dll"; }
  Text root_;
};

TEST_F(SettingsPlace, BesideAWritableModule) {
  CurrentSettings.Script = "Status=\"mine\"";
  EXPECT_TRUE(SaveSettings());
  EXPECT_TRUE(FileExists(ModuleBase() + ".ini"));
  EXPECT_EQ(ReadFileText(ModuleBase() + ".script"), "Status=\"mine\"");
  EXPECT_FALSE(FileExists(PlayerBase() + ".ini"));
}

TEST_F(SettingsPlace, InThePlayersFolderWhenTheModulesCannotBeWritten) {
  ModuleInUnwritableFolder();
  CurrentSettings.Values[DelayV] = "15";
  CurrentSettings.Script = "Status=\"kept\"";
  EXPECT_TRUE(SaveSettings());
  EXPECT_EQ(gNotice, "");
  EXPECT_EQ(ReadFileText(PlayerBase() + ".script"), "Status=\"kept\"");
  LoadSettings();
  EXPECT_EQ(SettingText(DelayV), "15");
  EXPECT_EQ(CurrentSettings.Script, "Status=\"kept\"");
}

TEST_F(SettingsPlace, ThePlayersCopyWinsOnceItExists) {
  CurrentSettings.Values[DelayV] = "2";
  ASSERT_TRUE(SaveSettings());
  ModuleInUnwritableFolder();
  CurrentSettings.Values[DelayV] = "30";
  ASSERT_TRUE(SaveSettings());
  ModulePath = ModuleBase();
  LoadSettings();
  EXPECT_EQ(SettingText(DelayV), "30");
}

TEST_F(SettingsPlace, ASaveThatFailsEverywhereSaysSo) {
  ModuleInUnwritableFolder();
  PlayerSettingsFolder = root_ + Sep() + "no-such-player" + Sep() + "deeper";
  EXPECT_FALSE(SaveSettings());
  EXPECT_NE(gNotice.find("не сохранены"), Text::npos) << gNotice;
}

TEST_F(SettingsPlace, AScriptWriteThatFailsHalfWayKeepsTheOldScript) {
  CurrentSettings.Script = "Status=\"old\"";
  ASSERT_TRUE(SaveSettings());
  // The temporary file cannot be made: a folder stands in its way.
  MakeFolder(ModuleBase() + ".script.new");
  PlayerSettingsFolder.clear();
  CurrentSettings.Script = "Status=\"new\"";
  EXPECT_FALSE(SaveSettings());
  EXPECT_EQ(ReadFileText(ModuleBase() + ".script"), "Status=\"old\"");
}

}  // namespace
