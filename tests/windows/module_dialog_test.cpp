// The configuration dialog opened through the player's config entry and worked from this
// process the way a user works it: what it shows, what its switches enable, what OK and
// Cancel leave in the files, the Test button's message, and another language's captions.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "client_process.h"
#include "dialog_driver.h"
#include "standin_session.h"
#include "test_paths.h"

#ifndef MODULE_OBSERVED_DLL
#error "MODULE_OBSERVED_DLL must name the module's test copy"
#endif
#ifndef MODULE_DLL
#error "MODULE_DLL must name gen_tunepost.dll"
#endif

namespace {

const char kPlaylist[] =
    "[entry]\r\npath=C:\\Музыка\\Кино\\01 Группа крови.mp3\r\nlisttitle=Кино - Группа крови\r\n"
    "artist=Кино\r\ntitle=Группа крови\r\nlength=285\r\n";

const char kQuickSettings[] =
    "[ICQ client status]\r\nLang=Russian\r\n[ICQ client status_Russian]\r\nDelayV.Value=1\r\n";

// Ids of the dialog's own buttons and of the setting controls.
constexpr int kDefault = 3, kReset = 5, kTest = 6;
constexpr int kEnable = 1000, kIfPicture = 1002, kIfAny = 1003, kAbout = 1012, kAccount = 1013,
              kAllCopies = 1014, kOneCopy = 1015, kDelay = 1018, kLang = 1024, kScript = 1028;
const int kHiddenControls[] = {1008, 1020, 1004, 1001, 1017, 1009, 1010, 1007, 1016, 1025};
const int kButtons[] = {IDOK, IDCANCEL, kDefault, 4, kReset, kTest};

bool HasControl(const DialogView& view, int id) {
  return view.Item(id) != nullptr;
}

class ModuleDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.AddPlugin(MODULE_OBSERVED_DLL, "gen_tunepost.dll");
    ini_ = session_.plugins() + "\\gen_tunepost.dll.ini";
    script_ = session_.plugins() + "\\gen_tunepost.dll.script";
  }
  // Plays, opens the configuration and lets work drive the dialog while the player waits
  // in config; a dialog that work leaves open is cancelled. Then the player plays on.
  template <typename Work>
  Lines Configure(Work work, const std::string& after = "play\nwait 1600\n",
                  const std::string& before = "play\nwait 200\n") {
    unsigned long code = 0;
    std::thread player([&] { code = session_.Run(kPlaylist, before + "config\n" + after + "stop\n"); });
    DialogView view{WaitForDialog(kDialogTitle)};
    EXPECT_NE(view.dialog, nullptr) << "the configuration dialog did not open";
    if (view.dialog) {
      work(view);
      if (IsWindow(view.dialog)) {
        view.ClickLater(IDCANCEL);
        WaitUntilGone(view.dialog);
      }
    }
    player.join();
    EXPECT_EQ(code, 0u);
    return session_.Log();
  }
  // The reports of the cycles that ran after the dialog had closed.
  Lines ReportsAfterConfig(const Lines& log) const {
    Lines reports;
    for (size_t at = FindFrom(log, 0, "plugin config-done"); at < log.size(); ++at) {
      if (StartsWith(log[at], "report ")) reports.push_back(log[at]);
    }
    return reports;
  }

  StandinSession session_;
  std::string ini_, script_;
};

std::string DefaultScript() {
  return ReadBytes(TestDataPath("resources/default.script"));
}

