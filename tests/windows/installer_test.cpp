// The installer and its uninstaller under Wine: a silent install into a folder that holds the
// stand-in player as winamp.exe, the player loading the module from there and running a
// cycle, the user's files left alone, the player's folder found from the registry, a running
// player closed first, and the uninstall with and without the user's settings.
#include <gtest/gtest.h>
#include <windows.h>

#include "standin_session.h"

#ifndef INSTALLER_EXE
#error "INSTALLER_EXE must name the installer"
#endif
#ifndef MODULE_DLL
#error "MODULE_DLL must name gen_tunepost.dll"
#endif

namespace {

const char kPlayerUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp";
const char kPlayerKey[] = "Software\\Winamp";
const char kOwnUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tunepost Open";
const char kPlayerClass[] = "Winamp v1.x";
constexpr DWORD kProgramLimitMs = 60000;

const char kPlaylist[] =
    "[entry]\r\npath=C:\\Музыка\\Кино\\01 Группа крови.mp3\r\nartist=Кино\r\n"
    "title=Группа крови\r\nlength=285\r\nbitrate=320\r\nsamplerate=44100\r\nchannels=2\r\n";
// A delay of one second: a cycle that soon shows that the module read this file.
const char kUserIni[] =
    "[ICQ client status]\r\nLang=Russian\r\n[ICQ client status_Russian]\r\nDelayV.Value=1\r\n";
const char kUserScript[] = "// my own\r\nStatus=TAGArtist\r\nStatus2=TAGTitle\r\nTray=TAGTitle\r\n";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(folder + "\\" + name);
      } else {
        DeleteFileA((folder + "\\" + name).c_str());
      }
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string MakePlayerFolder(const std::string& folder) {
  RemoveTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  EXPECT_TRUE(CopyFileA(WindowsPath(STANDIN_EXE).c_str(), (folder + "\\winamp.exe").c_str(), FALSE));
  return folder;
}

void SetRegistryText(HKEY root, const char* key, const char* name, const std::string& value) {
  HKEY opened = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr),
            ERROR_SUCCESS)
      << key;
  RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(opened);
}

