// Until discovery finds client windows every slot stays free: nothing is applied, and a
// restore only releases the slot.
#include "messenger/status_control.h"

void DiscoverClients() {}

void ApplyStatus(TClient&, const TStatus&) {}

void RestoreStatus(TClient& slot) {
  ClearSlot(slot);
}
