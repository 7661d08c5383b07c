// The module hooked into a host window of the test's own, in this process: which messages
// arm and stop the update timer, what one cycle hands the script and reads back, and that
// quit and config leave the host window as they found it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "plugin/wa_ipc.h"
#include "standin_session.h"
#include "test_paths.h"
#include "testbed/cycle_report/cycle_report.h"

#ifndef MODULE_OBSERVED_DLL
#error "MODULE_OBSERVED_DLL must name the module's test copy"
#endif

namespace {

constexpr char kHostClass[] = "TunepostTestHost";

// What the test's host answers and what it saw.
struct HostState {
  std::vector<LPARAM> queries;
  std::vector<std::vector<std::string>> reports;
  std::string path = "C:\\Музыка\\Кино\\01 Группа крови.mp3";
  std::string title = "Кино - Группа крови";
  std::string artist = "Кино";
  LRESULT playState = 1;
  int32_t length = 285;
  // Called when the host is asked for the playlist position: lets a test act in a cycle.
  void (*onPosition)(HWND) = nullptr;
};
HostState* gHost = nullptr;

std::vector<std::string> ReportTexts(const COPYDATASTRUCT& copy) {
  std::vector<std::string> texts;
  const char* data = static_cast<const char*>(copy.lpData);
  for (size_t at = 0; at < copy.cbData && texts.size() < 3; at += texts.back().size() + 1) {
    texts.emplace_back(data + at);
  }
  return texts;
}

LRESULT Answer(HWND window, WPARAM wParam, LPARAM code) {
  gHost->queries.push_back(code);
  switch (code) {
    case IPC_GETLISTPOS:
      if (gHost->onPosition) gHost->onPosition(window);
      return 0;
    case IPC_GETPLAYLISTFILE:
      return reinterpret_cast<LRESULT>(gHost->path.c_str());
    case IPC_GETPLAYLISTTITLE:
      return reinterpret_cast<LRESULT>(gHost->title.c_str());
    case IPC_ISPLAYING:
      return gHost->playState;
    case IPC_GET_BASIC_FILE_INFO:
      reinterpret_cast<basicFileInfoStruct*>(wParam)->length = gHost->length;
      return 1;
    case IPC_GET_EXTENDED_FILE_INFO: {
      auto* info = reinterpret_cast<extendedFileInfoStruct*>(wParam);
      if (!info || std::string(info->metadata) != "ARTIST") return 0;
      lstrcpynA(info->ret, gHost->artist.c_str(), static_cast<int>(info->retlen));
      return 1;
    }
    default:
      return 0;
  }
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WA_IPC && gHost) return Answer(window, wParam, lParam);
  if (message == WM_COPYDATA && gHost) {
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (copy->dwData == kCycleReportTag) gHost->reports.push_back(ReportTexts(*copy));
    return TRUE;
  }
  // The host keeps running whatever closing message it is shown.
  if (message == WM_CLOSE || message == WM_SYSCOMMAND || message == WM_QUERYENDSESSION ||
      message == WM_QUIT) {
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

using GetRecord = winampGeneralPurposePlugin* (*)();

class ModuleHook : public ::testing::Test {
 protected:
  void SetUp() override {
    gHost = &host_;
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, kHostClass, "host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
    ASSERT_NE(window_, nullptr);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = ScratchPath(std::string("hook-") + test->name());
    CreateDirectoryA(ScratchPath("").c_str(), nullptr);
    CreateDirectoryA(folder_.c_str(), nullptr);
    modulePath_ = folder_ + "\\gen_tunepost.dll";
    DeleteFileA((modulePath_ + ".script").c_str());
    ASSERT_TRUE(CopyFileA(SystemPath(MODULE_OBSERVED_DLL).c_str(), modulePath_.c_str(), FALSE));
    WriteSettings("");
  }
  void TearDown() override {
    if (record_) record_->quit();
    if (module_) FreeLibrary(module_);
    DestroyWindow(window_);
    gHost = nullptr;
  }
  void WriteSettings(const std::string& keys) {
    // Keys given by a test come first: the first of two equal keys is the one read. No tray
    // icon: the shell's own messages to the host window would arm the timer too.
    WriteBytes(modulePath_ + ".ini", "[ICQ client status]\r\nLang=Russian\r\n"
                                     "[ICQ client status_Russian]\r\n" + keys +
                                         "DelayV.Value=1\r\nSetTray.Value=0\r\n");
  }
  void WriteScript(const std::string& script) { WriteBytes(modulePath_ + ".script", script); }
  void Start() {
    module_ = LoadLibraryA(modulePath_.c_str());
    ASSERT_NE(module_, nullptr);
    FARPROC found = GetProcAddress(module_, "winampGetGeneralPurposePlugin");
    GetRecord get = nullptr;
    memcpy(&get, &found, sizeof get);
    ASSERT_NE(get, nullptr);
    record_ = get();
    record_->hwndParent = window_;
    record_->hDllInstance = module_;
    EXPECT_EQ(record_->init(), 0);
  }
  static void Pump(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  size_t Cycles() const { return host_.reports.size(); }
  WNDPROC Procedure() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window_, GWLP_WNDPROC)); }

