// Working the configuration dialog from a thread that is not its own.
#include "dialog_driver.h"

#include <vector>

const char kDialogTitle[] = "ICQ client status (Tunepost open)";
const char kMessageBoxTitle[] = "ICQ client status";

namespace {

constexpr DWORD kPollMs = 50;

struct Search {
  const char* title;
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
  Search& search = *reinterpret_cast<Search*>(param);
  char className[16] = {};
  char title[256] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  if (std::string(className) != "#32770" || std::string(title) != search.title) return TRUE;
  if (search.owner && GetWindow(window, GW_OWNER) != search.owner) return TRUE;
  if (!IsWindowVisible(window)) return TRUE;
  search.found = window;
  return FALSE;
}

std::string TextOf(HWND window) {
  LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::vector<char> buffer(static_cast<size_t>(length) + 2, '\0');
  SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  return buffer.data();
}

BOOL CALLBACK LongestStatic(HWND window, LPARAM param) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  std::string& longest = *reinterpret_cast<std::string*>(param);
  if (lstrcmpiA(className, "Static") == 0) {
    std::string text = TextOf(window);
    if (text.size() > longest.size()) longest = text;
  }
  return TRUE;
}

}  // namespace

HWND WaitForDialog(const char* title, DWORD waitMs, HWND owner) {
  DWORD start = GetTickCount();
  do {
    Search search{title, owner, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(kPollMs);
  } while (GetTickCount() - start < waitMs);
  return nullptr;
}

bool WaitUntilGone(HWND window, DWORD waitMs) {
  DWORD start = GetTickCount();
  while (IsWindow(window)) {
    if (GetTickCount() - start >= waitMs) return false;
    Sleep(kPollMs);
  }
  return true;
}

std::string DialogView::Text(int id) const {
  return TextOf(Item(id));
}

bool DialogView::Checked(int id) const {
  return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool DialogView::Enabled(int id) const {
  return IsWindowEnabled(Item(id)) != FALSE;
}

bool DialogView::Visible(int id) const {
  return (GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::vector<std::string> DialogView::Items(int id) const {
  // Asked in the wide form: between two processes Wine hands the ANSI form of an item
  // back as UTF-16.
  std::vector<std::string> items;
  LRESULT count = SendMessageW(Item(id), CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendMessageW(Item(id), CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::vector<wchar_t> wide(static_cast<size_t>(length < 0 ? 0 : length) + 2, L'\0');
    SendMessageW(Item(id), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()));
    std::vector<char> narrow(wide.size() * 2, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, narrow.data(), static_cast<int>(narrow.size()), nullptr,
                        nullptr);
    items.emplace_back(narrow.data());
  }
  return items;
}

int DialogView::Selection(int id) const {
  return static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0));
}

void DialogView::Click(int id) const {
  SendMessageA(Item(id), BM_CLICK, 0, 0);
}

void DialogView::ClickLater(int id) const {
  PostMessageA(Item(id), BM_CLICK, 0, 0);
}

void DialogView::Type(int id, const std::string& text) const {
  SendMessageA(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void DialogView::Pick(int id, int index) const {
  SendMessageA(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
}

std::string MessageBoxText(HWND box) {
  std::string longest;
  EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&longest));
  return longest;
}

void CloseMessageBox(HWND box) {
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

void AnswerDialog(int button) {
  DialogView view{WaitForDialog(kDialogTitle)};
  if (!view.dialog) return;
  view.ClickLater(button);
  WaitUntilGone(view.dialog);
}
