#include "gui/widgets/bit_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int kIconSize = 32;
constexpr int kMargin = 6;
} // namespace

BitButton::BitButton(const QIcon& icon, const QString& text, QWidget* parent)
    : QPushButton(icon, text, parent) {
    setIconSize(QSize(kIconSize, kIconSize));
}

QSize BitButton::sizeHint() const {
    return {145, 81};
}

void BitButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The frame only: icon and caption are laid out below, one above the other.
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    const bool down = isDown() || isChecked();
    const int shift = down ? 1 : 0;
    const QRect inner = rect().adjusted(kMargin + shift, kMargin + shift, -kMargin + shift, -kMargin + shift);
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QRect iconRect(inner.center().x() - kIconSize / 2, inner.top() + 2, kIconSize, kIconSize);
    icon().paint(&painter, iconRect, Qt::AlignCenter, mode);

    const QRect textRect(inner.left(), iconRect.bottom() + 4, inner.width(),
                         inner.bottom() - iconRect.bottom() - 4);
    painter.drawItemText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
                         palette(), isEnabled(), text(), QPalette::ButtonText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
