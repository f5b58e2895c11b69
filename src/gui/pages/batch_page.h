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
    void CheckBox1Click();
    void CheckBox2Click();
    void Button2Click(); // "&GO >"
    void Button3Click(); // "&Cancel"

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PageHost& m_host;
    QCheckBox* m_checkBox1;
    QLabel* m_label1;
    AddressEdit* m_edit1;
    QCheckBox* m_checkBox2;
    QLabel* m_label2;
    QLineEdit* m_edit3;
    QLineEdit* m_edit2;
    QRadioButton* m_radioButton1;
    QRadioButton* m_radioButton2;
    QListWidget* m_listBox1;
    QPushButton* m_button2;
    QPushButton* m_button3;
    QLabel* m_hostLine; // which host of a loaded host list the next diskette gets

    // With a host list, the fields show the host whose diskette is next.
    void showNextHost();
};