std::string RegistryText(HKEY root, const char* key, const char* name) {
  char value[1024] = {};
  DWORD size = sizeof value - 1;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return "(no key)";
  LONG result = RegQueryValueExA(opened, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(opened);
  return result == ERROR_SUCCESS ? std::string(value) : "(no value)";
}

// A started program: its exit code once it ends, or 997 when it had to be ended.
class Program {
 public:
  explicit Program(std::string commandLine, const std::string& input = "") {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = readEnd;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    started_ = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                              &startup, &process_);
    CloseHandle(readEnd);
    DWORD written = 0;
    if (started_) WriteFile(writeEnd, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
    CloseHandle(writeEnd);
    EXPECT_TRUE(started_) << commandLine;
  }
  ~Program() { Wait(); }
  bool Ended(DWORD waitMs) const {
    return started_ && WaitForSingleObject(process_.hProcess, waitMs) == WAIT_OBJECT_0;
  }
  DWORD Wait() {
    if (!started_) return 998;
    if (code_ == STILL_ACTIVE) {
      code_ = 997;
      if (Ended(kProgramLimitMs)) {
        GetExitCodeProcess(process_.hProcess, &code_);
      } else {
        TerminateProcess(process_.hProcess, code_);
      }
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
    }
    return code_;
  }

 private:
  PROCESS_INFORMATION process_ = {};
  BOOL started_ = FALSE;
  DWORD code_ = STILL_ACTIVE;
};

// Compared as a whole, and not shown: a module's bytes tell a reader nothing.
void ExpectTheBuiltModule(const std::string& path) {
  const std::string installed = ReadBytes(path);
  EXPECT_FALSE(installed.empty()) << path;
  EXPECT_TRUE(installed == ReadBytes(WindowsPath(MODULE_DLL))) << path << " is not the module built";
}

bool WaitFor(bool (*done)(const std::string&), const std::string& argument, DWORD limitMs) {
  for (DWORD waited = 0; waited < limitMs; waited += 100) {
    if (done(argument)) return true;
    Sleep(100);
  }
  return done(argument);
}

class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch_ = std::string(temp) + "installer-" + test->name();
    RemoveTree(scratch_);
    CreateDirectoryA(scratch_.c_str(), nullptr);
    player_ = MakePlayerFolder(scratch_ + "\\Winamp");
    ForgetPlayer();
  }
  void TearDown() override {
    ForgetPlayer();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kOwnUninstallKey);
  }
  static void ForgetPlayer() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPlayerUninstallKey);
    HKEY player = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPlayerKey, 0, KEY_SET_VALUE, &player) == ERROR_SUCCESS) {
      RegDeleteValueA(player, nullptr);
      RegCloseKey(player);
    }
  }

  static DWORD Install(const std::string& options) {
    return Program("\"" + WindowsPath(INSTALLER_EXE) + "\" /S" + options).Wait();
  }
  // The uninstaller runs from a copy of itself, which removes the original last: its
  // disappearance means the uninstall has finished.
  void Uninstall(const std::string& options) {
    const std::string uninstaller = player_ + "\\Plugins\\uninstall_tunepost.exe";
    ASSERT_TRUE(Exists(uninstaller));
    EXPECT_EQ(Program("\"" + uninstaller + "\" /S" + options).Wait(), 0u);
    EXPECT_TRUE(WaitFor([](const std::string& path) { return !Exists(path); }, uninstaller, 30000))
        << "the uninstaller is still there";
  }
  void PutUserFiles() {
    CreateDirectoryA((player_ + "\\Plugins").c_str(), nullptr);
    WriteBytes(player_ + "\\Plugins\\gen_tunepost.dll.ini", kUserIni);
    WriteBytes(player_ + "\\Plugins\\gen_tunepost.dll.script", kUserScript);
  }
  void ExpectUserFilesKept() {
    EXPECT_EQ(ReadBytes(player_ + "\\Plugins\\gen_tunepost.dll.ini"), kUserIni);
    EXPECT_EQ(ReadBytes(player_ + "\\Plugins\\gen_tunepost.dll.script"), kUserScript);
  }
  std::string PlayerCommand() const {
    WriteBytes(player_ + "\\test.playlist", kPlaylist);
    return "\"" + player_ + "\\winamp.exe\" --playlist \"" + player_ + "\\test.playlist\" --log \"" +
           player_ + "\\player.log\"";
  }

  std::string scratch_, player_;
};

TEST_F(Installer, SilentInstallPutsTheModuleWhereThePlayerRunsIt) {
  PutUserFiles();
  ASSERT_EQ(Install(" /D=" + player_), 0u);
  ExpectTheBuiltModule(player_ + "\\Plugins\\gen_tunepost.dll");
  EXPECT_TRUE(Exists(player_ + "\\Plugins\\gen_tunepost-guide-ru.txt"));
  EXPECT_TRUE(Exists(player_ + "\\Plugins\\gen_tunepost-guide-en.txt"));
  ExpectUserFilesKept();
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kOwnUninstallKey, "UninstallString"),
            "\"" + player_ + "\\Plugins\\uninstall_tunepost.exe\"");

  // The player started from that folder finds the module in its own Plugins folder, and the
  // module, reading the user's delay of one second, asks a cycle's queries a second after play.
  ASSERT_EQ(Program(PlayerCommand(), "play\nwait 1800\nclose\n").Wait(), 0u);
  Lines log = ReadLines(player_ + "\\player.log");
  ExpectInOrder(log, {"plugin load path=\"" + player_ + "\\Plugins\\gen_tunepost.dll\" version=16",
                      "plugin init path=\"" + player_ + "\\Plugins\\gen_tunepost.dll\" result=0",
                      "command id=40045", "query code=125", "query code=211", "query code=291",
                      "query code=290", "query code=212", "query code=104", "query code=126",
                      "plugin quit", "window procedure=own", "player exit code=0"});
  ExpectUserFilesKept();
}

TEST_F(Installer, RefusesAFolderWithoutThePlayer) {
  DeleteFileA((player_ + "\\winamp.exe").c_str());
  EXPECT_EQ(Install(" /D=" + player_), 2u);
  EXPECT_FALSE(Exists(player_ + "\\Plugins\\gen_tunepost.dll"));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kOwnUninstallKey, "UninstallString"), "(no key)");
}