TEST_F(ModuleDialog, TheBuiltInDefaultsAsTheDialogShowsThem) {
  Configure([](DialogView& view) {
    EXPECT_TRUE(view.Checked(kEnable));
    EXPECT_EQ(view.Items(kDelay), Lines({"1", "2", "5", "10", "15", "30"}));
    EXPECT_EQ(view.Text(kDelay), "5");
    EXPECT_EQ(view.Items(kLang), Lines({"Russian"}));
    EXPECT_EQ(view.Selection(kLang), 0);
    EXPECT_FALSE(view.Enabled(kAccount)) << "only one copy of the client is not chosen";
    EXPECT_EQ(view.Text(kScript), DefaultScript());
    const struct {
      int id;
      const char* text;
    } captions[] = {
        {1023, " Общие "},
        {kEnable, "Включен"},
        {1019, "Задержка установки статуса"},
        {kAllCopies, "Во всех запущенных копиях клиента"},
        {kOneCopy, "Только для №"},
        {1021, " Статус "},
        {1029, "Изменять статус если:"},
        {kIfPicture, "Установлена картинка Music (#12)"},
        {kIfAny, "При любом статусе"},
        {1030, "Где менять статус:"},
        {1005, "Status - в основной части (20 символов)"},
        {1006, "Status2 - в дополнительой строке"},
        {1011, "Tray - на значке в трее"},
        {1026, "Совместимость с другими ICQ-клиентами"},
        {1027, "Добавить в меню винампа настройку плагина"},
        {kAbout, "v1.54 / Tunepost Open"},
        {1017, "Разрешить принудительное открытие \r\nокна статуса (только QIP)"},
        {1008, "Восстановить статус после закрытия"},
    };
    for (const auto& caption : captions) EXPECT_EQ(view.Text(caption.id), caption.text) << caption.id;
    const struct {
      int id;
      bool checked;
    } states[] = {{kAllCopies, true}, {kOneCopy, false}, {kIfPicture, false}, {kIfAny, true},
                  {1005, false},      {1006, true},      {1011, true},        {1026, true},
                  {1027, true},       {1008, true},      {1004, false},       {1001, false}};
    for (const auto& state : states) EXPECT_EQ(view.Checked(state.id), state.checked) << state.id;
    for (int id : kHiddenControls) {
      EXPECT_TRUE(HasControl(view, id)) << id;
      EXPECT_FALSE(view.Visible(id)) << id;
    }
    EXPECT_EQ(view.Text(1009), "Музыка") << "a hidden combo is filled like the others";
    EXPECT_EQ(view.Text(1007), "") << "an empty value selects no item";
    EXPECT_FALSE(HasControl(view, 1022));
  });
  EXPECT_EQ(ReadBytes(ini_), "") << "Cancel writes no settings file";
  EXPECT_EQ(ReadBytes(script_), "");
}

TEST_F(ModuleDialog, ClearingEnableDisablesEverySettingButTheAccountChoice) {
  Configure([](DialogView& view) {
    view.Click(kOneCopy);
    ASSERT_TRUE(view.Enabled(kAccount));
    view.Click(kEnable);
    EXPECT_FALSE(view.Checked(kEnable));
    EXPECT_TRUE(view.Enabled(kEnable));
    for (int id = 1001; id <= 1030; ++id) {
      if (!HasControl(view, id) || id == kAccount) continue;
      EXPECT_FALSE(view.Enabled(id)) << id;
    }
    EXPECT_TRUE(view.Enabled(kAccount)) << "the account combo follows the copy choice alone";
    for (int id : kButtons) EXPECT_TRUE(view.Enabled(id)) << id;
    view.Click(kEnable);
    EXPECT_TRUE(view.Enabled(1005));
  });
}

TEST_F(ModuleDialog, EachRadioPairKeepsOneCheckedAndLeavesTheOtherPairAlone) {
  WriteBytes(ini_, kQuickSettings);
  Configure([](DialogView& view) {
    const struct {
      int click;
      bool ifPicture, ifAny, allCopies, oneCopy;
    } steps[] = {
        {kIfPicture, true, false, true, false}, {kIfPicture, true, false, true, false},
        {kOneCopy, true, false, false, true},   {kIfAny, false, true, false, true},
        {kAllCopies, false, true, true, false}, {kOneCopy, false, true, false, true},
    };
    for (const auto& step : steps) {
      view.Click(step.click);
      EXPECT_EQ(view.Checked(kIfPicture), step.ifPicture) << step.click;
      EXPECT_EQ(view.Checked(kIfAny), step.ifAny) << step.click;
      EXPECT_EQ(view.Checked(kAllCopies), step.allCopies) << step.click;
      EXPECT_EQ(view.Checked(kOneCopy), step.oneCopy) << step.click;
      EXPECT_EQ(view.Enabled(kAccount), step.oneCopy) << step.click;
    }
    view.Click(IDOK);
  });
  std::string ini = ReadBytes(ini_);
  for (const char* key : {"IfPicture.Value=0", "IfAny.Value=1", "AllQIP.Value=0", "AllQIPNo.Value=1"}) {
    EXPECT_NE(ini.find(key), std::string::npos) << key;
  }
}

