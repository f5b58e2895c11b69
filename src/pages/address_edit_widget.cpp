#include "pages/address_edit_widget.h"

#include "pages/address_routines.h"

#include <QRegularExpression>

namespace {
bool isAddressText(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^[0-9 ]{3}\\.[0-9 ]{3}\\.[0-9 ]{3}\\.[0-9 ]{3}$"));
    return form.match(text).hasMatch();
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

QString AddressEdit::value() const { return isMasked() ? displayText() : text(); }

void AddressEdit::setValue(const QString& text) {
    if (text.isEmpty())
        setAddress(AddressText::Blank);
    else if (isAddressText(text))
        setAddress(text);
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
