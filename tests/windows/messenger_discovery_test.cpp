// Discovery of running clients: one slot per main window, the account choice, the form of
// the client's own process, and windows that only look like a client's.
#include <windows.h>

#include "messenger_fixture.h"
#include "other_process.h"

namespace {

class Discovery : public ::testing::Test {
 protected:
  void SetUp() override { ResetDriverSettings(); }
  void TearDown() override {
    for (TClient& slot : CurrentSettings.ClientSlots) ClearSlot(slot);
  }
  std::vector<const TClient*> Filled() const {
    std::vector<const TClient*> filled;
    for (const TClient& slot : CurrentSettings.ClientSlots) {
      if (slot.ProcessId != 0) filled.push_back(&slot);
    }
    return filled;
  }
};

TEST_F(Discovery, TwoCopiesOfQipAndOneRnq) {
  ClientProcess first(QIP_EXE, TestFolder("first"), "qip.exe", "--account 111");
  ClientProcess second(QIP_EXE, TestFolder("second"), "qip.exe", "--account 222");
  ClientProcess rnq(RNQ_EXE, TestFolder("rnq"), "rnq.exe", "");
  EXPECT_TRUE(DiscoverClients());
  std::vector<const TClient*> filled = Filled();
  ASSERT_EQ(filled.size(), 3u);
  for (const TClient* slot : filled) {
    DWORD formProcess = 0;
    GetWindowThreadProcessId(slot->StatusForm.Handle, &formProcess);
    EXPECT_EQ(formProcess, slot->ProcessId) << "the form of the client's own process";
    if (slot->ProcessId == first.pid()) {
      EXPECT_EQ(slot->ProfileFolder, DirectoryOfPath(first.exePath()) + "Users\\111\\");
    } else if (slot->ProcessId == second.pid()) {
      EXPECT_EQ(slot->ProfileFolder, DirectoryOfPath(second.exePath()) + "Users\\222\\");
    } else {
      EXPECT_EQ(slot->ProcessId, rnq.pid());
      EXPECT_EQ(slot->ProcessName, "RnQ");
    }
  }
  // A second pass serves the same windows with the same slots.
  DiscoverClients();
  EXPECT_EQ(Filled(), filled);
}

TEST_F(Discovery, TheAccountChoice) {
  ClientProcess first(QIP_EXE, TestFolder("first"), "qip.exe", "--account 111");
  ClientProcess second(QIP_EXE, TestFolder("second"), "qip.exe", "--account 222");
  CurrentSettings.Values[AllQIP] = "0";
  CurrentSettings.Values[CustomQIP] = "222";
  DiscoverClients();
  ASSERT_EQ(Filled().size(), 1u);
  EXPECT_EQ(Filled()[0]->ProcessId, second.pid());
  for (TClient& slot : CurrentSettings.ClientSlots) ClearSlot(slot);
  CurrentSettings.Values[CustomQIP] = "";
  DiscoverClients();
  EXPECT_EQ(Filled().size(), 0u);
}

TEST_F(Discovery, ATailOfAKnownClassIsNoClient) {
  OtherProcessWindow lookalike("Form", "[qip] - 333", "");
  DiscoverClients();
  EXPECT_EQ(Filled().size(), 0u);
}

TEST_F(Discovery, AGoneFormReleasesTheSlotAndAnotherAccountRefillsIt) {
  ClientProcess qip(QIP_EXE, TestFolder(), "qip.exe", "--account 111");
  DiscoverClients();
  ASSERT_EQ(Filled().size(), 1u);
  qip.Run("account 555\n");
  DiscoverClients();
  ASSERT_EQ(Filled().size(), 1u);
  EXPECT_NE(Filled()[0]->ProfileFolder.find("Users\\555\\"), Text::npos);
  qip.Run("destroy-form\n");
  DiscoverClients();
  EXPECT_EQ(Filled().size(), 0u);
}

}  // namespace

namespace {

TEST_F(Discovery, TwentyOneClientsAreServedAndTheTwentySecondWaits) {
  std::vector<std::unique_ptr<ClientProcess>> clients;
  for (int i = 0; i < 22; ++i) {
    clients.emplace_back(new ClientProcess(RNQ_EXE, TestFolder("rnq" + std::to_string(i)), "rnq.exe", ""));
  }
  DiscoverClients();
  ASSERT_EQ(Filled().size(), 21u);
  auto served = [this](DWORD pid) {
    for (const TClient* slot : Filled()) {
      if (slot->ProcessId == pid) return true;
    }
    return false;
  };
  size_t waiting = 0;
  while (waiting < clients.size() && served(clients[waiting]->pid())) ++waiting;
  ASSERT_LT(waiting, clients.size());
  // Once a served client quits, its slot is released and the waiting client gets one.
  size_t leaving = waiting == 0 ? 1 : 0;
  DWORD leavingPid = clients[leaving]->pid();
  clients[leaving]->Send("quit\n");
  clients[leaving]->Finish(false);
  DiscoverClients();
  EXPECT_EQ(Filled().size(), 21u);
  EXPECT_TRUE(served(clients[waiting]->pid()));
  EXPECT_FALSE(served(leavingPid));
}

}  // namespace
