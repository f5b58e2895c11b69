#pragma once

#include <QString>

// Replaces every character of source equal to the one-character text find by replacement; an empty
// replacement removes the character. A find text of any other length never matches, so source
// comes back unchanged. The writers use it to take the blanks out of masked addresses.
QString StrTran(const QString& source, const QString& find, const QString& replacement);
