#pragma once

#include "gui/pages/wizard_page.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;

// NIC selection page: the client's NIC driver, from the catalogue or browsed for.
class NicSelectionPage : public WizardPage {
    Q_OBJECT
public:
    explicit NicSelectionPage(PageHost& host, QWidget* parent = nullptr);

public Q_SLOTS:
    void ListBox1DblClick(QListWidgetItem* item);
    void Button4Click();
    void HintTimerTimer();
    void NextClick() override;

protected:
    void FormShow() override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The browse dialog, its filter of the current mode first. Empty when cancelled.
    QString browseDriver();
    bool driverFound();
    void Edit1Exit();

    QListWidget* m_listBox1;
    QLineEdit* m_edit1;
    QLineEdit* m_edit2;
    QLineEdit* m_edit3;
    QPushButton* m_button4;
    QPushButton* m_button5;
    QTimer* m_hintTimer;
};
