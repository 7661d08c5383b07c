// The stand-in R&Q worked from another process exactly as the plug-in's R&Q driver works it:
// the boxes found by walking the status form, a click on the first picture cell, Enter and
// the system close command sent to the form, texts written into its TEdit and TMemo.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "client_process.h"

#ifndef RNQ_EXE
#error "RNQ_EXE must name rnq.exe"
#endif

namespace {

struct Boxes {
  HWND edit = nullptr, memo = nullptr;
  int edits = 0, memos = 0;
};

Boxes FindBoxes(HWND form) {
  Boxes boxes;
  for (HWND w : Descendants(form)) {
    const std::string name = ClassOf(w);
    if (name == "TEdit") {
      boxes.edit = w;
      ++boxes.edits;
    } else if (name == "TMemo") {
      boxes.memo = w;
      ++boxes.memos;
    }
  }
  return boxes;
}

void PressEnter(HWND form) {
  SendMessageA(form, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageA(form, WM_KEYUP, VK_RETURN, 0);
}

void CloseForm(HWND form) {
  SendMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void SetText(HWND box, const std::string& text) {
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// One compatible write of the driver with the form hidden: the first cell, Enter, close, the
// texts, Enter, close.
TEST(RnqStandin, TakesTheDriversCompatibleWrite) {
  ClientProcess rnq(RNQ_EXE, TestFolder(), "rnq.exe",
                    "--picture 9 --status Занят --status2 Встреча");
  HWND main = rnq.Window("TRnQmain");
  HWND form = rnq.Window("TxStatusForm");
  ASSERT_TRUE(main && form);
  EXPECT_EQ(TextOf(main), "R&Q - 777777");
  EXPECT_FALSE(IsWindowVisible(form));
  const Boxes boxes = FindBoxes(form);
  ASSERT_EQ(boxes.edits, 1);
  ASSERT_EQ(boxes.memos, 1);
  EXPECT_NE(GetWindowLongA(boxes.memo, GWL_STYLE) & ES_MULTILINE, 0);
  EXPECT_EQ(TextOf(boxes.edit), "Занят");
  EXPECT_EQ(TextOf(boxes.memo), "Встреча");

  Click(form, 20, 50, 0);
  PressEnter(form);
  CloseForm(form);
  const std::string longText = "Кино\r\nГруппа крови";
  SetText(boxes.edit, "Слушаю");
  SetText(boxes.memo, longText);
  PressEnter(form);
  CloseForm(form);
  EXPECT_EQ(TextOf(boxes.edit), "Слушаю");
  EXPECT_EQ(TextOf(boxes.memo), longText);
  EXPECT_FALSE(IsWindowVisible(form));
  EXPECT_TRUE(IsWindow(boxes.edit) && IsWindow(boxes.memo));

  const Lines log = rnq.Log();
  ExpectInOrder(
      log,
      {"button target=form action=down keys=1 x=20 y=50",
       "button target=form action=up keys=0 x=20 y=50", "click target=form x=20 y=50 cell=0",
       "key target=form action=down key=13",
       "confirm picture=0 status=\"Занят\" status2=\"Встреча\"", "key target=form action=up key=13",
       "syscommand target=form command=SC_CLOSE", "settext target=short text=\"Слушаю\"",
       "settext target=long text=\"Кино%0D%0AГруппа крови\"", "key target=form action=down key=13",
       "confirm picture=0 status=\"Слушаю\" status2=\"Кино%0D%0AГруппа крови\"",
       "key target=form action=up key=13", "syscommand target=form command=SC_CLOSE"});
  EXPECT_EQ(FindFrom(log, 0, "form hide"), log.size());
}

TEST(RnqStandin, UserConfirmsOnScreenAndClicksAreLoggedWithTheirCell) {
  ClientProcess rnq(RNQ_EXE, TestFolder(), "rnq.exe", "--account 31337");
  HWND main = rnq.Window("TRnQmain");
  HWND form = rnq.Window("TxStatusForm");
  ASSERT_TRUE(main && form);
  EXPECT_EQ(TextOf(main), "R&Q - 31337");
  const Boxes boxes = FindBoxes(form);

  ASSERT_TRUE(rnq.Run("show\ntype short Обед\nenter\n"));
  EXPECT_TRUE(IsWindowVisible(form));
  EXPECT_EQ(TextOf(boxes.edit), "Обед");
  Click(form, 50, 75, 0);
  Click(form, 228, 10, 0);
  PressEnter(form);
  CloseForm(form);
  EXPECT_FALSE(IsWindowVisible(form));

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(rnq.Finish(false), 0u);
  const Lines log = rnq.Log();
  ExpectInOrder(
      log,
      {"rnq start account=\"31337\" title=\"R&Q - 31337\"", "user show", "form show",
       "user type target=short text=\"Обед\"", "user enter",
       "confirm picture=0 status=\"Обед\" status2=\"\"", "click target=form x=50 y=75 cell=8",
       "click target=form x=228 y=10 cell=none", "confirm picture=8 status=\"Обед\" status2=\"\"",
       "syscommand target=form command=SC_CLOSE", "form hide", "close target=main",
       "quit reason=closed", "rnq exit code=0"});
}

}  // namespace
