#pragma once

#include "gui/pages/wizard_page.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QToolButton;

// Diskette location page: the drive that holds the diskette to be made.
class DisketteLocationPage : public WizardPage {
    Q_OBJECT
public:
    explicit DisketteLocationPage(PageHost& host, QWidget* parent = nullptr);

public Q_SLOTS:
    void syncQuickFormat();

protected:
    void showPage() override;

private:
    // "Change...": a menu that puts another image file, folder or floppy drive behind the drive,
    // for good (PCBW.INI's drive table).
    QToolButton* changeButton(QChar letter, QWidget* parent);
    void changeDrive(QChar letter, bool folder);
    void storeDrive(QChar letter, const QString& hostPath);
    void showDrives();

    QRadioButton* m_diskA;
    QRadioButton* m_diskB;
    // What stands behind A: and B: on this machine, which on Linux is a choice of the user's.
    QLabel* m_driveA;
    QLabel* m_driveB;
    QLabel* m_template; // where new diskette images come from
    QGroupBox* m_formatBox;
    QRadioButton* m_formatted;
    QRadioButton* m_format;
    QCheckBox* m_quickFormat;
};
