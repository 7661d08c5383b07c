// Reading windows of other processes, and collecting them under filters.
#include "support/window_win.h"

#include <set>

namespace {

// Class names are at most 256 characters; 1024 leaves room.
constexpr int kClassNameBuffer = 1024;
// Captions and texts up to this fit the first buffer of ReadWindowTexts; longer ones grow it.
constexpr int kTextBuffer = 1024;

std::set<DWORD> gUnansweredProcesses;

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

int TextLengthOf(HWND handle) {
  return static_cast<int>(SendToWindow(handle, WM_GETTEXTLENGTH, 0, 0));
}

bool ListAccepts(const TWindowsAr& list, HWND h) {
  if ((list.ClassFilter + list.CaptionFilter + list.TextFilter).empty()) return true;
  Text nul(1, '\0');
  if (!list.ClassFilter.empty() &&
      (list.ClassFilter + nul).find(WindowClassName(h) + nul) != Text::npos) {
    return true;
  }
  if (!list.CaptionFilter.empty() && SameText(list.CaptionFilter, WindowCaption(h))) return true;
  return !list.TextFilter.empty() && SameText(list.TextFilter, WindowText(h));
}

BOOL CALLBACK CollectOne(HWND h, LPARAM data) {
  TWindowsAr& list = *reinterpret_cast<TWindowsAr*>(data);
  if (ListAccepts(list, h) && list.Count < kMaxListedWindows) list.Windows[list.Count++] = h;
  // The walk always runs to its end, also when the list is full.
  return TRUE;
}

}  // namespace

LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == nullptr) return 0;
  DWORD process = ProcessOf(window);
  if (process == GetCurrentProcessId()) return SendMessageA(window, message, wParam, lParam);
  if (gUnansweredProcesses.count(process) != 0) return 0;
  // Not every system keeps the time limit for every message (Wine waits out a hung window
  // for the text messages): a plain WM_NULL asks first whether the window answers at all.
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                           kClientAnswerLimitMs, &answer) ||
      !SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                           kClientAnswerLimitMs, &answer)) {
    gUnansweredProcesses.insert(process);
    return 0;
  }
  return static_cast<LRESULT>(answer);
}

bool IsUnanswered(HWND window) {
  return window != nullptr && gUnansweredProcesses.count(ProcessOf(window)) != 0;
}

void ForgetUnansweredProcesses() {
  gUnansweredProcesses.clear();
}

bool IsLiveWindow(HWND handle) {
  return handle != nullptr && IsWindow(handle);
}

bool ReadWindowTexts(HWND handle, Text* caption, Text* className, Text* text) {
  if (caption) caption->clear();
  if (className) className->clear();
  if (text) text->clear();
  if (!IsLiveWindow(handle)) return false;
  int size = kTextBuffer;
  if (GetWindowTextLengthA(handle) + 2 > size) size = GetWindowTextLengthA(handle) + 2;
  if (TextLengthOf(handle) + 2 > size) size = TextLengthOf(handle) + 2;
  std::vector<char> buffer = AllocZeroed(static_cast<size_t>(size));
  GetClassNameA(handle, buffer.data(), size);
  if (className) *className = TextFromBuffer(buffer.data());
  GetWindowTextA(handle, buffer.data(), size);
  if (caption) *caption = TextFromBuffer(buffer.data());
  buffer.assign(buffer.size(), '\0');
  SendToWindow(handle, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer.data()));
  if (text) *text = TextFromBuffer(buffer.data());
  return true;
}

Text WindowClassName(HWND handle) {
  if (!IsLiveWindow(handle)) return Text();
  std::vector<char> buffer = AllocZeroed(kClassNameBuffer);
  GetClassNameA(handle, buffer.data(), kClassNameBuffer);
  return TextFromBuffer(buffer.data());
}

Text WindowText(HWND handle) {
  if (!IsLiveWindow(handle)) return Text();
  int size = TextLengthOf(handle) + 2;
  std::vector<char> buffer = AllocZeroed(static_cast<size_t>(size));
  SendToWindow(handle, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer.data()));
  return TextFromBuffer(buffer.data());
}

Text WindowCaption(HWND handle) {
  if (!IsLiveWindow(handle)) return Text();
  int size = GetWindowTextLengthA(handle) + 2;
  std::vector<char> buffer = AllocZeroed(static_cast<size_t>(size));
  GetWindowTextA(handle, buffer.data(), size);
  return TextFromBuffer(buffer.data());
}

void ReadWindowEx(TWindowEx& window) {
  if (window.Handle == nullptr) return;
  ReadWindowTexts(window.Handle, &window.Caption, &window.ClassName, &window.Text);
}

int32_t CollectChildWindows(HWND parent, TWindowsAr& list) {
  // With no parent, EnumChildWindows is documented to walk the top-level windows, but not
  // every system does so (Wine enumerates nothing): walk them with EnumWindows instead.
  if (parent == nullptr) {
    EnumWindows(CollectOne, reinterpret_cast<LPARAM>(&list));
  } else {
    EnumChildWindows(parent, CollectOne, reinterpret_cast<LPARAM>(&list));
  }
  return list.Count;
}
