#pragma once

#include "gui/pages/wizard_page.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// NetWare page: the NetWare client's frame type, an optional login and an optional drive mapping.
class NetWarePage : public WizardPage {
    Q_OBJECT
public:
    explicit NetWarePage(PageHost& host, QWidget* parent = nullptr);

    // The first line of the login hint: the login name quoted without its trailing blanks.
    static QString loginHint(const QString& loginName);

public Q_SLOTS:
    void next() override;
    // The login controls show only with "Login to network.", the mapping controls only with
    // "Map network drive".
    void showChosenFields();

protected:
    void showPage() override;
    bool checkNext() override;

private:
    QComboBox* m_frame;
    QRadioButton *m_loginOff, *m_loginOn;
    QLabel *m_loginDriveLabel, *m_loginNameLabel;
    QComboBox* m_loginDrive;
    QLineEdit* m_loginName;
    QRadioButton *m_mapOff, *m_mapOn;
    QLabel *m_mapLabel, *m_mapEquals;
    QComboBox* m_mapDrive;
    QLineEdit* m_mapPath;
};
