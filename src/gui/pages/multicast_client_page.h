#pragma once

#include "gui/pages/wizard_page.h"
#include "rules/address_routines.h"

class AddressEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTimer;

// Multicast client page: the client's IP address, sub net mask and name for the multicast, with the
// auto-assign, auto-increment and DHCP choices that give successive diskettes their own values.
class MulticastClientPage : public WizardPage {
    Q_OBJECT
public:
    explicit MulticastClientPage(PageHost& host, QWidget* parent = nullptr);

    // Numbers the client name when "Auto Assign." is checked.
    void autoAssignName();
    // Puts both address fields into DHCP mode, or takes them out of it, as "NT- DHCP Auto Assign."
    // says.
    void switchDhcp();

    // What the page keeps for switchDhcp (the values before the last switch or increment).
    const RememberedAddress& remembered() const { return m_remembered; }

protected:
    void showPage() override;
    bool checkNext() override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void showPageHint();

private:
    // Runs the page's rule for a choice just made, over its values, and puts them back.
    void runChoice(QLatin1String value);
    void syncControls();

private:
    AddressEdit* m_ip;
    AddressEdit* m_mask;
    QLineEdit* m_name;
    QLineEdit* m_nameCopy;
    QCheckBox* m_nameIncrement;
    QCheckBox* m_ipIncrement;
    QCheckBox* m_ipDhcp;
    QTimer* m_hintTimer;
    QLabel* m_hostLine; // which host of a loaded host list the page shows
    RememberedAddress m_remembered;
};
