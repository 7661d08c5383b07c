// Status control as the update cycle uses it: finding the running clients, writing the
// current texts into a client slot, and giving a slot the user's own status back.
#pragma once

#include "messenger/client.h"

void DiscoverClients();
void ApplyStatus(TClient& slot, const TStatus& texts);
void RestoreStatus(TClient& slot);
