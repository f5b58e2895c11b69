#pragma once

#include <QPushButton>

// A large button with its icon above a caption that wraps onto a second line when it must, like
// the main window's three commands.
class BitButton : public QPushButton {
    Q_OBJECT
public:
    BitButton(const QIcon& icon, const QString& text, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