TEST_F(ModuleDialog, OkWritesBothFilesEvenUnchangedAndThePluginRunsOn) {
  WriteBytes(ini_, kQuickSettings);
  Lines log = Configure([](DialogView& view) { view.Click(IDOK); });
  std::string ini = ReadBytes(ini_);
  for (const char* key : {"Enable.Value=1\r\n", "DelayV.Value=1\r\n", "Lang.Caption=||Russian||\r\n",
                          "FormatScript.Caption=\r\n", "grSet.Caption=\r\n"}) {
    EXPECT_NE(ini.find(key), std::string::npos) << key;
  }
  EXPECT_EQ(ReadBytes(script_), DefaultScript());
  EXPECT_FALSE(ReportsAfterConfig(log).empty()) << "the plug-in runs again after the dialog";
}

TEST_F(ModuleDialog, OkPutsTheTypedScriptToWork) {
  WriteBytes(ini_, kQuickSettings);
  const std::string typed = "Status2=\"typed \"+TAGArtist\r\nTray=\"\"";
  Lines log = Configure([&](DialogView& view) {
    view.Type(kScript, typed);
    view.Click(IDOK);
  });
  EXPECT_EQ(ReadBytes(script_), typed);
  Lines reports = ReportsAfterConfig(log);
  ASSERT_FALSE(reports.empty());
  EXPECT_NE(reports.back().find("\"typed Кино\""), std::string::npos) << reports.back();
}

TEST_F(ModuleDialog, CancelAndEscapeLeaveBothFilesAsTheyWere) {
  const std::string ini = std::string(kQuickSettings) + "SetTray.Value=0\r\n";
  const std::string script = "Status2=\"from the file\"";
  WriteBytes(ini_, ini);
  WriteBytes(script_, script);
  for (bool escape : {false, true}) {
    Lines log = Configure([escape](DialogView& view) {
      view.Type(kScript, "Status2=\"typed\"");
      view.Click(kEnable);
      view.Click(1011);
      if (escape) {
        // The key goes to a check box, which leaves Escape to the dialog.
        PostMessageA(view.Item(1011), WM_KEYDOWN, VK_ESCAPE, 0);
      } else {
        view.Click(IDCANCEL);
      }
      EXPECT_TRUE(WaitUntilGone(view.dialog)) << "escape " << escape;
    });
    EXPECT_EQ(ReadBytes(ini_), ini) << "escape " << escape;
    EXPECT_EQ(ReadBytes(script_), script);
    Lines reports = ReportsAfterConfig(log);
    ASSERT_FALSE(reports.empty()) << "the plug-in runs on with the settings of the files";
    EXPECT_NE(reports.back().find("\"from the file\""), std::string::npos) << reports.back();
  }
}

TEST_F(ModuleDialog, TestShowsTheDiagnosticsOrTheNoErrorLineAndTheThreeResults) {
  const struct {
    const char* script;
    const char* message;
  } cases[] = {
      {"Status=TAGArtist\r\nStatus2=foo(1)",
       " не найдено значение foo\r\n\r\n\r\n=== Status2 ===\r\nError\r\n=== Status ===\r\nКино\r\n"
       "===  Tray  ===\r\n"},
      {"Status=TAGArtist\r\nStatus2=\"first\\nsecond\"\r\nTray=TAGTitle",
       "ошибок синтаксиса не найдено (хотя это не означает что их нет :( )\r\n\r\n=== Status2 ===\r\n"
       "first\r\nsecond\r\n=== Status ===\r\nКино\r\n===  Tray  ===\r\nГруппа крови"},
  };
  WriteBytes(ini_, kQuickSettings);
  Configure([&](DialogView& view) {
    for (const auto& c : cases) {
      view.Type(kScript, c.script);
      view.ClickLater(kTest);
      HWND box = WaitForDialog(kMessageBoxTitle, 20000, view.dialog);
      ASSERT_NE(box, nullptr) << c.script;
      EXPECT_EQ(MessageBoxText(box), c.message);
      CloseMessageBox(box);
      ASSERT_TRUE(WaitUntilGone(box));
    }
  });
  EXPECT_EQ(ReadBytes(script_), "") << "Test saves nothing";
}

