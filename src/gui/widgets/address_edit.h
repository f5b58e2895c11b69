#pragma once

#include "rules/address_routines.h"

#include <QLineEdit>

// An address field: a masked edit whose text is always the 15-character form ("  0.  0.  0.  0",
// "   .   .   .   "), digits placed where they are typed. It can drop its mask to show a word
// ("DHCP", "BOOTP") for automatic assignment, and take the mask back.
class AddressEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit AddressEdit(QWidget* parent = nullptr);

    // The field's value as the program reads it: the 15-character text, or the word while the mask
    // is off.
    QString value() const;
    // Sets the value; an address written without blanks ("10.0.0.5") takes the 15-character form,
    // any other text (a word such as "DHCP") drops the mask and is shown as it is.
    void setValue(const QString& text);

    bool isMasked() const { return !inputMask().isEmpty(); }
    // Drops the mask and shows the word.
    void setWord(const QString& word);
    // Puts the mask back and shows the 15-character text.
    void setAddress(const QString& text);
};

// The show handlers' blank fill on a page's two address fields: only the exact empty text becomes
// the default.
void applyBlankFill(AddressEdit* address, AddressEdit* mask);

// DHCPCheck on a page's two address fields: runs the routine on what they show and puts the result
// back (the word without the mask, or the address with it), enabling the fields exactly when they
// are not in automatic assignment, so a loaded configuration that left DHCP mode does not leave
// them locked. Returns the effect for what else the page switches.
DhcpCheckEffect applyDhcpCheck(AddressEdit* address, AddressEdit* mask, RememberedAddress& remembered,
                               bool dhcp, const AddressPage& page);
