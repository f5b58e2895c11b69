#pragma once

#include <QMainWindow>

class Wizard;

// Main window of the desktop program (TForm1).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Wizard& wizard, QWidget* parent = nullptr);

private:
    Wizard& m_wizard;
};
