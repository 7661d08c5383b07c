// QIP's driver against the stand-in QIP: what it writes, under which conditions, and what
// it leaves alone.
#include <windows.h>

#include "messenger_fixture.h"

#ifndef QIP_EXE
#error "QIP_EXE must name the stand-in QIP"
#endif

namespace {

class QipDriver : public ::testing::Test {
 protected:
  void SetUp() override { ResetDriverSettings(); }
  void Start(const std::string& options) {
    qip_.reset(new ClientProcess(QIP_EXE, TestFolder(), "qip.exe", options));
    HWND main = qip_->Window("TMainForm");
    ASSERT_TRUE(main);
    ASSERT_TRUE(FillSlot(slot_, qip_->pid(), main));
    ASSERT_NE(slot_.ProcessId, 0u) << "the slot is filled";
  }
  TStatus Shown() const { return ReadClientStatus(slot_); }
  Lines Log() const { return qip_->Log(); }

  std::unique_ptr<ClientProcess> qip_;
  TClient slot_;
};

TEST_F(QipDriver, FillingTheSlotRemembersWhatTheUserHas) {
  Start("--account 123456 --picture 11 --status Дома --status2 \"Вернусь к вечеру\"");
  EXPECT_EQ(slot_.ProfileFolder, DirectoryOfPath(qip_->exePath()) + "Users\\123456\\");
  EXPECT_EQ(slot_.Saved[0].Picture, 11);
  EXPECT_EQ(slot_.Saved[0].Status, "Дома");
  EXPECT_EQ(slot_.Saved[0].Status2, "Вернусь к вечеру");
  EXPECT_FALSE(StatusesDiffer(slot_.Saved[0], slot_.LastSet));
  for (int role : {kControlOk, kControlShortText, kControlLongText, kControlPictures}) {
    EXPECT_TRUE(IsWindow(slot_.Controls[role].Handle)) << role;
  }
}

TEST_F(QipDriver, WritesTheTextsWithPlaceholdersAndTheLimitAndKeepsThePicture) {
  Start("--picture 11 --status Дома --status2 Вечером");
  Set(SetStatus, true);
  EXPECT_TRUE(WriteQipStatus(slot_, Request("%Status: Кино - Группа крови", "%STATUS2 and %status")));
  TStatus shown = Shown();
  EXPECT_EQ(shown.Picture, 11);
  EXPECT_EQ(shown.Status, "Дома: Кино - Группа\x85");
  EXPECT_EQ(shown.Status2, "Вечером and Дома");
  EXPECT_FALSE(StatusesDiffer(shown, slot_.LastSet));
  ExpectInOrder(Log(), {"settext target=short", "settext target=long", "click target=ok",
                        "confirm picture=11"});
  // The same request again changes nothing and sends nothing.
  size_t before = Log().size();
  EXPECT_TRUE(WriteQipStatus(slot_, Request("%Status: Кино - Группа крови", "%STATUS2 and %status")));
  EXPECT_EQ(Log().size(), before);
}

TEST_F(QipDriver, ConditionsOnThePicture) {
  Start("--picture 0 --status Дома");
  EXPECT_TRUE(WriteQipStatus(slot_, Request("", "track")));
  EXPECT_EQ(CountLines(Log(), "settext"), 0u) << "IfAny needs a picture selected";
  qip_->Run("pick 3\nok\n");
  slot_.LastSet = slot_.Saved[0] = Shown();
  Set(IfAny, false);
  Set(IfPicture, true);
  EXPECT_TRUE(WriteQipStatus(slot_, Request("", "track")));
  EXPECT_EQ(CountLines(Log(), "settext"), 0u) << "IfPicture needs the music picture";
  qip_->Run("pick 11\nok\n");
  slot_.LastSet = slot_.Saved[0] = Shown();
  EXPECT_TRUE(WriteQipStatus(slot_, Request("", "track")));
  EXPECT_EQ(Shown().Status2, "track");
  EXPECT_EQ(Shown().Picture, 11);
}

TEST_F(QipDriver, AFormOnScreenIsLeftToTheUser) {
  Start("--picture 11");
  qip_->Run("show\n");
  CurrentSettings.RestoreDepth = 1;
  EXPECT_TRUE(WriteQipStatus(slot_, Request("x", "y")));
  CurrentSettings.RestoreDepth = 0;
  EXPECT_TRUE(WriteQipStatus(slot_, Request("x", "y")));
  EXPECT_EQ(CountLines(Log(), "settext"), 0u);
  // Switched off, the driver writes but leaves the confirming to the user.
  Set(Enable, false);
  EXPECT_TRUE(WriteQipStatus(slot_, Request("x", "y")));
  EXPECT_EQ(CountLines(Log(), "settext target=long text=\"y\""), 1u);
  EXPECT_EQ(CountLines(Log(), "click target=ok"), 0u);
}

TEST_F(QipDriver, CompatibleModePassesThroughAnEmptyStatus) {
  Start("--picture 11 --status Дома");
  Set(Compatible, true);
  Set(SetStatus, true);
  EXPECT_TRUE(WriteQipStatus(slot_, Request("a", "b")));
  ExpectInOrder(Log(), {"select target=pictures index=0", "settext target=short text=\"\"",
                        "settext target=long text=\"\"", "click target=ok",
                        "select target=pictures index=11", "settext target=short text=\"a\"",
                        "settext target=long text=\"b\"", "click target=ok", "confirm picture=11 status=\"a\""});
}

TEST_F(QipDriver, AStatusSetByHandBecomesTheSavedOne) {
  Start("--picture 11 --status Дома");
  Set(SetStatus, true);
  EXPECT_TRUE(WriteQipStatus(slot_, Request("%Status - music", "")));
  ASSERT_EQ(Shown().Status, "Дома - music");
  qip_->Run("type short Занят\nok\n");
  EXPECT_TRUE(WriteQipStatus(slot_, Request("%Status - music", "")));
  EXPECT_EQ(slot_.Saved[0].Status, "Занят");
  EXPECT_EQ(Shown().Status, "Занят - music");
  ExpectInOrder(Log(), {"user ok", "settext target=short text=\"Дома\"",
                        "settext target=short text=\"Занят\"", "settext target=short text=\"Занят - music\""});
}

TEST_F(QipDriver, ARestoreWritesTheSavedStatusWhateverIsSet) {
  Start("--picture 5 --status Дома --status2 Вечером");
  Set(SetStatus, true);
  EXPECT_TRUE(WriteQipStatus(slot_, Request("music", "track")));
  ASSERT_EQ(Shown().Status, "music");
  Set(SetStatus, false);
  Set(SetLongStatus, false);
  RestoreStatus(slot_);
  EXPECT_EQ(slot_.ProcessId, 0u) << "the slot is free afterwards";
  EXPECT_EQ(CurrentSettings.RestoreDepth, 0);
  Lines confirms;
  for (const std::string& line : Log()) {
    if (StartsWith(line, "confirm")) confirms.push_back(line);
  }
  ASSERT_GE(confirms.size(), 2u);
  EXPECT_TRUE(StartsWith(confirms.back(), "confirm picture=5 status=\"Дома\" status2=\"Вечером\"")) << confirms.back();
}

TEST_F(QipDriver, AHungClientIsLeftAloneAndKeepsItsSlot) {
  Start("--picture 11 --status Дома");
  qip_->Send("hang 4000\n");
  ASSERT_TRUE(qip_->WaitForLine("hang ms=4000", 5000));
  DWORD start = GetTickCount();
  ApplyStatus(slot_, Request("a", "b"));
  EXPECT_LT(GetTickCount() - start, 2500u) << "one unanswered message, then no more";
  EXPECT_EQ(slot_.Saved[0].Status, "Дома") << "nothing read from a hung client is adopted";
  ForgetUnansweredProcesses();
  ASSERT_TRUE(qip_->WaitForLine("awake", 6000));
  EXPECT_TRUE(WriteQipStatus(slot_, Request("a", "b")));
  EXPECT_EQ(Shown().Status2, "b");
}

}  // namespace
