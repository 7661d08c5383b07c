// Superclassed edit and combo boxes log WM_SETTEXT and CB_SETCURSEL before the system's
// class handles them; panels log their button messages and report clicks to the client.
#include "client_controls.h"

#include <map>

#include "client_core.h"

namespace standin {
namespace {

WNDPROC g_editProc = nullptr;
WNDPROC g_comboProc = nullptr;
PanelClickHandler g_onClick = nullptr;
bool g_quiet = false;
std::map<HWND, std::string> g_names;

constexpr LONG_PTR kPressed = 1;

std::string Name(HWND window) {
  const auto found = g_names.find(window);
  return found == g_names.end() ? std::string("unnamed") : found->second;
}

void LogSetText(HWND window, LPARAM lParam) {
  if (g_quiet) return;
  const char* text = reinterpret_cast<const char*>(lParam);
  WriteLog(LogLine("settext").Word("target", Name(window).c_str()).TextOrNone("text", text));
}

LRESULT EditMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT) LogSetText(window, lParam);
  if (message == WM_NCDESTROY) g_names.erase(window);
  return CallWindowProcA(g_editProc, window, message, wParam, lParam);
}

LRESULT ComboMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) g_names.erase(window);
  const LRESULT result = CallWindowProcA(g_comboProc, window, message, wParam, lParam);
  if (message == CB_SETCURSEL && !g_quiet) {
    WriteLog(LogLine("select")
                 .Word("target", Name(window).c_str())
                 .Number("index", static_cast<int>(wParam))
                 .Number("answer", static_cast<int>(result)));
  }
  return result;
}

void PaintPanel(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT area;
  GetClientRect(window, &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &area, EDGE_RAISED, BF_RECT);
  const std::string text = WindowTextOf(window);
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EndPaint(window, &paint);
}

void OnPanelButton(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LogButton(window, message, wParam, lParam);
  if (message == WM_LBUTTONDOWN) SetWindowLongPtrA(window, GWLP_USERDATA, kPressed);
  if (message != WM_LBUTTONUP || GetWindowLongPtrA(window, GWLP_USERDATA) != kPressed) return;
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  WriteLog(LogLine("click").Word("target", Name(window).c_str()).Number("x", x).Number("y", y));
  if (g_onClick) g_onClick(window, x, y);
}

LRESULT PanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      OnPanelButton(window, message, wParam, lParam);
      return 0;
    case WM_SHOWWINDOW:
      // Only a direct ShowWindow call: a parent that opens shows its children with lParam set.
      if (!g_quiet && lParam == 0) {
        WriteLog(LogLine("visible")
                     .Word("target", Name(window).c_str())
                     .Number("shown", wParam ? 1 : 0));
      }
      break;
    case WM_SETTEXT:
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_PAINT:
      PaintPanel(window);
      return 0;
    case WM_NCDESTROY:
      g_names.erase(window);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// No exception may leave a window procedure: the system that calls it is not C++.
LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return EditMessage(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT CALLBACK ComboProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return ComboMessage(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return PanelMessage(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

bool Superclass(HINSTANCE instance, const char* base, const char* name, WNDPROC proc,
                WNDPROC& baseProc) {
  WNDCLASSEXA info = {};
  info.cbSize = sizeof info;
  if (!GetClassInfoExA(nullptr, base, &info)) return false;
  baseProc = info.lpfnWndProc;
  info.lpfnWndProc = proc;
  info.hInstance = instance;
  info.lpszClassName = name;
  return RegisterClassExA(&info) != 0;
}

}  // namespace

bool RegisterControlClasses(HINSTANCE instance, PanelClickHandler onClick) {
  g_onClick = onClick;
  WNDCLASSEXA panel = {};
  panel.cbSize = sizeof panel;
  panel.lpfnWndProc = PanelProc;
  panel.hInstance = instance;
  panel.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  panel.lpszClassName = "TPanel";
  WNDPROC memoBase = nullptr;
  return Superclass(instance, "EDIT", "TEdit", EditProc, g_editProc) &&
         Superclass(instance, "EDIT", "TMemo", EditProc, memoBase) &&
         Superclass(instance, "COMBOBOX", "TComboBox", ComboProc, g_comboProc) &&
         RegisterClassExA(&panel) != 0;
}

HWND CreateControl(const char* className, const std::string& logName, const std::string& text,
                   DWORD style, HWND parent, int x, int y, int width, int height) {
  const QuietChanges quiet;
  HWND control = CreateWindowExA(0, className, text.c_str(), WS_CHILD | style, x, y, width, height,
                                 parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (control) g_names[control] = logName;
  return control;
}

void NameWindow(HWND window, const std::string& logName) {
  g_names[window] = logName;
}

std::string ControlName(HWND control) {
  return Name(control);
}

QuietChanges::QuietChanges() : was_(g_quiet) {
  g_quiet = true;
}
QuietChanges::~QuietChanges() {
  g_quiet = was_;
}

void LogButton(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
  const char* action = message == WM_LBUTTONDOWN ? "down"
                       : message == WM_LBUTTONUP ? "up"
                                                 : "double";
  WriteLog(LogLine("button")
               .Word("target", Name(target).c_str())
               .Word("action", action)
               .Number("keys", static_cast<int>(wParam))
               .Number("x", static_cast<short>(LOWORD(lParam)))
               .Number("y", static_cast<short>(HIWORD(lParam))));
}

void LogSysCommand(HWND target, WPARAM wParam) {
  LogLine line("syscommand");
  line.Word("target", Name(target).c_str());
  if ((wParam & 0xFFF0) == SC_CLOSE) {
    line.Word("command", "SC_CLOSE");
  } else {
    line.Number("command", static_cast<std::int64_t>(wParam));
  }
  WriteLog(line);
}

}  // namespace standin