  HostState host_;
  HWND window_ = nullptr;
  std::string folder_, modulePath_;
  HMODULE module_ = nullptr;
  winampGeneralPurposePlugin* record_ = nullptr;
};

TEST_F(ModuleHook, TrackQueriesNeverArmTheTimerAnyOtherMessageDoes) {
  Start();
  for (LPARAM code : {IPC_ISPLAYING, IPC_GETLISTPOS, IPC_GETPLAYLISTFILE, IPC_GETPLAYLISTTITLE,
                      IPC_GET_EXTENDED_FILE_INFO}) {
    SendMessageA(window_, WM_WA_IPC, 0, code);
  }
  Pump(1500);
  EXPECT_EQ(Cycles(), 0u);
  SendMessageA(window_, WM_NULL, 0, 0);
  Pump(1500);
  EXPECT_EQ(Cycles(), 1u);
}

TEST_F(ModuleHook, ClosingMessagesStopTheTimer) {
  Start();
  const struct {
    UINT message;
    WPARAM wParam;
  } closing[] = {{WM_CLOSE, 0}, {WM_QUERYENDSESSION, 0}, {WM_QUIT, 0}, {WM_SYSCOMMAND, SC_CLOSE}};
  for (const auto& c : closing) {
    SendMessageA(window_, WM_NULL, 0, 0);
    SendMessageA(window_, c.message, c.wParam, 0);
    Pump(1400);
    EXPECT_EQ(Cycles(), 0u) << c.message;
  }
  // Any other system command is no closing message: it arms the timer.
  SendMessageA(window_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  Pump(1400);
  EXPECT_EQ(Cycles(), 1u);
}

TEST_F(ModuleHook, QuitPutsTheHostsProcedureBack) {
  WNDPROC own = Procedure();
  Start();
  EXPECT_NE(Procedure(), own);
  record_->quit();
  EXPECT_EQ(Procedure(), own);
  record_ = nullptr;
}

TEST_F(ModuleHook, ConfigRestartsThePluginAsItWas) {
  Start();
  WNDPROC hooked = Procedure();
  {
    DialogWorker user([] { AnswerDialog(IDCANCEL); });
    record_->config();
  }
  EXPECT_EQ(Procedure(), hooked);
  SendMessageA(window_, WM_NULL, 0, 0);
  Pump(1500);
  EXPECT_EQ(Cycles(), 1u);
}

TEST_F(ModuleHook, TheScriptSeesTheTagsAndItsTextsComeBack) {
  WriteScript("Status=TAGArtist\r\nStatus2=TAGPlayState+\" \"+TAGLenght+\" \"+TAGListPos\r\n"
              "Tray=TAGDir1+\"\\n\"+TAGFile");
  host_.artist = "say \"hi\" " + std::string(1014, 'x');
  host_.playState = 3;
  host_.length = 3661;
  Start();
  SendMessageA(window_, WM_NULL, 0, 0);
  Pump(1500);
  ASSERT_EQ(Cycles(), 1u);
  ASSERT_EQ(host_.reports[0].size(), 3u);
  EXPECT_EQ(host_.reports[0][0], host_.artist) << "a 1,024-character tag arrives whole";
  EXPECT_EQ(host_.reports[0][1], "[PAUSE] 01:01:01 1");
  EXPECT_EQ(host_.reports[0][2], "Кино\r\n01 Группа крови");
}

TEST_F(ModuleHook, ACommandInsideACycleKeepsTheCyclesGoing) {
  WriteScript("Status=\"x\"");
  Start();
  host_.onPosition = [](HWND window) {
    // A play command arriving inside a cycle restarts the countdown at once.
    SendMessageA(window, WM_COMMAND, 40048, 0);
  };
  SendMessageA(window_, WM_NULL, 0, 0);
  Pump(2600);
  EXPECT_GE(Cycles(), 2u) << "the cycle that was interrupted by a command arms the timer again";
}

}  // namespace

namespace {

TEST_F(ModuleHook, ADelayOfZeroRunsAtTheTimersShortestInterval) {
  WriteSettings("DelayV.Value=0\r\n");
  Start();
  SendMessageA(window_, WM_NULL, 0, 0);
  Pump(600);
  EXPECT_GE(Cycles(), 3u);
}

}  // namespace
