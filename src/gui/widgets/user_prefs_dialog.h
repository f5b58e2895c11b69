#pragma once

#include <QDialog>
#include <QString>

class Dialogs;
class Help;
class QCheckBox;

// Hints dialog: switches the five hints on and off all together.
class UserPrefsDialog : public QDialog {
    Q_OBJECT
public:
    UserPrefsDialog(QString programDir, Dialogs& dialogs, Help& help, QWidget* parent = nullptr);

    QCheckBox* checkBox(int hint) const; // 1 to 5

public Q_SLOTS:
    // Writes the five switches in key order, then closes; a refused write is reported and the
    // dialog stays open (the switches written before it stay written).
    void saveAndClose();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_programDir;
    Dialogs& m_dialogs;
    Help& m_help;
    QCheckBox* m_boxes[5];
};
