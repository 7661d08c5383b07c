// Reading what a client slot's status form shows.
#pragma once

#include "messenger/client.h"

// The picture selected in the slot's picture list (0 without one, -1 with no selection)
// and the texts of its two text boxes.
TStatus ReadClientStatus(const TClient& slot);

// False once a window of the client has not answered in this cycle: the client is left
// alone until the next one, and nothing read from it then is taken for what it shows.
bool ClientAnswers(const TClient& slot);
