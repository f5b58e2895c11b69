#pragma once

#include <QDialog>

class Help;
class QLabel;

// About box (TAbout): product picture, what the program does, its version, "&OK".
class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(Help& help, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Help& m_help;
    QLabel* m_version;
};
