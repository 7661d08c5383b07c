// The stand-in R&Q. Its status form takes clicks on a grid of picture cells (rows of 7,
// cell 0 around (20, 50)), confirms the texts of its boxes on Enter, and only hides itself
// on the system close command.
#include "rnq_client.h"

#include "client_controls.h"
#include "client_core.h"

namespace standin {
namespace {

RnqClient* g_client = nullptr;

constexpr int kColumns = 7;
constexpr int kRows = 5;
constexpr int kCellWidth = 30;
constexpr int kCellHeight = 25;
// The top left corner of cell 0: its middle is at (20, 50).
constexpr int kGridLeft = 5;
constexpr int kGridTop = 38;
constexpr int kFormWidth = 230;
constexpr int kFormHeight = 290;

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (g_client) return g_client->MainMessage(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (g_client) return g_client->FormMessage(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC proc) {
  WNDCLASSEXA info = {};
  info.cbSize = sizeof info;
  info.lpfnWndProc = proc;
  info.hInstance = instance;
  info.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  info.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  info.lpszClassName = name;
  return RegisterClassExA(&info) != 0;
}

// The cell under a point, or -1 outside the grid.
int CellAt(int x, int y) {
  const int column = (x - kGridLeft) / kCellWidth;
  const int row = (y - kGridTop) / kCellHeight;
  if (x < kGridLeft || y < kGridTop || column >= kColumns || row >= kRows) return -1;
  return row * kColumns + column;
}

RECT CellRect(int cell) {
  const int left = kGridLeft + (cell % kColumns) * kCellWidth;
  const int top = kGridTop + (cell / kColumns) * kCellHeight;
  return {left, top, left + kCellWidth, top + kCellHeight};
}

}  // namespace

bool RnqClient::Start(HINSTANCE instance, const RnqSetup& setup) {
  g_client = this;
  setup_ = setup;
  selected_ = setup.picture;
  if (!RegisterControlClasses(instance, nullptr) ||
      !RegisterWindowClass(instance, "TRnQmain", MainProc) ||
      !RegisterWindowClass(instance, "TxStatusForm", FormProc) || !CreateWindows(instance))
    return false;
  WriteLog(LogLine("rnq start")
               .Text("account", setup_.account)
               .Text("title", WindowTextOf(main_))
               .Text("exe", ProgramPath()));
  return true;
}

void RnqClient::Stop() {
  DestroyForm();
  if (main_) DestroyWindow(main_);
  main_ = nullptr;
  g_client = nullptr;
}

bool RnqClient::CreateWindows(HINSTANCE instance) {
  main_ = CreateWindowExA(0, "TRnQmain", "", WS_OVERLAPPEDWINDOW, 300, 220, 200, 120, nullptr,
                          nullptr, instance, nullptr);
  RECT frame = {0, 0, kFormWidth, kFormHeight};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRect(&frame, style, FALSE);
  form_ = CreateWindowExA(0, "TxStatusForm", "Расширенный статус", style, 520, 40,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                          instance, nullptr);
  if (!main_ || !form_) return false;
  NameWindow(main_, "main");
  NameWindow(form_, "form");
  SetAccount(setup_.account, setup_.title);
  edit_ = CreateControl("TEdit", "short", setup_.status, WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                        form_, 5, 170, 220, 22);
  memo_ = CreateControl(
      "TMemo", "long", setup_.status2,
      WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, form_, 5,
      198, 220, 86);
  ShowWindow(main_, SW_SHOWNOACTIVATE);
  return edit_ && memo_;
}

void RnqClient::SetAccount(const std::string& account, const std::string& title) {
  setup_.account = account;
  SetWindowTextA(main_, (title.empty() ? "R&Q - " + account : title).c_str());
}

void RnqClient::OnButton(UINT message, WPARAM wParam, LPARAM lParam) {
  LogButton(form_, message, wParam, lParam);
  if (message == WM_LBUTTONDOWN) pressed_ = true;
  if (message != WM_LBUTTONUP || !pressed_) return;
  pressed_ = false;
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  const int cell = CellAt(x, y);
  LogLine line("click");
  line.Word("target", "form").Number("x", x).Number("y", y);
  if (cell < 0) {
    line.Word("cell", "none");
  } else {
    line.Number("cell", cell);
  }
  WriteLog(line);
  if (cell >= 0) SelectCell(cell);
}

void RnqClient::SelectCell(int cell) {
  selected_ = cell;
  InvalidateRect(form_, nullptr, TRUE);
}

void RnqClient::OnKey(UINT message, WPARAM wParam) {
  WriteLog(LogLine("key")
               .Word("target", "form")
               .Word("action", message == WM_KEYDOWN ? "down" : "up")
               .Number("key", static_cast<int>(wParam)));
  if (message == WM_KEYDOWN && wParam == VK_RETURN) Confirm();
}

void RnqClient::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(form_, &paint);
  for (int cell = 0; cell < kColumns * kRows; ++cell) {
    RECT area = CellRect(cell);
    DrawEdge(dc, &area, cell == selected_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  }
  EndPaint(form_, &paint);
}

void RnqClient::ShowForm() {
  if (!form_ || IsWindowVisible(form_)) return;
  ShowWindow(form_, SW_SHOWNOACTIVATE);
  WriteLog(LogLine("form show"));
}

void RnqClient::HideForm() {
  if (!form_ || !IsWindowVisible(form_)) return;
  ShowWindow(form_, SW_HIDE);
  WriteLog(LogLine("form hide"));
}

void RnqClient::DestroyForm() {
  if (!form_) return;
  DestroyWindow(form_);
  form_ = edit_ = memo_ = nullptr;
  WriteLog(LogLine("form destroy"));
}

void RnqClient::Confirm() {
  WriteLog(LogLine("confirm")
               .Number("picture", selected_)
               .Text("status", WindowTextOf(edit_))
               .Text("status2", WindowTextOf(memo_)));
}

LRESULT RnqClient::MainMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    WriteLog(LogLine("close").Word("target", "main"));
    RequestQuit();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT RnqClient::FormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      OnButton(message, wParam, lParam);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      OnKey(message, wParam);
      return 0;
    case WM_SYSCOMMAND:
      LogSysCommand(window, wParam);
      if ((wParam & 0xFFF0) != SC_CLOSE) break;
      HideForm();
      return 0;
    case WM_CLOSE:
      HideForm();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

Outcome RnqClient::Type(const std::string& argument) {
  const std::string::size_type space = argument.find(' ');
  const std::string which = argument.substr(0, space);
  std::string text;
  if (!DecodeTyped(space == std::string::npos ? "" : argument.substr(space + 1), text))
    return Outcome::kError;
  HWND box = which == "short" ? edit_ : which == "long" ? memo_ : nullptr;
  if (!box) return Outcome::kError;
  WriteLog(LogLine("user type").Word("target", which.c_str()).Text("text", text));
  const QuietChanges quiet;
  SetWindowTextA(box, text.c_str());
  return Outcome::kContinue;
}

Outcome RnqClient::Pick(const std::string& argument) {
  long cell = 0;
  if (!form_ || !ParseNumber(argument, cell) || cell < 0 || cell >= kColumns * kRows)
    return Outcome::kError;
  WriteLog(LogLine("user pick").Number("index", cell));
  SelectCell(static_cast<int>(cell));
  return Outcome::kContinue;
}

Outcome RnqClient::Execute(const std::string& word, const std::string& argument) {
  if (word == "type") return Type(argument);
  if (word == "pick") return Pick(argument);
  if (word == "account" && !argument.empty()) {
    SetAccount(argument, "");
    WriteLog(LogLine("account").Text("account", argument).Text("title", WindowTextOf(main_)));
    return Outcome::kContinue;
  }
  if (!argument.empty() || (!form_ && word != "show")) return Outcome::kError;
  if (word == "enter") {
    WriteLog(LogLine("user enter"));
    Confirm();
  } else if (word == "show" && form_) {
    WriteLog(LogLine("user show"));
    ShowForm();
  } else if (word == "hide") {
    WriteLog(LogLine("user hide"));
    HideForm();
  } else if (word == "destroy-form") {
    DestroyForm();
  } else {
    return Outcome::kError;
  }
  return Outcome::kContinue;
}

}  // namespace standin
