#pragma once

#include "rules/address_routines.h"

#include <QLineEdit>

class QContextMenuEvent;
class QFocusEvent;
class QKeyEvent;
class QMouseEvent;

// An address field: a masked edit whose text is always the 15-character form ("  0.  0.  0.  0",
// "   .   .   .   "). Typed the way people type an address, it gives that address: a dot or a third
// digit moves on to the next group, each group's digits stand right-aligned ("192.168.  1. 20"),
// and typing from a group's start (or into a lone 0) retypes the group. Focus from the keyboard and
// a double-click select the whole field; a pasted "10.1.2.3" fills it. It can drop its mask to show
// a word ("DHCP", "BOOTP") for automatic assignment, and take the mask back.
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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The field's text with the selected digits blanked, as deleting the selection leaves it.
    QString withoutSelection() const;
    void typeDigit(QChar digit);
    void nextGroup();
    void erase(bool backwards);
    void pasteAddress();
    // Shows the groups right-aligned and puts the cursor after `caretIndex` digits of `group`.
    void show(const QStringList& groups, int group, int caretIndex);

    // Where the cursor stands among the digits. Qt keeps a masked cursor off the dots, so the
    // position alone cannot say whether it is at the end of a group or the start of the next.
    struct Caret {
        int group = 0;
        int index = 0;
    };
    Caret caret() const;

    int m_caretPosition = -1; // the cursor position m_caret was set with
    Caret m_caret;
    int m_typingGroup = -1;  // the group the last digit went into; -1 after the cursor moved on
    bool m_advanced = false; // the cursor just moved on by itself after a group's third digit
};