// Every setting's key name, in id order from 1000.
const char* const kKeys[] = {"Enable", "IfStatus", "IfPicture", "IfAny", "SetPicture", "SetStatus",
                             "SetLongStatus", "LongStatus", "SaveRestore", "Picture", "Status",
                             "SetTray", "About", "CustomQIP", "AllQIP", "AllQIPNo", "Tray",
                             "AllowOpen", "DelayV", "DelayT", "grQIP", "grIf", "grSet", "grMain",
                             "Lang", "VirtPlayState", "Compatible", "AddInMenu", "FormatScript",
                             "lblChangeIf", "lblChangeWhere"};
const int kComboIds[] = {1007, 1009, 1010, 1013, 1016, 1018, 1024, 1025};

bool IsCombo(int id) {
  for (int combo : kComboIds) {
    if (combo == id) return true;
  }
  return false;
}

TEST_F(ModuleDialog, AnotherLanguageTranslatesEveryCaptionAndBringsItsValues) {
  std::string english = "[ICQ client status_English]\r\n";
  for (int id = 1000; id <= 1030; ++id) {
    std::string key = kKeys[id - 1000];
    if (id == kLang) continue;
    english += key + ".Caption=" + (IsCombo(id) ? "||en " + key + "||en 2||" : "en " + key) + "\r\n";
  }
  english += "Enable.Value=0\r\nDelayV.Value=en 2\r\nLang.Caption=||Russian||English||\r\n";
  WriteBytes(ini_, std::string(kQuickSettings) + "Lang.Caption=||Russian||English||\r\n" + english);
  Configure([](DialogView& view) {
    view.Type(kScript, "Status=\"typed, then dropped\"");
    ASSERT_EQ(view.Items(kLang), Lines({"Russian", "English"}));
    view.Pick(kLang, 1);
    for (int id = 1000; id <= 1030; ++id) {
      std::string key = kKeys[id - 1000];
      if (!HasControl(view, id) || id == kScript) continue;
      if (IsCombo(id)) {
        EXPECT_EQ(view.Items(id), Lines({id == kLang ? "Russian" : "en " + key, id == kLang ? "English" : "en 2"}))
            << key;
      } else if (id == kAbout) {
        EXPECT_EQ(view.Text(id), "v1.54 / Tunepost Open") << "the version label is the module's own";
      } else {
        EXPECT_EQ(view.Text(id), "en " + key) << key;
      }
    }
    EXPECT_FALSE(view.Checked(kEnable)) << "the values are the new language's too";
    EXPECT_EQ(view.Text(kDelay), "en 2");
    EXPECT_EQ(view.Text(kLang), "English");
    EXPECT_EQ(view.Text(kScript), DefaultScript()) << "the typed script is dropped";
  });
}

// A running QIP with a custom status file, which one update cycle before the dialog finds.
class ModuleDialogReset : public ModuleDialog {
 protected:
  void SetUp() override {
    ModuleDialog::SetUp();
    WriteBytes(ini_, kQuickSettings);
    qip_.reset(new ClientProcess(QIP_EXE, TestFolder(), "qip.exe", "--account 123456 --picture 2"));
    ASSERT_NE(qip_->Window("TMainForm"), nullptr);
    std::string exe = SnapshotExePath(qip_->pid());
    std::string users = exe.substr(0, exe.rfind('\\') + 1) + "Users";
    CreateDirectoryA(users.c_str(), nullptr);
    CreateDirectoryA((users + "\\123456").c_str(), nullptr);
    file_ = users + "\\123456\\_st_cust.txt";
    backup_ = file_ + ".Tunepost";
    WriteBytes(file_, kOwnTexts);
  }
  void TearDown() override { qip_.reset(); }

  static constexpr const char* kOwnTexts =
      "#custom_status_descr#\r\nЗлой#custom_status_descr#Не беспокоить\r\n"
      "#custom_status_descr#\r\n#custom_status_descr#\r\nДома#CUSTOM_STATUS_DESCR#Вернусь к вечеру";
  std::unique_ptr<ClientProcess> qip_;
  std::string file_, backup_;
};

