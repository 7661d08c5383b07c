// The rules the two client drivers share that need no window: the placeholders of the
// user's own status, QIP's length limit of the short text, R&Q's picture cells, and the
// reference text of the "status is" condition.
#pragma once

#include <cstdint>

#include "messenger/client.h"
#include "support/text.h"

// QIP shows at most this many characters of the short text.
constexpr size_t kShortStatusLimit = 20;
// What stands for the cut-off rest: the ellipsis of code page 1251.
extern const char kEllipsis[];

// "%Status2" and "%Status" (any letter case) replaced by the slot's saved texts, the longer
// placeholder first.
Text SubstituteSavedStatus(const TClient& slot, const Text& text);
// The text, or its first 19 characters and the ellipsis when it is longer than 20.
Text ShortStatusText(const Text& text);
// The position of R&Q's picture cell n: rows of 7, 30 by 25 points, the first at (20, 50).
TPoint StatusCellPosition(int32_t cell);
// The text the shown short status must equal for the "status is" condition: what the
// condition's caption holds between its square brackets ("... = [Слушаю]"); empty, and so
// never matched, when the caption holds no brackets or nothing between them.
Text IfStatusReference();
// Whether the client shows this reference text as its short status, ignoring case.
bool ShowsReferenceStatus(const Text& shownStatus);
// Whether two statuses differ in picture or in either text, exactly.
bool StatusesDiffer(const TStatus& a, const TStatus& b);
