// The whole job: the module in the stand-in player with stand-in QIP and R&Q running. The
// track reaches both clients, the user's own status comes back when the music stops and
// when the player closes, and QIP's file gets it back when QIP quits during the music.
#include <gtest/gtest.h>

#include <thread>

#include "client_process.h"
#include "standin_session.h"

#ifndef MODULE_OBSERVED_DLL
#error "MODULE_OBSERVED_DLL must name the module's test copy"
#endif

namespace {

const char kPlaylist[] =
    "[entry]\r\npath=C:\\Музыка\\Кино\\01 Группа крови.mp3\r\nartist=Кино\r\ntitle=Группа крови\r\n"
    "length=285\r\n"
    "[entry]\r\npath=C:\\Музыка\\Аквариум\\02 Город.mp3\r\nartist=Аквариум\r\ntitle=Город\r\n"
    "length=201\r\n";

const char kScript[] = "Status=TAGArtist\r\nStatus2=TAGArtist+\" - \"+TAGTitle\r\nTray=TAGTitle";

const char kUsersStatus[] = "--picture 11 --status Дома --status2 \"Вернусь к вечеру\"";

class ModuleWithClients : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.AddPlugin(MODULE_OBSERVED_DLL, "gen_tunepost.dll");
    WriteBytes(session_.plugins() + "\\gen_tunepost.dll.ini",
               "[ICQ client status]\r\nLang=Russian\r\n[ICQ client status_Russian]\r\n"
               "DelayV.Value=1\r\nSetStatus.Value=1\r\n");
    WriteBytes(session_.plugins() + "\\gen_tunepost.dll.script", kScript);
  }
  Lines Confirms(const ClientProcess& client) const {
    Lines confirms;
    for (const std::string& line : client.Log()) {
      if (StartsWith(line, "confirm")) confirms.push_back(line);
    }
    return confirms;
  }
  StandinSession session_;
};

TEST_F(ModuleWithClients, TheTrackReachesBothClientsAndTheUsersStatusComesBack) {
  ClientProcess qip(QIP_EXE, TestFolder("qip"), "qip.exe", std::string("--account 111 ") + kUsersStatus);
  ClientProcess rnq(RNQ_EXE, TestFolder("rnq"), "rnq.exe", "--status Дома --status2 \"Вернусь к вечеру\"");
  ASSERT_EQ(session_.Run(kPlaylist, "play\nwait 1600\nnext\nwait 1600\nstop\nwait 1600\nclose\n"), 0u);
  ExpectInOrder(Confirms(qip), {"confirm picture=11 status=\"Кино\" status2=\"Кино - Группа крови\"",
                                "confirm picture=11 status=\"Аквариум\" status2=\"Аквариум - Город\"",
                                "confirm picture=11 status=\"Дома\" status2=\"Вернусь к вечеру\""});
  ExpectInOrder(Confirms(rnq), {"confirm picture=0 status=\"Кино\" status2=\"Кино - Группа крови\"",
                                "confirm picture=0 status=\"Аквариум\" status2=\"Аквариум - Город\"",
                                "confirm picture=0 status=\"Дома\" status2=\"Вернусь к вечеру\""});
  ExpectInOrder(session_.Log(), {"report status=\"Кино\"", "report status=\"Аквариум\"",
                                 "command id=40047", "plugin quit", "window procedure=own"});
}

TEST_F(ModuleWithClients, QipQuittingDuringTheMusicGetsItsFileBack) {
  ClientProcess qip(QIP_EXE, TestFolder("qip"), "qip.exe", std::string("--account 222 ") + kUsersStatus);
  std::thread quitter([&qip] {
    Sleep(2500);
    qip.Send("quit\n");
  });
  unsigned long code = session_.Run(kPlaylist, "play\nwait 4500\nclose\n");
  quitter.join();
  ASSERT_EQ(code, 0u);
  const std::string& exe = qip.exePath();
  Lines file = ReadLines(exe.substr(0, exe.rfind('\\') + 1) + "Users\\222\\_st_cust.txt");
  ASSERT_GT(file.size(), 11u);
  EXPECT_EQ(file[0], "#custom_status_descr#");
  EXPECT_EQ(file[11], "Дома#custom_status_descr#Вернусь к вечеру");
}

}  // namespace

namespace {

// A command the player knows no action for; it only logs it.
constexpr WPARAM kProbeCommand = 12345;

TEST_F(ModuleWithClients, AHungClientDoesNotFreezeThePlayer) {
  ClientProcess qip(QIP_EXE, TestFolder("qip"), "qip.exe", std::string("--account 333 ") + kUsersStatus);
  DWORD answerMs = 0;
  std::thread probe([this, &qip, &answerMs] {
    for (int i = 0; i < 400 && FindFrom(session_.Log(), 0, "command id=40045") == session_.Log().size(); ++i) {
      Sleep(25);
    }
    qip.Send("hang 5000\n");
    // The first cycle comes a second after play, and waits on the hung client.
    Sleep(1300);
    // A posted command waits for the player's message loop, which a cycle blocked on the
    // client would hold up (a sent query would be answered even then).
    HWND player = FindWindowA("Winamp v1.x", nullptr);
    DWORD start = GetTickCount();
    PostMessageA(player, WM_COMMAND, kProbeCommand, 0);
    while (FindFrom(session_.Log(), 0, "command id=" + std::to_string(kProbeCommand)) == session_.Log().size() &&
           GetTickCount() - start < 10000) {
      Sleep(20);
    }
    answerMs = GetTickCount() - start;
  });
  unsigned long code = session_.Run(kPlaylist, "play\nwait 3000\nclose\n");
  probe.join();
  ASSERT_EQ(code, 0u);
  EXPECT_LT(answerMs, 1500u) << "the player took a command only after " << answerMs << " ms";
}

}  // namespace
