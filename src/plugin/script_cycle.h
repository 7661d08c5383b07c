// The script's part of an update cycle: the tag values in as statements 0 to 20, the
// three results out.
#pragma once

#include "messenger/client.h"
#include "plugin/track_info.h"

class TMathParser;

// The 21 TAG statements, each setting its variable to the empty text, then the script.
void LoadScriptEngine(TMathParser& engine, const Text& script);
// Replaces statements 0 to 20 with the tag values as text literals.
void HandTagsToScript(TMathParser& engine, const Text (&tagValues)[kTagCount]);
// Tray, Status and Status2 as the script left them, with backslash-n as line breaks; a
// result the script never assigned is the empty text.
TStatus ReadScriptResults(TMathParser& engine);
