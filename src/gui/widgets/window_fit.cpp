#include "gui/widgets/window_fit.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>

namespace {

QSize frameOf(const QWidget* window) {
    return window->frameGeometry().size() - window->geometry().size();
}

// What the window's layout asks for at the width its controls need.
QSize contentNeed(QWidget* window, QLayout* top, QSize least) {
    top->activate();
    const int w = qMax(least.width(), window->minimumSizeHint().width());
    const int h = top->hasHeightForWidth() ? top->totalHeightForWidth(w) : window->minimumSizeHint().height();
    return {w, h};
}

} // namespace

QSize roomOnScreen(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    // Before its first showing a window has no frame yet; it will get the one the others have, or
    // had when last seen (the wizard shows one window at a time).
    static QSize lastKnown;
    const auto known = [](QSize frame) {
        return frame.width() > 0 || frame.height() > 0;
    };
    QSize frame = frameOf(window);
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (!known(frame) && other->isVisible())
            frame = frameOf(other);
    }
    if (known(frame))
        lastKnown = frame;
    return screen->availableGeometry().size() - (known(frame) ? frame : lastKnown).expandedTo(QSize(0, 0));
}

void fitWindowToContent(QWidget* window, QSize least) {
    QLayout* top = window->layout();
    if (!top)
        return;
    const QSize room = roomOnScreen(window);
    least = least.boundedTo(room);
    QSize need = contentNeed(window, top, least);
    // What the scroll area gives up now is added back to know what the content would take; so a
    // window that fits asks for no change, and the next layout request changes nothing.
    if (auto* area = window->findChild<FittingScrollArea*>()) {
        const QSize given = area->shortfall();
        const QSize shortfall(qMax(0, need.width() + given.width() - room.width()),
                              qMax(0, need.height() + given.height() - room.height()));
        if (shortfall != given) {
            area->setShortfall(shortfall);
            need = contentNeed(window, top, least);
        }
    }
    const int w = qMin(need.width(), room.width());
    const int needed = qMin(need.height(), room.height());
    const int h = qMin(room.height(),
                       qMax(least.height(), top->hasHeightForWidth() ? needed : window->sizeHint().height()));
    window->setMinimumSize(w, needed);
    if (window->size() != QSize(w, h))
        window->resize(w, h);
}

FittingScrollArea::FittingScrollArea(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    // The controls inside take the keys; Tab scrolls the one it reaches into view.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setWidget(content);
}

void FittingScrollArea::setShortfall(QSize shortfall) {
    if (shortfall == m_shortfall)
        return;
    m_shortfall = shortfall;
    updateGeometry();
}

QSize FittingScrollArea::chrome() const {
    const int frame = 2 * frameWidth();
    return {frame, frame};
}

QSize FittingScrollArea::contentMinimum() const {
    return widget() ? widget()->minimumSizeHint().expandedTo(widget()->minimumSize()) : QSize(0, 0);
}

QSize FittingScrollArea::minimumSizeHint() const {
    // Never less than a few lines: a scroll area of no height shows nothing to scroll to.
    const int line = fontMetrics().height();
    const QSize full = contentMinimum() + chrome();
    return (full - m_shortfall)
        .expandedTo(QSize(qMin(full.width(), 10 * line), qMin(full.height(), 4 * line)));
}

QSize FittingScrollArea::sizeHint() const {
    return minimumSizeHint();
}

bool FittingScrollArea::hasHeightForWidth() const {
    return widget() && widget()->hasHeightForWidth();
}

int FittingScrollArea::heightForWidth(int width) const {
    if (!widget())
        return -1;
    const QSize minimum = contentMinimum();
    const int inner = width - chrome().width();
    int height = widget()->heightForWidth(qMax(inner, minimum.width()));
    // Content wider than the area scrolls sideways, and the scroll bar takes a line of its own.
    if (inner < minimum.width())
        height += horizontalScrollBar()->sizeHint().height();
    const int line = fontMetrics().height();
    return qMax(qMin(height, 4 * line), height + chrome().height() - m_shortfall.height());
}

bool FittingScrollArea::eventFilter(QObject* watched, QEvent* event) {
    // The content changed what it needs: so does the area, and its window sizes itself anew.
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}
