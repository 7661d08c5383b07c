// Window utilities against real windows: texts read whole, the three filters, the limit of
// the list and the walk over the top-level windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "other_process.h"
#include "support/window_win.h"

namespace {

// A window whose WM_GETTEXT answer differs from its caption, as the clients' controls do.
constexpr char kSpeakingClass[] = "TunepostTestSpeaking";
const char* gSpokenText = "spoken";

LRESULT CALLBACK SpeakingProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(strlen(gSpokenText));
  if (msg == WM_GETTEXT) {
    lstrcpynA(reinterpret_cast<char*>(l), gSpokenText, static_cast<int>(w));
    return static_cast<LRESULT>(strlen(reinterpret_cast<char*>(l)));
  }
  return DefWindowProcA(h, msg, w, l);
}

struct WindowCloser {
  void operator()(HWND h) const { DestroyWindow(h); }
};
using Window = std::unique_ptr<std::remove_pointer<HWND>::type, WindowCloser>;

class WindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const char* name : {"TMainForm", "TRnQmain", "Form", "Panel", kSpeakingClass}) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = name == kSpeakingClass ? SpeakingProc : DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = name;
      RegisterClassA(&wc);
    }
  }
  HWND Make(const char* className, const char* caption, HWND parent = nullptr) {
    DWORD style = parent ? WS_CHILD : WS_OVERLAPPED;
    HWND h = CreateWindowExA(0, className, caption, style, 0, 0, 10, 10, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(h, nullptr) << className;
    windows_.emplace_back(h);
    return h;
  }
  HWND MakeParent() { return Make("Panel", "parent"); }
  std::vector<Window> windows_;
};

TEST_F(WindowTest, DeadHandlesGiveEmptyTexts) {
  EXPECT_FALSE(IsLiveWindow(nullptr));
  HWND h = Make("TMainForm", "gone");
  DestroyWindow(h);
  windows_.back().release();
  EXPECT_FALSE(IsLiveWindow(h));
  Text caption = "old", className = "old", text = "old";
  EXPECT_FALSE(ReadWindowTexts(h, &caption, &className, &text));
  EXPECT_EQ(caption + className + text, "");
  EXPECT_EQ(WindowClassName(h) + WindowCaption(h) + WindowText(h), "");
  TWindowEx w;
  w.Handle = h;
  w.Caption = "old";
  ReadWindowEx(w);
  EXPECT_EQ(w.Handle, h);
  EXPECT_EQ(w.Caption, "");
}

TEST_F(WindowTest, ThreeTextsAreReadSeparately) {
  OtherProcessWindow other("TCusForm", "Заголовок", "spoken");
  HWND h = other.handle();
  Text caption, className, text;
  EXPECT_TRUE(ReadWindowTexts(h, &caption, &className, &text));
  EXPECT_EQ(caption, "Заголовок");
  EXPECT_EQ(className, "TCusForm");
  EXPECT_EQ(text, "spoken");
  EXPECT_EQ(WindowCaption(h), "Заголовок");
  EXPECT_EQ(WindowText(h), "spoken");
  TWindowEx w;
  w.Handle = h;
  ReadWindowEx(w);
  EXPECT_EQ(w.Text, "spoken");
  EXPECT_EQ(w.Caption, "Заголовок");
  EXPECT_EQ(w.ClassName, "TCusForm");
  TWindowEx none;
  ReadWindowEx(none);
  EXPECT_EQ(none.ClassName, "");
}

TEST_F(WindowTest, FiltersOnAnotherProcessUseCaptionOrText) {
  OtherProcessWindow other("TunepostTestOther", "Caption", "Text");
  TWindowsAr byCaption;
  byCaption.CaptionFilter = "caption";
  CollectChildWindows(nullptr, byCaption);
  ASSERT_EQ(byCaption.Count, 1);
  EXPECT_EQ(byCaption.Windows[0], other.handle());
  TWindowsAr byText;
  byText.TextFilter = "TEXT";
  CollectChildWindows(nullptr, byText);
  ASSERT_EQ(byText.Count, 1);
  EXPECT_EQ(byText.Windows[0], other.handle());
}

