#include "gui/widgets/address_edit.h"

#include "rules/address_routines.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {

constexpr int kGroups = 4;
constexpr int kWidth = 3; // digits a group holds

// The digits of each group, blanks dropped: " 10.  0.  0.  5" -> {"10", "0", "0", "5"}.
QStringList groupsOf(const QString& text) {
    QStringList groups;
    for (int g = 0; g < kGroups; ++g)
        groups << text.mid(g * (kWidth + 1), kWidth).remove(QLatin1Char(' '));
    return groups;
}

QString joined(const QStringList& groups) {
    QStringList padded;
    for (const QString& g : groups)
        padded << g.rightJustified(kWidth, QLatin1Char(' '));
    return padded.join(QLatin1Char('.'));
}

int groupAt(int position) {
    return qMin(position / (kWidth + 1), kGroups - 1);
}

// Where among a right-aligned group's digits a text position falls: 0 before the first digit.
int digitIndexAt(int position, const QString& digits) {
    const int offset = position - groupAt(position) * (kWidth + 1);
    return qBound(0, offset - (kWidth - int(digits.size())), int(digits.size()));
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

void AddressEdit::show(const QStringList& groups, int group, int caretIndex) {
    setText(joined(groups));
    const int start = group * (kWidth + 1) + kWidth - int(groups[group].size());
    setCursorPosition(start + caretIndex);
    m_caret = {group, caretIndex};
    m_caretPosition = cursorPosition();
}

AddressEdit::Caret AddressEdit::caret() const {
    if (cursorPosition() == m_caretPosition && !hasSelectedText())
        return m_caret;
    const int position = cursorPosition();
    const int group = groupAt(position);
    return {group, digitIndexAt(position, groupsOf(value())[group])};
}

QString AddressEdit::withoutSelection() const {
    QString text = value();
    const int from = selectionStart();
    const int to = from + int(selectedText().size());
    for (int i = from; i < to && i < text.size(); ++i) {
        if (text[i] != QLatin1Char('.'))
            text[i] = QLatin1Char(' ');
    }
    return text;
}

void AddressEdit::typeDigit(QChar digit) {
    QStringList groups = groupsOf(value());
    Caret at = caret();
    if (hasSelectedText()) {
        // The selected digits go, as in any line edit; typing starts where the selection did.
        const int from = selectionStart();
        groups = groupsOf(withoutSelection());
        at = {groupAt(from), digitIndexAt(from, groups[groupAt(from)])};
        m_typingGroup = -1;
    }
    int group = at.group;
    int index = at.index;
    const bool firstInGroup = m_typingGroup != group;
    if (firstInGroup && (index == 0 || groups[group] == QLatin1String("0"))) {
        // Typing from a group's start retypes the group, as typing over an old address does; and
        // the 0 a field starts with is a placeholder, not a digit anyone meant to keep.
        groups[group].clear();
        index = 0;
    }
    if (groups[group].size() >= kWidth) {
        // A full group: the digit belongs to the next one, if there is one.
        if (index < groups[group].size() || group == kGroups - 1)
            return;
        ++group;
        groups[group].clear();
        index = 0;
    }
    groups[group].insert(index, digit);
    m_typingGroup = group;
    m_advanced = false;
    if (groups[group].size() == kWidth && group < kGroups - 1) {
        show(groups, group, index + 1);
        // The third digit moves on, and what the next group held is selected to be typed over.
        const int next = (group + 1) * (kWidth + 1);
        setSelection(next, kWidth);
        m_typingGroup = -1;
        m_advanced = true;
        return;
    }
    show(groups, group, index + 1);
}

void AddressEdit::nextGroup() {
    const int group = hasSelectedText() ? groupAt(selectionStart()) : caret().group;
    // Right after a third digit moved on by itself, the dot a person types anyway moves nowhere.
    if (m_advanced || group == kGroups - 1) {
        m_advanced = false;
        return;
    }
    setSelection((group + 1) * (kWidth + 1), kWidth);
    m_typingGroup = -1;
}

void AddressEdit::erase(bool backwards) {
    m_advanced = false;
    m_typingGroup = -1;
    if (hasSelectedText()) {
        const int from = selectionStart();
        const QStringList groups = groupsOf(withoutSelection());
        const int group = groupAt(from);
        show(groups, group, digitIndexAt(from, groups[group]));
        return;
    }
    QStringList groups = groupsOf(value());
    const Caret at = caret();
    int group = at.group;
    int index = at.index;
    if (backwards) {
        // At a group's start the dot before it cannot go: the previous group's last digit does.
        if (index == 0) {
            if (group == 0)
                return;
            --group;
            index = int(groups[group].size());
        }
        if (index == 0)
            return show(groups, group, 0);
        groups[group].remove(index - 1, 1);
        return show(groups, group, index - 1);
    }
    if (index == groups[group].size()) {
        if (group == kGroups - 1)
            return;
        ++group;
        index = 0;
    }
    if (index < groups[group].size())
        groups[group].remove(index, 1);
    show(groups, group, index);
}

void AddressEdit::pasteAddress() {
    const QString pasted = QGuiApplication::clipboard()->text().trimmed();
    const QString padded = AddressText::isMaskedAddress(pasted) ? pasted : AddressText::paddedAddress(pasted);
    if (padded.isEmpty())
        return; // not an address: the field stays as it is
    m_typingGroup = -1;
    m_advanced = false;
    setText(padded);
    setCursorPosition(int(padded.size()));
}

void AddressEdit::keyPressEvent(QKeyEvent* event) {
    if (!isMasked() || isReadOnly())
        return QLineEdit::keyPressEvent(event);
    if (event->matches(QKeySequence::Paste)) {
        pasteAddress();
        return event->accept();
    }
    const QString typed = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && typed.size() == 1 && typed[0].isDigit() && typed[0].unicode() < 128) {
        typeDigit(typed[0]);
        return event->accept();
    }
    if (plain && (typed == QLatin1String(".") || typed == QLatin1String(","))) {
        nextGroup();
        return event->accept();
    }
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        erase(event->key() == Qt::Key_Backspace);
        return event->accept();
    }
    if (plain && !typed.isEmpty() && typed[0].isPrint())
        return event->accept(); // nothing else belongs in an address
    m_typingGroup = -1;
    m_advanced = false;
    QLineEdit::keyPressEvent(event);
}

void AddressEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // With a mask Qt would put the cursor on the first blank, which in a filled field is the end.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        selectAll();
    m_typingGroup = -1;
    m_advanced = false;
}

void AddressEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt's word is one group between dots; typing over it then put a whole address into that group.
    // A double-click takes the address, so that what is typed next replaces it.
    if (!isMasked())
        return QLineEdit::mouseDoubleClickEvent(event);
    selectAll();
    m_typingGroup = -1;
    m_advanced = false;
    event->accept();
}

void AddressEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    // Qt's own paste would place the characters one by one into the mask.
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste") && isMasked()) {
            disconnect(action, nullptr, this, nullptr);
            connect(action, &QAction::triggered, this, &AddressEdit::pasteAddress);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
