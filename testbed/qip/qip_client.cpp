// The stand-in QIP. A click near the right end of the main window's last panel opens the
// status form; a click on the form's "OK" adopts what the form shows, logs it and stores it
// in "_st_cust.txt"; the system close command only hides the form.
#include "qip_client.h"

#include "client_controls.h"
#include "client_core.h"
#include "status_file.h"

namespace standin {
namespace {

QipClient* g_client = nullptr;

constexpr int kMainWidth = 220;
constexpr int kPanelHeight = 24;
// How far from a panel's right end a click still opens the status form.
constexpr int kOpeningReach = 40;
constexpr int kFormWidth = 300;
constexpr int kFormHeight = 160;

const char* const kPictureNames[kPictureCount] = {
    "Нет картинки", "Злюсь",  "Принимаю ванну", "Устал",       "Праздную",    "Пью пиво",
    "Думаю",        "Ем",     "Смотрю ТВ",      "Встречаюсь",  "Пью кофе",    "Слушаю музыку",
    "Дела",         "Снимаю", "Развлекаюсь",    "На телефоне", "Играю",       "Учусь",
    "Покупаю",      "Болею",  "Сплю",           "Сёрфинг",     "В интернете", "Работаю",
    "Печатаю",      "Пикник", "Готовлю",        "Курю",        "Люблю",       "В дороге"};

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

void OnPanelClick(HWND panel, int x, int y) {
  if (g_client) g_client->OnPanelClick(panel, x, y);
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

const char* TimingName(FormTiming timing) {
  switch (timing) {
    case FormTiming::kWindowOnClick:
      return "later";
    case FormTiming::kControlsOnClick:
      return "controls-later";
    default:
      return "at-start";
  }
}

}  // namespace

bool QipClient::Start(HINSTANCE instance, const QipSetup& setup) {
  g_client = this;
  instance_ = instance;
  setup_ = setup;
  adopted_ = {setup.picture, setup.status, setup.status2};
  if (!RegisterControlClasses(instance, standin::OnPanelClick) ||
      !RegisterWindowClass(instance, "TMainForm", MainProc) ||
      !RegisterWindowClass(instance, "TCusForm", FormProc) || !CreateMainWindow(instance))
    return false;
  WriteLog(LogLine("qip start")
               .Text("account", setup_.account)
               .Text("title", WindowTextOf(main_))
               .Text("exe", ProgramPath())
               .Text("file", ProfileFile())
               .Number("panels", static_cast<int>(panels_.size()))
               .Word("form", TimingName(setup_.timing)));
  if (setup_.timing != FormTiming::kWindowOnClick) CreateFormWindow();
  if (setup_.timing == FormTiming::kAtStart) CreateFormControls();
  return form_ != nullptr || setup_.timing == FormTiming::kWindowOnClick;
}

void QipClient::Stop() {
  DestroyForm();
  if (main_) DestroyWindow(main_);
  main_ = nullptr;
  g_client = nullptr;
}

bool QipClient::CreateMainWindow(HINSTANCE instance) {
  RECT frame = {0, 0, kMainWidth, kPanelHeight * setup_.panels};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  main_ = CreateWindowExA(0, "TMainForm", "", WS_OVERLAPPEDWINDOW, 40, 40, frame.right - frame.left,
                          frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!main_) return false;
  NameWindow(main_, "main");
  SetAccount(setup_.account, setup_.title);
  CreatePanels();
  ShowWindow(main_, SW_SHOWNOACTIVATE);
  return true;
}

// The panels fill the main window's width, one below the other; the first holds a panel
// of its own, which is not a direct child of the main window.
void QipClient::CreatePanels() {
  for (int i = 0; i < setup_.panels; ++i) {
    const std::string name = "panel" + std::to_string(i + 1);
    panels_.push_back(CreateControl("TPanel", name, "Панель " + std::to_string(i + 1), WS_VISIBLE,
                                    main_, 0, i * kPanelHeight, kMainWidth, kPanelHeight));
  }
  CreateControl("TPanel", "inner", "", WS_VISIBLE, panels_.front(), 2, 2, 20, kPanelHeight - 4);
}

void QipClient::SetAccount(const std::string& account, const std::string& title) {
  setup_.account = account;
  const QuietChanges quiet;
  SetWindowTextA(main_, (title.empty() ? "[qip] - " + account : title).c_str());
}

std::string QipClient::ProfileFile() const {
  return FolderOf(ProgramPath()) + "Users\\" + setup_.account + "\\_st_cust.txt";
}

// The last direct panel of the main window, as a walk over them finds it, opens the form.
bool QipClient::IsOpeningClick(HWND panel, int x, int y) const {
  HWND last = nullptr;
  for (HWND found = nullptr; (found = FindWindowExA(main_, found, "TPanel", nullptr)) != nullptr;)
    last = found;
  RECT area;
  GetClientRect(panel, &area);
  return panel == last && x < area.right && x >= area.right - kOpeningReach && y >= 0 &&
         y < area.bottom;
}

void QipClient::OnPanelClick(HWND panel, int x, int y) {
  if (panel == ok_ && ok_) {
    Confirm();
    HideForm();
  } else if (IsOpeningClick(panel, x, y)) {
    OpenForm();
  }
}

void QipClient::OpenForm() {
  WriteLog(LogLine("form open"));
  CreateFormWindow();
  CreateFormControls();
  ShowForm();
}

void QipClient::CreateFormWindow() {
  if (form_) return;
  RECT frame = {0, 0, kFormWidth, kFormHeight};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRect(&frame, style, FALSE);
  form_ = CreateWindowExA(0, "TCusForm", "Дополнительный статус", style, 300, 40,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                          instance_, nullptr);
  NameWindow(form_, "form");
  WriteLog(LogLine("form create"));
}

// The picture list and the two boxes lie on a panel of their own; the first box met in a
// walk over the form holds the long text. Two more panels are hidden.
void QipClient::CreateFormControls() {
  if (!form_ || ok_) return;
  HWND box = CreateControl("TPanel", "box", "", WS_VISIBLE, form_, 0, 0, kFormWidth, 110);
  pictures_ = CreateControl("TComboBox", "pictures", "", WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                            box, 8, 8, 284, 300);
  long_ = CreateControl("TEdit", "long", adopted_.status2, WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                        box, 8, 44, 284, 22);
  short_ = CreateControl("TEdit", "short", adopted_.status, WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                         box, 8, 76, 284, 22);
  ok_ = CreateControl("TPanel", "ok", "OK", WS_VISIBLE, form_, 8, 122, 80, 28);
  CreateControl("TPanel", "cancel", "Отмена", 0, form_, 96, 122, 80, 28);
  CreateControl("TPanel", "extra", "", 0, form_, 184, 122, 108, 28);
  const QuietChanges quiet;
  for (const char* name : kPictureNames)
    SendMessageA(pictures_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  SendMessageA(pictures_, CB_SETCURSEL, static_cast<WPARAM>(adopted_.picture), 0);
  WriteLog(LogLine("controls create"));
}

void QipClient::ShowForm() {
  if (!form_ || IsWindowVisible(form_)) return;
  ShowWindow(form_, SW_SHOWNOACTIVATE);
  WriteLog(LogLine("form show"));
}

void QipClient::HideForm() {
  if (!form_ || !IsWindowVisible(form_)) return;
  ShowWindow(form_, SW_HIDE);
  WriteLog(LogLine("form hide"));
}

void QipClient::DestroyForm() {
  if (!form_) return;
  DestroyWindow(form_);
  form_ = pictures_ = long_ = short_ = ok_ = nullptr;
  WriteLog(LogLine("form destroy"));
}

void QipClient::Confirm() {
  adopted_.picture = static_cast<int>(SendMessageA(pictures_, CB_GETCURSEL, 0, 0));
  adopted_.status = WindowTextOf(short_);
  adopted_.status2 = WindowTextOf(long_);
  WriteLog(LogLine("confirm")
               .Number("picture", adopted_.picture)
               .Text("status", adopted_.status)
               .Text("status2", adopted_.status2));
  StoreInFile();
}

// Without a picture there is no entry to keep the texts in.
void QipClient::StoreInFile() {
  if (adopted_.picture < 0 || adopted_.picture >= kPictureCount) return;
  unsigned long error = 0;
  const std::string path = ProfileFile();
  LogLine line("file write");
  line.Text("path", path).Number("picture", adopted_.picture);
  if (StoreStatus(path, adopted_.picture, adopted_.status, adopted_.status2, error)) {
    line.Word("result", "ok");
  } else {
    line.Word("result", "failed").Number("error", static_cast<std::int64_t>(error));
  }
  WriteLog(line);
}

LRESULT QipClient::MainMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    WriteLog(LogLine("close").Word("target", "main"));
    RequestQuit();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT QipClient::FormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND) {
    LogSysCommand(window, wParam);
    if ((wParam & 0xFFF0) != SC_CLOSE) return DefWindowProcA(window, message, wParam, lParam);
    HideForm();
    return 0;
  }
  if (message == WM_CLOSE) {
    HideForm();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

Outcome QipClient::Type(const std::string& argument) {
  const std::string::size_type space = argument.find(' ');
  const std::string which = argument.substr(0, space);
  std::string text;
  if (!DecodeTyped(space == std::string::npos ? "" : argument.substr(space + 1), text))
    return Outcome::kError;
  HWND box = which == "short" ? short_ : which == "long" ? long_ : nullptr;
  if (!box) return Outcome::kError;
  WriteLog(LogLine("user type").Word("target", which.c_str()).Text("text", text));
  const QuietChanges quiet;
  SetWindowTextA(box, text.c_str());
  return Outcome::kContinue;
}

Outcome QipClient::Pick(const std::string& argument) {
  long index = 0;
  if (!pictures_ || !ParseNumber(argument, index) || index < 0 || index >= kPictureCount)
    return Outcome::kError;
  WriteLog(LogLine("user pick").Number("index", index));
  const QuietChanges quiet;
  SendMessageA(pictures_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return Outcome::kContinue;
}

Outcome QipClient::Execute(const std::string& word, const std::string& argument) {
  if (word == "type") return Type(argument);
  if (word == "pick") return Pick(argument);
  if (word == "account" && !argument.empty()) {
    SetAccount(argument, "");
    WriteLog(LogLine("account").Text("account", argument).Text("title", WindowTextOf(main_)));
    return Outcome::kContinue;
  }
  if (!argument.empty()) return Outcome::kError;
  if (word == "ok" && ok_) {
    WriteLog(LogLine("user ok"));
    Confirm();
    HideForm();
  } else if (word == "show") {
    WriteLog(LogLine("user show"));
    OpenForm();
  } else if (word == "hide" && form_) {
    WriteLog(LogLine("user hide"));
    HideForm();
  } else if (word == "destroy-form" && form_) {
    DestroyForm();
  } else {
    return Outcome::kError;
  }
  return Outcome::kContinue;
}

}  // namespace standin
