#pragma once

#include <QScrollArea>
#include <QSize>

class QWidget;

// Sizes a window to what it shows now: at least `least`, at least as wide as its controls need,
// and as tall as its wrapped texts need at that width, so that nothing is cut. Qt sizes a window
// by its layout's plain minimum, which knows nothing of texts that wrap. The window never takes
// more than the room its screen has (a large font or scale factor on a small screen): then its
// FittingScrollArea, if it has one, gives up what is missing and scrolls.
void fitWindowToContent(QWidget* window, QSize least);

// The room a window can have on its screen: the screen's available area less the frame the window
// manager puts around the window (known once the window has been shown).
QSize roomOnScreen(const QWidget* window);

// A scroll area that asks its layout for all the room its content needs, so that a window sizes
// itself as if the content were placed in it directly; only where fitWindowToContent has to hold
// the window within the screen does it take less and scroll.
class FittingScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit FittingScrollArea(QWidget* content, QWidget* parent = nullptr);

    // How much less than its content needs the area asks for (none, to begin with).
    void setShortfall(QSize shortfall);
    QSize shortfall() const { return m_shortfall; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The frame around the content, and what the content needs inside it.
    QSize chrome() const;
    QSize contentMinimum() const;

    QSize m_shortfall;
};
