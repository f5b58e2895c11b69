#include "gui/widgets/window_fit.h"

#include <QLayout>
#include <QWidget>

void fitWindowToContent(QWidget* window, QSize least) {
    QLayout* top = window->layout();
    if (!top)
        return;
    top->activate();
    const int w = qMax(least.width(), window->minimumSizeHint().width());
    const int needed =
        top->hasHeightForWidth() ? top->totalHeightForWidth(w) : window->minimumSizeHint().height();
    const int h = qMax(least.height(), top->hasHeightForWidth() ? needed : window->sizeHint().height());
    window->setMinimumSize(w, needed);
    if (window->size() != QSize(w, h))
        window->resize(w, h);
}