TEST_F(Installer, FindsThePlayerFromItsUninstallEntryThenItsOwnKey) {
  const std::string other = MakePlayerFolder(scratch_ + "\\Other Winamp");
  SetRegistryText(HKEY_LOCAL_MACHINE, kPlayerUninstallKey, "UninstallString",
                  "\"" + player_ + "\\UninstWA.exe\"");
  SetRegistryText(HKEY_CURRENT_USER, kPlayerKey, nullptr, other);
  ASSERT_EQ(Install(""), 0u);
  EXPECT_TRUE(Exists(player_ + "\\Plugins\\gen_tunepost.dll"));
  EXPECT_FALSE(Exists(other + "\\Plugins\\gen_tunepost.dll"));

  // An uninstall entry whose folder has no player is passed over for the player's own key.
  SetRegistryText(HKEY_LOCAL_MACHINE, kPlayerUninstallKey, "UninstallString",
                  "\"" + scratch_ + "\\Gone\\UninstWA.exe\"");
  ASSERT_EQ(Install(""), 0u);
  EXPECT_TRUE(Exists(other + "\\Plugins\\gen_tunepost.dll"));
}

TEST_F(Installer, FallsBackToProgramFiles) {
  char programFiles[MAX_PATH] = {};
  ASSERT_GT(ExpandEnvironmentStringsA("%ProgramFiles%", programFiles, sizeof programFiles), 0u);
  const std::string folder = MakePlayerFolder(std::string(programFiles) + "\\Winamp");
  EXPECT_EQ(Install(""), 0u);
  EXPECT_TRUE(Exists(folder + "\\Plugins\\gen_tunepost.dll"));
  RemoveTree(folder);
  // No player anywhere: nothing to install into.
  EXPECT_EQ(Install(""), 2u);
}

TEST_F(Installer, ClosesTheRunningPlayerFirst) {
  ASSERT_EQ(Install(" /D=" + player_), 0u);
  Program player(PlayerCommand(), "play\nwait 40000\n");
  ASSERT_TRUE(WaitFor([](const std::string& name) { return FindWindowA(name.c_str(), nullptr) != nullptr; },
                      kPlayerClass, 20000));
  // The player holds the module now; the installer has to close it to replace the module.
  EXPECT_EQ(Install(" /D=" + player_), 0u);
  EXPECT_TRUE(player.Ended(10000)) << "the player still runs";
  EXPECT_EQ(player.Wait(), 0u);
  ExpectInOrder(ReadLines(player_ + "\\player.log"),
                {"plugin init", "message name=WM_CLOSE", "plugin quit", "plugin unload", "player exit code=0"});
  ExpectTheBuiltModule(player_ + "\\Plugins\\gen_tunepost.dll");
}

TEST_F(Installer, SilentUninstallRemovesWhatItInstalledAndKeepsTheSettings) {
  PutUserFiles();
  WriteBytes(player_ + "\\Plugins\\gen_other.dll", "another plug-in");
  ASSERT_EQ(Install(" /D=" + player_), 0u);
  Uninstall("");
  EXPECT_FALSE(Exists(player_ + "\\Plugins\\gen_tunepost.dll"));
  EXPECT_FALSE(Exists(player_ + "\\Plugins\\gen_tunepost-guide-ru.txt"));
  EXPECT_FALSE(Exists(player_ + "\\Plugins\\gen_tunepost-guide-en.txt"));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kOwnUninstallKey, "UninstallString"), "(no key)");
  ExpectUserFilesKept();
  EXPECT_EQ(ReadBytes(player_ + "\\Plugins\\gen_other.dll"), "another plug-in");
  EXPECT_TRUE(Exists(player_ + "\\winamp.exe"));
}

TEST_F(Installer, SilentUninstallRemovesTheSettingsWhenTold) {
  PutUserFiles();
  ASSERT_EQ(Install(" /D=" + player_), 0u);
  Uninstall(" /REMOVESETTINGS");
  EXPECT_FALSE(Exists(player_ + "\\Plugins\\gen_tunepost.dll"));
  EXPECT_FALSE(Exists(player_ + "\\Plugins\\gen_tunepost.dll.ini"));
  EXPECT_FALSE(Exists(player_ + "\\Plugins\\gen_tunepost.dll.script"));
}

}  // namespace
