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
    void chooseCard(QListWidgetItem* item);
    void chooseDriver();
    void showPageHint();
    void next() override;

protected:
    void showPage() override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The browse dialog, its filter of the current mode first. Empty when cancelled.
    QString browseDriver();
    bool driverFound();
    void leaveSelection();

    QListWidget* m_cards;
    QLineEdit* m_selection;
    QLineEdit* m_driver;
    QLineEdit* m_entry;
    QPushButton* m_browse;
    QPushButton* m_loadList;
    QTimer* m_hintTimer;
};
