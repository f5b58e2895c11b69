#pragma once

#include <QString>

// Replaces every character of source equal to the one-character text find by replacement; an empty
// replacement removes the character. A find text of any other length never matches, so source
// comes back unchanged. The writers use it to take the blanks out of masked addresses.
QString StrTran(const QString& source, const QString& find, const QString& replacement);

// Leading and trailing characters of code 32 or below removed: blanks, tabs, line breaks and the
// other control characters a typed or stored name may carry at its ends.
QString Trim(const QString& text);
