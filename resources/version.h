// The module's version, for its version resource. It must agree with the version label
// that the configuration dialog shows (kVersionLabel); a test compares the two.
#pragma once

#define TUNEPOST_VERSION_MAJOR 1
#define TUNEPOST_VERSION_MINOR 54
#define TUNEPOST_VERSION_TEXT "1.54"
