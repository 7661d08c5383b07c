// R&Q's driver against the stand-in R&Q.
#include <windows.h>

#include "messenger_fixture.h"

#ifndef RNQ_EXE
#error "RNQ_EXE must name the stand-in R&Q"
#endif

namespace {

class RnqDriver : public ::testing::Test {
 protected:
  void SetUp() override { ResetDriverSettings(); }
  void Start(const std::string& options) {
    rnq_.reset(new ClientProcess(RNQ_EXE, TestFolder(), "rnq.exe", options));
    HWND main = rnq_->Window("TRnQmain");
    ASSERT_TRUE(main);
    ASSERT_TRUE(FillSlot(slot_, rnq_->pid(), main));
    ASSERT_NE(slot_.ProcessId, 0u);
  }
  std::unique_ptr<ClientProcess> rnq_;
  TClient slot_;
};

TEST_F(RnqDriver, CompatibleWriteOnAHiddenForm) {
  Start("--status Дома --status2 Вечером");
  Set(Compatible, true);
  Set(SetStatus, true);
  EXPECT_TRUE(WriteRnqStatus(slot_, Request("%Status, длинный текст больше двадцати", "b")));
  ExpectInOrder(rnq_->Log(), {"click target=form x=20 y=50", "key target=form action=down key=13",
                              "syscommand target=form command=SC_CLOSE",
                              "settext target=short text=\"%25Status, длинный текст больше двадцати\"",
                              "settext target=long text=\"b\"", "key target=form action=down key=13",
                              "syscommand target=form command=SC_CLOSE"});
  EXPECT_EQ(WindowText(slot_.Controls[kControlShortText].Handle), "%Status, длинный текст больше двадцати");
}

TEST_F(RnqDriver, NothingToChangeOrNoConditionSendsNothing) {
  Start("--status a --status2 b");
  Set(SetStatus, true);
  EXPECT_TRUE(WriteRnqStatus(slot_, Request("A", "B")));
  Set(IfAny, false);
  EXPECT_TRUE(WriteRnqStatus(slot_, Request("x", "y")));
  CurrentSettings.RestoreDepth = 1;
  EXPECT_TRUE(WriteRnqStatus(slot_, Request("x", "y")));
  CurrentSettings.RestoreDepth = 0;
  EXPECT_EQ(CountLines(rnq_->Log(), "settext"), 0u);
}

TEST_F(RnqDriver, AFormOnScreenGetsTheTextsButNoEnter) {
  Start("");
  rnq_->Run("show\n");
  EXPECT_TRUE(WriteRnqStatus(slot_, Request("x", "y")));
  Lines log = rnq_->Log();
  EXPECT_EQ(CountLines(log, "settext target=long text=\"y\""), 1u);
  EXPECT_EQ(CountLines(log, "key target=form"), 0u);
}

}  // namespace