TEST_F(WindowTest, LongTextsAreReadWhole) {
  Text longText(3000, 'x');
  longText += "end";
  gSpokenText = longText.c_str();
  HWND h = Make(kSpeakingClass, longText.c_str());
  Text caption, text;
  EXPECT_TRUE(ReadWindowTexts(h, &caption, nullptr, &text));
  EXPECT_EQ(caption, longText);
  EXPECT_EQ(text, longText);
  EXPECT_EQ(WindowText(h), longText);
  EXPECT_EQ(WindowCaption(h), longText);
  gSpokenText = "spoken";
}

TEST_F(WindowTest, NoFilterTakesTheFirst21) {
  HWND parent = MakeParent();
  std::vector<HWND> children;
  for (int i = 0; i < 25; ++i) children.push_back(Make("Form", "child", parent));
  TWindowsAr list;
  EXPECT_EQ(CollectChildWindows(parent, list), 21);
  for (int i = 0; i < 21; ++i) EXPECT_EQ(list.Windows[i], children[i]) << i;
  EXPECT_EQ(CollectChildWindows(parent, list), 21);  // full: further matches are dropped
}

TEST_F(WindowTest, ClassFilterTakesListedNamesAndTheirTails) {
  HWND parent = MakeParent();
  HWND main = Make("TMainForm", "", parent);
  HWND rnq = Make("TRnQmain", "", parent);
  HWND tail = Make("Form", "", parent);
  Make("Panel", "", parent);
  Make(kSpeakingClass, "", parent);
  TWindowsAr list;
  list.ClassFilter = Text("TMainForm\0TRnQmain\0", 19);
  ASSERT_EQ(CollectChildWindows(parent, list), 3);
  EXPECT_EQ(list.Windows[0], main);
  EXPECT_EQ(list.Windows[1], rnq);
  EXPECT_EQ(list.Windows[2], tail);
}

TEST_F(WindowTest, CaptionAndTextFiltersIgnoreCase) {
  HWND parent = MakeParent();
  HWND ok = Make("Form", "ok", parent);
  HWND ok2 = Make("Form", "Ok", parent);
  Make("Form", "Cancel", parent);
  HWND spoken = Make(kSpeakingClass, "other", parent);
  TWindowsAr byCaption;
  byCaption.CaptionFilter = "OK";
  ASSERT_EQ(CollectChildWindows(parent, byCaption), 2);
  EXPECT_EQ(byCaption.Windows[0], ok);
  EXPECT_EQ(byCaption.Windows[1], ok2);
  TWindowsAr byText;
  byText.TextFilter = "SPOKEN";
  ASSERT_EQ(CollectChildWindows(parent, byText), 1);
  EXPECT_EQ(byText.Windows[0], spoken);
  // The filters are alternatives: either one takes a window.
  TWindowsAr either;
  either.CaptionFilter = "ok";
  either.TextFilter = "spoken";
  EXPECT_EQ(CollectChildWindows(parent, either), 3);
}

TEST_F(WindowTest, GrandchildrenAreWalkedAndListsAppend) {
  HWND parent = MakeParent();
  HWND child = Make("Panel", "", parent);
  HWND grandchild = Make("TMainForm", "", child);
  TWindowsAr list;
  list.ClassFilter = Text("TMainForm\0", 10);
  EXPECT_EQ(CollectChildWindows(parent, list), 1);
  EXPECT_EQ(list.Windows[0], grandchild);
  EXPECT_EQ(CollectChildWindows(parent, list), 2);
  EXPECT_EQ(list.Windows[1], grandchild);
}

TEST_F(WindowTest, NoParentWalksTheTopLevelWindows) {
  HWND top = Make("TRnQmain", "top-level test window");
  TWindowsAr list;
  list.CaptionFilter = "TOP-LEVEL TEST WINDOW";
  ASSERT_EQ(CollectChildWindows(nullptr, list), 1);
  EXPECT_EQ(list.Windows[0], top);
}

}  // namespace
