// Status control as the update cycle uses it: finding the running clients, writing the
// current texts into a client slot, and giving a slot the user's own status back.
#pragma once

#include <windows.h>

#include "messenger/client.h"

bool DiscoverClients();
void ConsiderWindow(DWORD processId, HWND window);
bool FillSlot(TClient& slot, DWORD processId, HWND window);
void AdoptDescriptor(TClient& slot);
Text ProcessExePath(DWORD processId);
bool ApplyStatus(TClient& slot, const TStatus& status);
void RestoreStatus(TClient& slot);
