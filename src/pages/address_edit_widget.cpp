#include "pages/address_edit_widget.h"

#include "pages/address_routines.h"

#include <QRegularExpression>

namespace {
bool isAddressText(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^[0-9 ]{3}\\.[0-9 ]{3}\\.[0-9 ]{3}\\.[0-9 ]{3}$"));
    return form.match(text).hasMatch();
}

// An address written without its blanks ("10.0.0.5") in the field's 15-character form, each group
// right-aligned as a user fills it; a null string for anything else.
QString paddedAddress(const QString& text) {
    static const QRegularExpression plain(
        QStringLiteral("^([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})$"));
    const QRegularExpressionMatch m = plain.match(text);
    if (!m.hasMatch())
        return {};
    QStringList groups;
    for (int g = 1; g <= 4; ++g)
        groups << m.captured(g).rightJustified(3, QLatin1Char(' '));
    return groups.join(QLatin1Char('.'));
}
} // namespace

AddressEdit::AddressEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMask(AddressText::InputMask);
    setText(AddressText::DefaultAddress);
    setMaxLength(15);
    // Wide enough for the 15 characters in a fixed-pitch face, so the groups line up.
    QFont f = font();
    f.setStyleHint(QFont::Monospace);
    f.setFamily(QStringLiteral("DejaVu Sans Mono"));
    setFont(f);
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 17 + 8);
}

QString AddressEdit::value() const {
    return isMasked() ? displayText() : text();
}

void AddressEdit::setValue(const QString& text) {
    if (text.isEmpty())
        setAddress(AddressText::Blank);
    else if (isAddressText(text))
        setAddress(text);
    else if (const QString padded = paddedAddress(text); !padded.isNull())
        // Without this the field would drop its mask and take any text the user types next.
        setAddress(padded);
    else
        setWord(text);
}

void AddressEdit::setWord(const QString& word) {
    // Changing the mask clears the text: mask first, then the text.
    setInputMask(QString());
    setText(word);
}

void AddressEdit::setAddress(const QString& text) {
    if (!isMasked())
        setInputMask(AddressText::InputMask);
    setText(text);
}
