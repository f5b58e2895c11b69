#pragma once

#include <QDialog>

class AddressEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class PageHost;

// Batch Diskette Update page: gives copied Multicast diskettes one after another their own client
// address and name. Created for one modal showing from the main window and destroyed after it.
class BatchPage : public QDialog {
    Q_OBJECT
public:
    explicit BatchPage(PageHost& host, QWidget* parent = nullptr);

    static constexpr int HelpContext = 602;

public Q_SLOTS:
    void syncAddressUpdate();
    void syncNameUpdate();
    void runUpdate(); // "&GO >"
    void cancel();    // "&Cancel"

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PageHost& m_host;
    QCheckBox* m_updateAddress;
    QLabel* m_addressLabel;
    AddressEdit* m_address;
    QCheckBox* m_updateName;
    QLabel* m_nameLabel;
    QLineEdit* m_name;
    QLineEdit* m_nameCopy;
    QRadioButton* m_driveA;
    QRadioButton* m_driveB;
    QListWidget* m_lineBuffer;
    QPushButton* m_go;
    QPushButton* m_cancel;
    QLabel* m_hostLine; // which host of a loaded host list the next diskette gets

    // With a host list, the fields show the host whose diskette is next.
    void showNextHost();
};
