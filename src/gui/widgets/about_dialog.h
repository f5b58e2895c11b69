#pragma once

#include <QDialog>

class Help;
class QLabel;

// About box: product picture, what the program does, its version, "&OK".
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(Help& help, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Help& m_help;
    QLabel* m_version;
};
