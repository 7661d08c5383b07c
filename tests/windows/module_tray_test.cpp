// The tray icon as the module hands it to the shell: every Shell_NotifyIconA call of a
// module loaded into this process is recorded on its way to the real shell, and the
// module's look-up of the shell's version can be answered with a version of the test's
// choosing. The host window is the test's own, with two of the host's icons.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin/wa_ipc.h"
#include "standin_session.h"
#include "test_paths.h"

#ifndef MODULE_DLL
#error "MODULE_DLL must name gen_tunepost.dll"
#endif

namespace {

constexpr char kHostClass[] = "TunepostTrayTestHost";
constexpr UINT kTrayCallback = 3732;

struct ShellCall {
  DWORD action;
  NOTIFYICONDATAA record;
  BOOL answer;
};

// What the shell was told, and the version the module is to find (0: the real one,
// -1: the probe fails, -2: shell32 has no DllGetVersion).
std::vector<ShellCall> gCalls;
int gFakeVersion = 0;
std::string gHostIni;
std::string gArtist;

decltype(&Shell_NotifyIconA) gRealNotify = nullptr;
decltype(&GetProcAddress) gRealGetProcAddress = nullptr;

BOOL WINAPI RecordingNotify(DWORD action, PNOTIFYICONDATAA data) {
  ShellCall call{action, {}, FALSE};
  std::memset(&call.record, 0, sizeof call.record);
  std::memcpy(&call.record, data, data->cbSize < sizeof call.record ? data->cbSize : sizeof call.record);
  call.answer = gRealNotify(action, data);
  gCalls.push_back(call);
  return call.answer;
}

HRESULT CALLBACK FakeDllGetVersion(DLLVERSIONINFO* info) {
  if (gFakeVersion == -1 || info->cbSize != sizeof(DLLVERSIONINFO)) return E_FAIL;
  info->dwMajorVersion = static_cast<DWORD>(gFakeVersion / 100);
  info->dwMinorVersion = static_cast<DWORD>(gFakeVersion % 100);
  return S_OK;
}

FARPROC WINAPI ChoosingGetProcAddress(HMODULE module, LPCSTR name) {
  bool byName = reinterpret_cast<ULONG_PTR>(name) > 0xFFFF;
  if (gFakeVersion != 0 && byName && std::string(name) == "DllGetVersion") {
    if (gFakeVersion == -2) return nullptr;
    FARPROC fake;
    auto function = &FakeDllGetVersion;
    std::memcpy(&fake, &function, sizeof fake);
    return fake;
  }
  return gRealGetProcAddress(module, name);
}

// The module's import slot of a function, found through its import table.
void** ImportSlot(HMODULE module, const char* dll, const char* function) {
  auto* base = reinterpret_cast<unsigned char*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
       import->Name != 0; ++import) {
    if (lstrcmpiA(reinterpret_cast<char*>(base + import->Name), dll) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::string(reinterpret_cast<char*>(byName->Name)) == function) {
        return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

template <typename F>
bool Redirect(HMODULE module, const char* dll, const char* function, F replacement, F& original) {
  void** slot = ImportSlot(module, dll, function);
  if (!slot) return false;
  DWORD protection = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
  std::memcpy(&original, slot, sizeof original);
  std::memcpy(slot, &replacement, sizeof replacement);
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return true;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WA_IPC && lParam == IPC_GETINIFILE) return reinterpret_cast<LRESULT>(gHostIni.c_str());
  if (message == WM_WA_IPC && lParam == IPC_ISPLAYING) return 1;
  if (message == WM_WA_IPC && lParam == IPC_GET_EXTENDED_FILE_INFO) {
    auto* info = reinterpret_cast<extendedFileInfoStruct*>(wParam);
    if (!info || std::string(info->metadata) != "ARTIST") return 0;
    lstrcpynA(info->ret, gArtist.c_str(), static_cast<int>(info->retlen));
    return 1;
  }
  if (message == WM_WA_IPC) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

using GetRecord = winampGeneralPurposePlugin* (*)();

class ModuleTray : public ::testing::Test {
 protected:
  void SetUp() override {
    gCalls.clear();
    gFakeVersion = 0;
    gArtist.clear();
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, kHostClass, "host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
    ASSERT_NE(window_, nullptr);
    CreateDirectoryA(ScratchPath("").c_str(), nullptr);
    gHostIni = ScratchPath("tray-host.ini");
    SetHostIcon("0");
  }
  void TearDown() override {
    Stop();
    DestroyWindow(window_);
  }
  static void SetHostIcon(const std::string& sticon) {
    WriteBytes(gHostIni, "[Winamp]\r\nsticon=" + sticon + "\r\n");
  }
  // A copy of the module of its own for each start, so that each start begins at module load.
  void Start(const std::string& keys, const std::string& script = "") {
    std::string folder = ScratchPath("tray-" + std::to_string(++starts_) + "-" +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string path = folder + "\\gen_tunepost.dll";
    ASSERT_TRUE(CopyFileA(SystemPath(MODULE_DLL).c_str(), path.c_str(), FALSE));
    WriteBytes(path + ".ini", "[ICQ client status]\r\nLang=Russian\r\n[ICQ client status_Russian]\r\n" + keys);
    DeleteFileA((path + ".script").c_str());
    if (!script.empty()) WriteBytes(path + ".script", script);
    module_ = LoadLibraryA(path.c_str());
    ASSERT_NE(module_, nullptr);
    ASSERT_TRUE(Redirect(module_, "shell32.dll", "Shell_NotifyIconA", &RecordingNotify, gRealNotify));
    ASSERT_TRUE(Redirect(module_, "kernel32.dll", "GetProcAddress", &ChoosingGetProcAddress, gRealGetProcAddress));
    FARPROC found = GetProcAddress(module_, "winampGetGeneralPurposePlugin");
    GetRecord get = nullptr;
    std::memcpy(&get, &found, sizeof get);
    ASSERT_NE(get, nullptr);
    record_ = get();
    record_->hwndParent = window_;
    record_->hDllInstance = module_;
    ASSERT_EQ(record_->init(), 0);
  }
  void Stop() {
    if (record_) record_->quit();
    record_ = nullptr;
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }
  std::vector<ShellCall> Calls(DWORD action) const {
    std::vector<ShellCall> found;
    for (const ShellCall& call : gCalls) {
      if (call.action == action) found.push_back(call);
    }
    return found;
  }
  // The balloon the icon's mouse-over asks for.
  ShellCall MouseOver() {
    size_t before = gCalls.size();
    SendMessageA(window_, kTrayCallback, 1000, WM_MOUSEMOVE);
    EXPECT_EQ(gCalls.size(), before + 1);
    return gCalls.empty() ? ShellCall{} : gCalls.back();
  }
  static void Pump(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }

  HWND window_ = nullptr;
  HMODULE module_ = nullptr;
  winampGeneralPurposePlugin* record_ = nullptr;
  int starts_ = 0;
};

TEST_F(ModuleTray, TheIconComesWithEnableAndSetTrayAndGoesAtQuit) {
  const struct {
    const char* keys;
    bool added;
  } cases[] = {{"", true}, {"SetTray.Value=0\r\n", false}, {"Enable.Value=0\r\n", false}};
  for (const auto& c : cases) {
    gCalls.clear();
    Start(c.keys);
    ASSERT_GE(gCalls.size(), 1u) << c.keys;
    EXPECT_EQ(gCalls[0].action, static_cast<DWORD>(NIM_DELETE)) << "set-up removes first";
    std::vector<ShellCall> adds = Calls(NIM_ADD);
    ASSERT_EQ(adds.size(), c.added ? 1u : 0u) << c.keys;
    if (c.added) {
      const NOTIFYICONDATAA& added = adds[0].record;
      EXPECT_EQ(added.hWnd, window_);
      EXPECT_EQ(added.uID, 1000u);
      EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
      EXPECT_EQ(added.uCallbackMessage, kTrayCallback);
      EXPECT_NE(added.hIcon, nullptr);
      EXPECT_STREQ(added.szTip, "");
      EXPECT_TRUE(adds[0].answer) << "the shell took the icon";
    }
    size_t before = gCalls.size();
    Stop();
    ASSERT_EQ(gCalls.size(), before + 1);
    EXPECT_EQ(gCalls.back().action, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(gCalls.back().record.uID, 1000u);
    EXPECT_EQ(gCalls.back().answer, c.added ? TRUE : FALSE) << "only an icon that was added is removed";
  }
}

TEST_F(ModuleTray, TheRecordSizeFollowsTheShellVersion) {
  const struct {
    int version;
    DWORD size;
  } cases[] = {{0, 504}, {600, 504}, {500, 488}, {601, 488}, {471, 88}, {-1, 88}, {-2, 88}};
  for (const auto& c : cases) {
    gCalls.clear();
    gFakeVersion = c.version;
    Start("");
    std::vector<ShellCall> adds = Calls(NIM_ADD);
    ASSERT_EQ(adds.size(), 1u) << c.version;
    EXPECT_EQ(adds[0].record.cbSize, c.size) << c.version;
    Stop();
  }
}

TEST_F(ModuleTray, TheHostsIconAsItsIniNamesItOrTheModulesOwn) {
  HINSTANCE host = GetModuleHandleA(nullptr);
  const struct {
    const char* sticon;
    const char* hostIcon;
  } cases[] = {{"3", "#163"}, {"0", "#102"}, {"", "#102"}, {"5", nullptr}, {"20", nullptr}, {"-1", nullptr}};
  for (const auto& c : cases) {
    gCalls.clear();
    SetHostIcon(c.sticon);
    Start("");
    std::vector<ShellCall> adds = Calls(NIM_ADD);
    ASSERT_EQ(adds.size(), 1u);
    HICON expected = c.hostIcon ? LoadIconA(host, c.hostIcon) : LoadIconA(module_, "MAINICON");
    ASSERT_NE(expected, nullptr) << c.sticon;
    EXPECT_EQ(adds[0].record.hIcon, expected) << "sticon=" << c.sticon;
    Stop();
  }
}

TEST_F(ModuleTray, TheBalloonTimeOutIsTheUpdateDelay) {
  const struct {
    const char* keys;
    UINT timeout;
  } cases[] = {{"DelayV.Value=10\r\n", 10000}, {"DelayV.Value=\r\n", 5000}, {"DelayV.Value=-3\r\n", 3000}};
  for (const auto& c : cases) {
    Start(c.keys);
    ShellCall call = MouseOver();
    EXPECT_EQ(call.action, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(call.record.uTimeout, c.timeout) << c.keys;
    EXPECT_EQ(call.record.uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_EQ(call.record.dwInfoFlags, static_cast<DWORD>(NIIF_INFO | NIIF_NOSOUND));
    EXPECT_EQ(call.record.uID, 1000u);
    Stop();
  }
}

TEST_F(ModuleTray, TheBalloonTitleIsTheFirstLineAndItsTextTheRest) {
  const std::string longLine(100, 'a');
  const std::string longBody(300, 'b');
  const struct {
    std::string artist, title, text;
  } cases[] = {
      {"Song\\nArtist: X", "Song", "Artist: X"},
      {"Song", "Song", ""},
      {longLine + "\\nx", longLine.substr(0, 63), "x"},
      {"t\\n" + longBody, "t", longBody.substr(0, 255)},
      {"t\\none\\ntwo", "t", "one\r\ntwo"},
  };
  Start("DelayV.Value=1\r\n", "Tray=TAGArtist");
  for (const auto& c : cases) {
    gArtist = c.artist;
    // A play command restarts the countdown; one cycle later the tray text is the new one.
    SendMessageA(window_, WM_COMMAND, 40045, 0);
    Pump(1400);
    ShellCall call = MouseOver();
    EXPECT_EQ(call.action, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(std::string(call.record.szInfoTitle), c.title) << c.artist;
    EXPECT_EQ(std::string(call.record.szInfo), c.text) << c.artist;
  }
}

TEST_F(ModuleTray, TheCallbackIsIgnoredWithoutSetTray) {
  Start("SetTray.Value=0\r\n");
  size_t before = gCalls.size();
  SendMessageA(window_, kTrayCallback, 1000, WM_MOUSEMOVE);
  EXPECT_EQ(gCalls.size(), before);
}

}  // namespace
