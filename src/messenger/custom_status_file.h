// QIP's custom status file "_st_cust.txt" in the account's profile folder: one line per
// status picture, the short text, the separator and the long text, each line ended by
// CR LF. When QIP's status form has gone, the user's saved texts go back into the file.
#pragma once

#include "messenger/client.h"

extern const char kCustomStatusFileName[];
extern const char kCustomStatusSeparator[];

// The file's text with line 0 emptied and the entry of the plug-in's last texts (LastSet)
// replaced by the saved texts.
Text RestoredCustomStatusText(const TClient& slot, const Text& text);
// True when the file was found and written back.
bool RestoreCustomStatusFile(TClient& slot);
