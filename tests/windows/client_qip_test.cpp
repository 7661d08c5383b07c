// The stand-in QIP worked from another process exactly as the plug-in's QIP driver works
// it: the controls found by walking the status form, a picture selected, texts written, a
// click on "OK", the status form opened by a click on the main window's last panel and
// closed with the system close command; checked against its windows, log and status file.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "client_process.h"

#ifndef QIP_EXE
#error "QIP_EXE must name qip.exe"
#endif

namespace {

const std::string kSeparator = "#custom_status_descr#";

struct FormControls {
  HWND ok = nullptr, pictures = nullptr, longText = nullptr, shortText = nullptr;
  std::vector<HWND> otherPanels;
};

// The driver's walk: the panel "OK", the picture list, the first edit box for the long text
// and a later one for the short text; every other panel is shown.
FormControls CollectLikeDriver(HWND form) {
  FormControls found;
  for (HWND w : Descendants(form)) {
    const std::string name = ClassOf(w);
    if (name == "TPanel" && TextOf(w) == "OK") {
      found.ok = w;
    } else if (name == "TPanel") {
      found.otherPanels.push_back(w);
    } else if (name == "TComboBox") {
      found.pictures = w;
    } else if (name == "TEdit") {
      (found.longText ? found.shortText : found.longText) = w;
    }
  }
  return found;
}

std::vector<HWND> DirectPanels(HWND main) {
  std::vector<HWND> panels;
  for (HWND p = nullptr; (p = FindWindowExA(main, p, "TPanel", nullptr)) != nullptr;)
    panels.push_back(p);
  return panels;
}

// The driver's opening click: 15 pixels left of the last panel's right end, measured from
// the main window's left edge, 15 down; released without a button flag.
void ClickToOpen(HWND main, HWND panel) {
  RECT mainRect, panelRect;
  GetWindowRect(main, &mainRect);
  GetWindowRect(panel, &panelRect);
  Click(panel, static_cast<short>(panelRect.right - mainRect.left - 15), 15, 0);
}

void SetText(HWND box, const std::string& text) {
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool HasVisibleStyle(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void CloseForm(HWND form) {
  SendMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0);
}

size_t CountFrom(const Lines& lines, const std::string& prefix) {
  size_t count = 0;
  for (const std::string& line : lines) count += StartsWith(line, prefix) ? 1 : 0;
  return count;
}

// The profile file where the plug-in looks for it: beside the executable the process
// snapshot names, "Users", the account from the main window's text.
std::string ProfileFile(const ClientProcess& qip, HWND main) {
  const std::string exe = SnapshotExePath(qip.pid());
  std::string account = TextOf(main);
  const std::string prefix = "[qip] - ";
  if (StartsWith(account, prefix)) account.erase(0, prefix.size());
  return exe.substr(0, exe.rfind('\\') + 1) + "Users\\" + account + "\\_st_cust.txt";
}

std::string StatusList(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& entry : entries) text += entry + "\r\n";
  return text;
}

TEST(QipStandin, ShowsTheWindowsTheDriverLooksFor) {
  ClientProcess qip(QIP_EXE, TestFolder(), "qip.exe",
                    "--account 123456 --picture 5 --status Занят --status2 \"На встрече\"");
  HWND main = qip.Window("TMainForm");
  HWND form = qip.Window("TCusForm");
  ASSERT_TRUE(main && form);
  EXPECT_EQ(TextOf(main), "[qip] - 123456");
  EXPECT_EQ(GetParent(main), nullptr);
  EXPECT_EQ(GetParent(form), nullptr);
  EXPECT_EQ(DirectPanels(main).size(), 3u);
  EXPECT_FALSE(IsWindowVisible(form));
  EXPECT_EQ(SnapshotExePath(qip.pid()), qip.exePath());

  EXPECT_LE(Descendants(form).size(), 21u);
  const FormControls controls = CollectLikeDriver(form);
  ASSERT_TRUE(controls.ok && controls.pictures && controls.longText && controls.shortText);
  EXPECT_EQ(SendMessageA(controls.pictures, CB_GETCOUNT, 0, 0), 30);
  EXPECT_EQ(SendMessageA(controls.pictures, CB_GETCURSEL, 0, 0), 5);
  EXPECT_EQ(TextOf(controls.longText), "На встрече");
  EXPECT_EQ(TextOf(controls.shortText), "Занят");

  // The form is hidden, so a panel's own visibility is its style.
  std::vector<HWND> hidden;
  for (HWND panel : controls.otherPanels) {
    if (!HasVisibleStyle(panel)) hidden.push_back(panel);
  }
  ASSERT_EQ(hidden.size(), 2u);
  for (HWND panel : hidden) ShowWindow(panel, SW_SHOW);
  EXPECT_TRUE(HasVisibleStyle(hidden[0]) && HasVisibleStyle(hidden[1]));
  ASSERT_TRUE(qip.Run(""));
  const Lines log = qip.Log();
  EXPECT_EQ(CountFrom(log, "visible target=cancel shown=1"), 1u);
  EXPECT_EQ(CountFrom(log, "visible target=extra shown=1"), 1u);
  EXPECT_EQ(qip.Finish(), 0u);
}

// Run from a folder with blanks in its name, as QIP often is ("Program Files").
TEST(QipStandin, AdoptsWhatOkConfirmsAndKeepsItInTheProfileFile) {
  ClientProcess qip(QIP_EXE, TestFolder("QIP with blanks"), "qip.exe", "--account 424242");
  HWND main = qip.Window("TMainForm");
  HWND form = qip.Window("TCusForm");
  ASSERT_TRUE(main && form);
  const std::string file = ProfileFile(qip, main);
  ASSERT_NE(file.find("QIP with blanks\\Users\\424242\\"), std::string::npos) << file;
  const std::string folder = file.substr(0, file.rfind('\\'));
  CreateDirectoryA(folder.substr(0, folder.rfind('\\')).c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  WriteBytes(file, StatusList({"Old zero" + kSeparator, "Busy" + kSeparator + "Meeting"}));

  const FormControls form1 = CollectLikeDriver(form);
  const std::string shortText = "Кино – Группа крови";
  const std::string longText = "Слушаю \"Кино\" на 100%";
  EXPECT_EQ(SendMessageA(form1.pictures, CB_SETCURSEL, 11, 0), 11);
  SetText(form1.shortText, shortText);
  SetText(form1.longText, longText);
  Click(form1.ok, 1, 1, MK_LBUTTON);
  EXPECT_EQ(SendMessageA(form1.pictures, CB_GETCURSEL, 0, 0), 11);
  EXPECT_EQ(TextOf(form1.shortText), shortText);
  EXPECT_EQ(TextOf(form1.longText), longText);
  EXPECT_FALSE(IsWindowVisible(form));

  std::vector<std::string> entries(30, kSeparator);
  entries[0] = "Old zero" + kSeparator;
  entries[1] = "Busy" + kSeparator + "Meeting";
  entries[11] = shortText + kSeparator + longText;
  EXPECT_EQ(ReadBytes(file), StatusList(entries));

  // The compatible write's empty pass: picture 0 and empty texts become line 0.
  SendMessageA(form1.pictures, CB_SETCURSEL, 0, 0);
  SetText(form1.shortText, "");
  SetText(form1.longText, "");
  Click(form1.ok, 1, 1, MK_LBUTTON);
  entries[0] = kSeparator;
  EXPECT_EQ(ReadBytes(file), StatusList(entries));

  const Lines log = qip.Log();
  ExpectInOrder(log, {"select target=pictures index=11 answer=11",
                      "settext target=short text=\"Кино – Группа крови\"",
                      "settext target=long text=\"Слушаю %22Кино%22 на 100%25\"",
                      "button target=ok action=down keys=1 x=1 y=1",
                      "button target=ok action=up keys=1 x=1 y=1", "click target=ok x=1 y=1",
                      "confirm picture=11 status=\"Кино – Группа крови\" status2=\"Слушаю "
                      "%22Кино%22 на 100%25\"",
                      "file write path=\"" + file + "\" picture=11 result=ok",
                      "select target=pictures index=0 answer=0", "settext target=short text=\"\"",
                      "settext target=long text=\"\"", "confirm picture=0 status=\"\" status2=\"\"",
                      "file write path=\"" + file + "\" picture=0 result=ok"});
  EXPECT_EQ(CountFrom(log, "form hide"), 0u);
}

TEST(QipStandin, LastPanelOpensTheFormAndCloseKeepsItsControls) {
  ClientProcess qip(QIP_EXE, TestFolder(), "qip.exe", "--controls-later");
  HWND main = qip.Window("TMainForm");
  HWND form = qip.Window("TCusForm");
  ASSERT_TRUE(main && form);
  EXPECT_EQ(CollectLikeDriver(form).ok, nullptr);
  const std::vector<HWND> panels = DirectPanels(main);
  ASSERT_EQ(panels.size(), 3u);

  ClickToOpen(main, panels[1]);
  Click(panels[2], 5, 15, 0);
  ASSERT_TRUE(qip.Run(""));
  EXPECT_EQ(CountFrom(qip.Log(), "form open"), 0u);
  EXPECT_EQ(CollectLikeDriver(form).ok, nullptr);

  ClickToOpen(main, panels[2]);
  EXPECT_TRUE(IsWindowVisible(form));
  CloseForm(form);
  EXPECT_FALSE(IsWindowVisible(form));
  const FormControls controls = CollectLikeDriver(form);
  EXPECT_TRUE(controls.ok && controls.pictures && controls.longText && controls.shortText);
  EXPECT_EQ(qip.Window("TCusForm", 0), form);

  const Lines log = qip.Log();
  ExpectInOrder(log,
                {"click target=panel2", "click target=panel3 x=5 y=15",
                 "button target=panel3 action=down keys=1", "button target=panel3 action=up keys=0",
                 "click target=panel3", "form open", "controls create", "form show",
                 "syscommand target=form command=SC_CLOSE", "form hide"});
  EXPECT_EQ(CountFrom(log, "form open"), 1u);
}

TEST(QipStandin, WithTwoPanelsTheFormComesOnlyWithTheClick) {
  ClientProcess qip(QIP_EXE, TestFolder(), "qip.exe", "--panels 2 --form-later");
  HWND main = qip.Window("TMainForm");
  ASSERT_TRUE(main);
  EXPECT_EQ(qip.Window("TCusForm", 0), nullptr);
  const std::vector<HWND> panels = DirectPanels(main);
  ASSERT_EQ(panels.size(), 2u);

  for (int i = 0; i < 2; ++i) {
    SendMessageA(panels[1], WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(25, 5));
  }
  EXPECT_EQ(qip.Window("TCusForm", 0), nullptr);
  ASSERT_EQ(DirectPanels(main).size(), 2u);
  ClickToOpen(main, DirectPanels(main).back());
  HWND form = qip.Window("TCusForm", 0);
  ASSERT_TRUE(form);
  EXPECT_TRUE(IsWindowVisible(form));
  EXPECT_TRUE(CollectLikeDriver(form).ok);

  const Lines log = qip.Log();
  EXPECT_EQ(CountFrom(log, "button target=panel2 action=double keys=1 x=25 y=5"), 2u);
  ExpectInOrder(
      log, {"qip start account=\"123456\"", "button target=panel2 action=double",
            "click target=panel2", "form open", "form create", "controls create", "form show"});
}

TEST(QipStandin, UserTypesAStatusHangsAndQuits) {
  ClientProcess qip(QIP_EXE, TestFolder(), "qip.exe", "");
  HWND main = qip.Window("TMainForm");
  HWND form = qip.Window("TCusForm");
  ASSERT_TRUE(main && form);
  const FormControls controls = CollectLikeDriver(form);
  ASSERT_TRUE(controls.shortText && controls.longText);

  ASSERT_TRUE(qip.Run("show\ntype short Дома\ntype long Вернусь%0D%0Aпозже\npick 3\n"));
  EXPECT_TRUE(IsWindowVisible(form));
  EXPECT_EQ(TextOf(controls.shortText), "Дома");
  EXPECT_EQ(TextOf(controls.longText), "Вернусь\r\nпозже");
  EXPECT_EQ(SendMessageA(controls.pictures, CB_GETCURSEL, 0, 0), 3);
  ASSERT_TRUE(qip.Run("ok\naccount 555\n"));
  EXPECT_FALSE(IsWindowVisible(form));
  EXPECT_EQ(TextOf(main), "[qip] - 555");

  qip.Send("hang 1500\n");
  ASSERT_TRUE(qip.WaitForLine("hang ms=1500", 5000));
  DWORD_PTR answer = 0;
  EXPECT_EQ(SendMessageTimeoutA(controls.shortText, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 300,
                                &answer),
            0);
  ASSERT_TRUE(qip.WaitForLine("awake", 5000));
  EXPECT_NE(SendMessageTimeoutA(controls.shortText, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000,
                                &answer),
            0);
  EXPECT_EQ(answer, 4u);

  qip.Send("quit\n");
  EXPECT_EQ(qip.Finish(false), 0u);
  const Lines log = qip.Log();
  EXPECT_EQ(CountFrom(log, "settext "), 0u);
  EXPECT_EQ(CountFrom(log, "select "), 0u);
  ExpectInOrder(log, {"user show", "form show", "user type target=short text=\"Дома\"",
                      "user type target=long text=\"Вернусь%0D%0Aпозже\"", "user pick index=3",
                      "user ok", "confirm picture=3 status=\"Дома\" status2=\"Вернусь%0D%0Aпозже\"",
                      "file write path=\"" + qip.exePath().substr(0, qip.exePath().rfind('\\')) +
                          "\\Users\\123456\\_st_cust.txt\" picture=3 result=ok",
                      "form hide", "account account=\"555\" title=\"[qip] - 555\"", "hang ms=1500",
                      "awake", "quit reason=command", "qip exit code=0"});
}

}  // namespace