TEST_F(ModuleDialogReset, TheBackupIsMadeAtTheFirstPressAndKeptAfterwards) {
  Configure(
      [&](DialogView& view) {
        // The cycle and the stop before the dialog have been at the file too.
        const std::string atFirstPress = ReadBytes(file_);
        ASSERT_FALSE(atFirstPress.empty());
        view.Click(kReset);
        EXPECT_EQ(ReadBytes(backup_), atFirstPress);
        WriteBytes(file_, "Пиво#custom_status_descr#Пятница\r\n");
        view.Click(kReset);
        EXPECT_EQ(ReadBytes(backup_), atFirstPress) << "a backup that exists is never replaced";
      },
      "", "play\nwait 1600\n");
  Lines log = qip_->Log();
  size_t angry = 0, pictures = 0;
  std::string lastConfirm;
  for (const std::string& line : log) {
    angry += line == "confirm picture=1 status=\"Злой\" status2=\"Не беспокоить\"";
    pictures += line == "confirm picture=4 status=\"Дома\" status2=\"Вернусь к вечеру\"";
    if (StartsWith(line, "confirm ")) lastConfirm = line;
    EXPECT_EQ(line.find("Пиво"), std::string::npos) << "the second press reads the backup, not the file";
  }
  EXPECT_EQ(angry, 2u) << "each press writes every line of the backup";
  EXPECT_EQ(pictures, 2u) << "the separator is found in any letter case";
  EXPECT_TRUE(StartsWith(lastConfirm, "confirm picture=2 ")) << "the picture selected at the start comes last";
}

TEST_F(ModuleDialogReset, AfterDefaultTheResetHasNoClientToWorkOn) {
  Configure(
      [&](DialogView& view) {
        view.Click(kDefault);
        view.Click(kReset);
        EXPECT_EQ(ReadBytes(backup_), "") << "the default settings hold no client";
      },
      "", "play\nwait 1600\n");
  for (const std::string& line : qip_->Log()) {
    EXPECT_EQ(line.find("Злой"), std::string::npos) << "nothing of the file reaches QIP";
  }
}

// The shipped module's resources, read as the system reads them.
class ModuleResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(SystemPath(MODULE_DLL).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  std::string Resource(const char* type, const char* name) const {
    HRSRC found = FindResourceA(module_, name, type);
    HGLOBAL loaded = found ? LoadResource(module_, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return bytes ? std::string(bytes, SizeofResource(module_, found)) : std::string();
  }
  HMODULE module_ = nullptr;
};

TEST_F(ModuleResources, DialogScriptIconAndVersion) {
  std::string dialog = Resource(MAKEINTRESOURCEA(5), "#101");
  ASSERT_GE(dialog.size(), sizeof(DLGTEMPLATE));
  DLGTEMPLATE header;
  memcpy(&header, dialog.data(), sizeof header);
  EXPECT_EQ(header.style, 0x90C00954u);
  EXPECT_EQ(header.cdit, 38);
  EXPECT_EQ(header.cx, 373);
  EXPECT_EQ(header.cy, 284);

  EXPECT_EQ(Resource("SCRIPT", "#101"), DefaultScript());

  std::string icons = Resource(MAKEINTRESOURCEA(14), "MAINICON");
  ASSERT_FALSE(icons.empty());
  for (int size : {16, 32}) {
    int id = LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(&icons[0]), TRUE, size, size, LR_DEFAULTCOLOR);
    std::string image = Resource(MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(id));
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER)) << size;
    BITMAPINFOHEADER info;
    memcpy(&info, image.data(), sizeof info);
    EXPECT_EQ(info.biWidth, size);
  }

  std::string version = Resource(MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1));
  const std::string key = "VS_VERSION_INFO";
  std::wstring wideKey(key.begin(), key.end());
  size_t at = version.find(std::string(reinterpret_cast<const char*>(wideKey.c_str()), wideKey.size() * 2));
  ASSERT_NE(at, std::string::npos);
  // The fixed record follows the key, on a 32-bit boundary.
  size_t fixedAt = (at + (wideKey.size() + 1) * 2 + 3) & ~static_cast<size_t>(3);
  ASSERT_GE(version.size(), fixedAt + sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO fixed;
  memcpy(&fixed, version.data() + fixedAt, sizeof fixed);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  // The dialog's version label reads "v1.54 / Tunepost Open".
  EXPECT_EQ(fixed.dwFileVersionMS, (1u << 16) | 54u);
  EXPECT_EQ(fixed.dwProductVersionMS, (1u << 16) | 54u);
}

}  // namespace
