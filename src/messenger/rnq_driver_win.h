// R&Q's status driver: a TEdit for the short text and a TMemo for the long one, confirmed
// with Enter.
#pragma once

#include "messenger/client.h"

bool FindRnqControls(TClient& slot);
bool WriteRnqStatus(TClient& slot, const TStatus& request);
