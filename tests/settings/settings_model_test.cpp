// The setting table, the accessors, item lists and copies of the settings record.
#include <gtest/gtest.h>

#include "settings/settings_model.h"

namespace {

class SettingsModel : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildDefaultSettings("default script\r\n");
    CopySettings(DefaultSettings, CurrentSettings);
  }
};

TEST_F(SettingsModel, DefaultsReadThroughTheAccessors) {
  EXPECT_TRUE(SettingChecked(Enable));
  EXPECT_FALSE(SettingChecked(SetStatus));
  EXPECT_TRUE(SettingChecked(SetLongStatus));
  EXPECT_TRUE(SettingChecked(AllQIP));
  EXPECT_EQ(SettingText(DelayV), "5");
  EXPECT_EQ(SettingText(Lang), "Russian");
  EXPECT_EQ(SettingText(Enable), "");
  EXPECT_FALSE(SettingChecked(DelayV));
  EXPECT_EQ(SettingText(Picture), "Музыка");
  EXPECT_EQ(DefaultSettings.Captions[About], "v1.54 / Tunepost Open");
  EXPECT_EQ(DefaultSettings.Captions[AllowOpen], "Разрешить принудительное открытие \\nокна статуса (только QIP)");
  EXPECT_EQ(DefaultSettings.Script, "default script\r\n");
  EXPECT_STREQ(ControlKeyNames(lblChangeWhere), "lblChangeWhere");
  EXPECT_EQ(ControlKinds(FormatScript), KindScript);
}

TEST_F(SettingsModel, ListsOfTheTableHaveTheirItems) {
  std::vector<Text> templates = ReadItemList(DefaultSettings.Captions[Status]);
  ASSERT_EQ(templates.size(), 22u);
  EXPECT_EQ(templates[5], "%Artist \"%Title\"");
  EXPECT_EQ(templates[20], "");
  EXPECT_EQ(templates[21], "Файл: %File\\nИсполнитель: %Artist\\nНазвание: %Title");
  EXPECT_EQ(DefaultSettings.Captions[Status].size(), 261u);
  std::vector<Text> pictures = ReadItemList(DefaultSettings.Captions[Picture]);
  ASSERT_EQ(pictures.size(), 30u);
  EXPECT_EQ(pictures[0], "");
  EXPECT_EQ(pictures[11], "Музыка");
  EXPECT_EQ(pictures[25], " ");
  EXPECT_EQ(pictures[29], "Отдыхаю");
  EXPECT_EQ(DefaultSettings.Captions[Picture].size(), 221u);
}

TEST(SettingValues, CheckedOnlyForNonZeroIntegersOfFlags) {
  const struct {
    const char* value;
    bool checked;
  } cases[] = {{"1", true},   {"2", true},   {"-1", true}, {" 1", true},  {"$10", true},
               {"", false},   {"0", false},  {"1x", false}, {"1 ", false}, {"yes", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(ValueChecked(Enable, c.value), c.checked) << c.value;
    EXPECT_EQ(ValueChecked(IfAny, c.value), c.checked) << c.value;
    EXPECT_FALSE(ValueChecked(DelayV, c.value)) << c.value;
  }
  EXPECT_EQ(ValueText(Enable, "1"), "");
  EXPECT_EQ(ValueText(FormatScript, "x"), "");
  EXPECT_EQ(ValueText(DelayV, "10"), "10");
  EXPECT_EQ(ValueText(grIf, " t "), " t ");
  EXPECT_EQ(ValueText(About, "v"), "v");
  EXPECT_EQ(FlagText(true), "1");
  EXPECT_EQ(FlagText(false), "0");
}

TEST(SettingTexts, ItemListsReadAndWrite) {
  const struct {
    const char* list;
    std::vector<Text> items;
  } cases[] = {
      {"||1||2||5||10||15||30||", {"1", "2", "5", "10", "15", "30"}},
      {"||a||b", {"a", "b"}},
      {"x||a||", {"a"}},
      {"||", {}},
      {"", {}},
      {"no list", {}},
      {"||||Злой||", {"", "Злой"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadItemList(c.list), c.items) << c.list;
  EXPECT_EQ(ItemList({}), "||");
  EXPECT_EQ(ItemList({"a", "", "b"}), "||a||||b||");
  EXPECT_EQ(EscapeLineBreaks("a\r\nb"), "a\\nb");
  EXPECT_EQ(EscapeLineBreaks("a\nb\r"), "a\nb\r");
  EXPECT_EQ(ExpandLineBreaks(EscapeLineBreaks("x\r\ny\r\n")), "x\r\ny\r\n");
}

TEST_F(SettingsModel, CopiesShareNothing) {
  CurrentSettings.ClientSlots[3].ProcessId = 42;
  CurrentSettings.ClientSlots[3].Saved[0].Status = "own";
  CurrentSettings.TagValues[0] = "artist";
  CurrentSettings.TrayIconData[10] = 7;
  CurrentSettings.Values[Lang] = Text("Eng\0lish", 8);
  CopySettings(CurrentSettings, DialogSettings);
  EXPECT_EQ(DialogSettings.ClientSlots[3].ProcessId, 42u);
  EXPECT_EQ(DialogSettings.TrayIconData[10], 7);
  EXPECT_EQ(DialogSettings.Values[Lang], "Eng");
  DialogSettings.Script = "changed";
  DialogSettings.ClientSlots[3].Saved[0].Status = "changed";
  DialogSettings.TagValues[0] = "changed";
  EXPECT_EQ(CurrentSettings.Script, "default script\r\n");
  EXPECT_EQ(CurrentSettings.ClientSlots[3].Saved[0].Status, "own");
  EXPECT_EQ(CurrentSettings.TagValues[0], "artist");
}

}  // namespace
