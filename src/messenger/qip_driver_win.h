// QIP's status driver: finding the controls of its status form (opening the form once when
// they are missing), and writing a status into it under the settings' conditions.
#pragma once

#include "messenger/client.h"

bool FindQipControls(TClient& slot);
bool CollectQipControls(TClient& slot);
bool OpenQipStatusForm(TClient& slot);
bool WriteQipStatus(TClient& slot, const TStatus& request);
void FillQipForm(TClient& slot, const TStatus& status, bool direct, const TStatus& shown);
