#include "app/main_window.h"

#include "app/wizard.h"

#include <QLabel>

MainWindow::MainWindow(Wizard& wizard, QWidget* parent) : QMainWindow(parent), m_wizard(wizard) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Pellacore Bootwright"));
    auto* label = new QLabel(tr("Pellacore Bootwright builds DOS client diskettes."), this);
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(24);
    setCentralWidget(label);
    resize(509, 361);
}
