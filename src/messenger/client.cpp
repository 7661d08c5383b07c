// The records shared by discovery, the drivers and apply/restore.
#include "messenger/client.h"

TClient KnownClients[2];

void ClearSlot(TClient& slot) {
  slot = TClient();
}

bool IsQipSlot(const TClient& slot) {
  return slot.MainWindow.ClassName == KnownClients[0].MainWindow.ClassName;
}
