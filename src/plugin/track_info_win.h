// The host queries of one update cycle that fill the 21 tag values.
#pragma once

// Fills TagValues of the live record; false when the host reports the player stopped.
bool CollectTrackInfo();
