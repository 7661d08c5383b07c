// The drivers' rules that need no window.
#include <gtest/gtest.h>

#include "messenger/driver_rules.h"
#include "settings/settings_model.h"

namespace {

TClient SlotWithSaved(const char* status, const char* status2) {
  TClient slot;
  slot.Saved[0].Status = status;
  slot.Saved[0].Status2 = status2;
  return slot;
}

TEST(DriverRules, PlaceholdersTakeTheSavedTexts) {
  TClient slot = SlotWithSaved("Дома", "Вернусь к вечеру");
  const struct {
    const char* text;
    const char* result;
  } cases[] = {
      {"%STATUS2 and %status", "Вернусь к вечеру and Дома"},
      {"%Status2", "Вернусь к вечеру"},
      {"%Status: music", "Дома: music"},
      {"no placeholder", "no placeholder"},
      {"%Status%Status2", "ДомаВернусь к вечеру"},
  };
  for (const auto& c : cases) EXPECT_EQ(SubstituteSavedStatus(slot, c.text), c.result) << c.text;
}

TEST(DriverRules, ShortTextsAreCutToTwentyWithAnEllipsis) {
  EXPECT_EQ(ShortStatusText("12345678901234567890"), "12345678901234567890");
  EXPECT_EQ(ShortStatusText("123456789012345678901"), "1234567890123456789\x85");
  EXPECT_EQ(ShortStatusText("123456789012345678901").size(), 20u);
  EXPECT_EQ(ShortStatusText(""), "");
}

TEST(DriverRules, StatusCells) {
  const struct {
    int32_t cell;
    int32_t x, y;
  } cases[] = {{0, 20, 50}, {6, 200, 50}, {7, 20, 75}, {-3, 20, 50}, {15, 50, 100}};
  for (const auto& c : cases) {
    EXPECT_EQ(StatusCellPosition(c.cell).x, c.x) << c.cell;
    EXPECT_EQ(StatusCellPosition(c.cell).y, c.y) << c.cell;
  }
}

TEST(DriverRules, TheConditionsReferenceIsTheCaptionsBracketedText) {
  const struct {
    const char* caption;
    const char* reference;
  } cases[] = {
      {"Установлен статус = [Подпись статуса]", "Подпись статуса"},
      {"Установлен статус = [Слушаю]", "Слушаю"},
      {"Status is [Music] or [x]", "Music"},
      {"no brackets", ""},
      {"open [only", ""},
      {"[]", ""},
  };
  for (const auto& c : cases) {
    CurrentSettings.Captions[IfStatus] = c.caption;
    EXPECT_EQ(IfStatusReference(), c.reference) << c.caption;
  }
  CurrentSettings.Captions[IfStatus] = "= [Слушаю]";
  EXPECT_TRUE(ShowsReferenceStatus("СЛУШАЮ"));
  EXPECT_FALSE(ShowsReferenceStatus("Слушаю музыку"));
  CurrentSettings.Captions[IfStatus] = "none";
  EXPECT_FALSE(ShowsReferenceStatus(""));
}

}  // namespace
