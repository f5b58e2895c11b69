#pragma once

#include <QSize>

class QWidget;

// Sizes a window to what it shows now: at least `least`, at least as wide as its controls need,
// and as tall as its wrapped texts need at that width, so that nothing is cut. Qt sizes a window
// by its layout's plain minimum, which knows nothing of texts that wrap.
void fitWindowToContent(QWidget* window, QSize least);
