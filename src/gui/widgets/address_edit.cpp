#include "gui/widgets/address_edit.h"

#include "rules/address_routines.h"

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
    else if (AddressText::isMaskedAddress(text))
        setAddress(text);
    else if (const QString padded = AddressText::paddedAddress(text); !padded.isNull())
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

void applyBlankFill(AddressEdit* address, AddressEdit* mask) {
    QString addressText = address->value();
    QString maskText = mask->value();
    AddressRoutines::blankFill(addressText, maskText);
    if (addressText != address->value())
        address->setAddress(addressText);
    if (maskText != mask->value())
        mask->setAddress(maskText);
}

DhcpCheckEffect applyDhcpCheck(AddressEdit* address, AddressEdit* mask, RememberedAddress& remembered,
                               bool dhcp, const AddressPage& page) {
    AddressFields fields;
    fields.address = address->value();
    fields.mask = mask->value();
    fields.remembered = remembered;
    fields.dhcp = dhcp;
    // A field without its mask shows the word: DHCP mode, whether switched here or loaded.
    fields.automatic = !address->isMasked() || !mask->isMasked();
    const DhcpCheckEffect effect = AddressRoutines::DHCPCheck(fields, page);
    remembered = fields.remembered;
    if (effect.fieldsChanged) {
        if (fields.automatic) {
            address->setWord(fields.address);
            mask->setWord(fields.mask);
        } else {
            address->setAddress(fields.address);
            mask->setAddress(fields.mask);
        }
    }
    address->setEnabled(!fields.automatic);
    mask->setEnabled(!fields.automatic);
    return effect;
}
