#pragma once

#include <QString>
#include <QStringView>

// The 15-character text of an address field: its fixed values and its reading.
namespace AddressText {

inline const QString DefaultAddress = QStringLiteral("  0.  0.  0.  0");
inline const QString DefaultMask = QStringLiteral("255.  0.  0.  0");
inline const QString Blank = QStringLiteral("   .   .   .   ");
inline const QString AllZeros = QStringLiteral("000.000.000.000");
// Qt's form of the classic mask "999.999.999.999;1; " (Qt's "0" is the optional digit).
inline const QString InputMask = QStringLiteral("000.000.000.000; ");

// True for the digits 0 to 9 only: no other script's digits.
inline bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
// True for text of one or more of those digits and nothing else (no sign or blank).
bool isDigits(QStringView text);

// True for the 15-character text of a masked address field: digits or blanks in the groups, dots
// at positions 4, 8 and 12.
bool isMaskedAddress(const QString& text);

// An address written without its blanks ("10.0.0.5") in the field's 15-character form, each group
// right-aligned as a user fills it (" 10.  0.  0.  5"); a null string for anything else.
QString paddedAddress(const QString& text);

// True when a group of the address (15-character or plain form) holds a number above 255, which no
// address has. Words and anything else that is no address are not judged here.
bool hasGroupAbove255(const QString& text);

} // namespace AddressText
