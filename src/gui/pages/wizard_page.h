#pragma once

#include "rules/address_routines.h"
#include "rules/page_rules.h"
#include "rules/wizard_flow.h"
#include "settings/build_settings.h"

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class PageHost;

// A wizard page: a window of its own with its controls above the row "< &Back", "&Next >",
// "&Cancel". The default buttons follow the wizard's routes; a page overrides checkNext() for its
// checks and showPage() for what showing it does. F1 opens the page's help topic.
class WizardPage : public QWidget {
    Q_OBJECT
public:
    WizardPage(PageHost& host, PageId id, QWidget* parent = nullptr);

    PageId pageId() const { return m_id; }
    int helpContext() const { return m_helpContext; }
    void setHelpContext(int context) { m_helpContext = context; }

    QPushButton* backButton() const { return m_back; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* cancelButton() const { return m_cancel; }

public Q_SLOTS:
    virtual void back();
    virtual void next();
    virtual void cancel();

protected:
    PageHost& host() const { return m_host; }
    // The page's own area, above the buttons.
    QVBoxLayout* body() const { return m_body; }
    QHBoxLayout* buttonRow() const { return m_buttons; }

    // Every page value as the controls hold them now.
    BuildSettings values() const;
    // Puts back what a core rule worked out: this page's controls take their values from the
    // settings without running the page's click rules.
    void setValues(const BuildSettings& settings);
    // Runs the page's rule for a choice just made (ChoiceRules) on its values and puts them back;
    // `remembered` is what the page keeps for its address fields.
    void runChoice(QLatin1String value, RememberedAddress& remembered);
    // The show step of an address page: with a host list, the next host in place of the page's
    // increments (and the line that says which host it is), without one the increments.
    void addressShowSteps(BuildSettings& settings, const AddressPage& page, RememberedAddress& remembered,
                          QLabel* hostLine);
    // Keeps the host line current while the user edits the fields: it names what differs from the
    // host of the list.
    void watchHostLine(const AddressPage& page, QLabel* hostLine, std::initializer_list<QLineEdit*> fields);
    // Next on an address page whose host list has given every host its diskette: refused, with the
    // offer to close the list and go on with the page's increments (done at once on Yes, so that the
    // page shows what the next diskette gets). True when refused.
    bool refusedAfterLastHost(const AddressPage& page, RememberedAddress& remembered, QLabel* hostLine);
    // Shows a refusal of a page rule; true when there was one (the page then stays).
    bool refused(const Check& check);
    // The refusal of a value in this page's controls that no page value takes (Next shows it).
    Check valuesRefusal() const;

    // Runs each time the page is shown, before it is painted.
    virtual void showPage() {}
    // The page's checks on Next: show at most one message and return false to stay.
    virtual bool checkNext() { return true; }
    // Goes where Next leads after the checks (the wizard's route).
    void goNext();

    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The buttons of the row at the bottom, in the row's order.
    QList<QWidget*> rowButtons() const;
    void arrangeTabOrder();
    void showHostLine(const BuildSettings& settings, const AddressPage& page, QLabel* hostLine);
    // The first control in the tab order that takes the keys now.
    QWidget* firstField() const;
    // Leaves a tab stop only on the selected button of each group of radio buttons.
    void keepTabOnCheckedRadios();
    // Enter that no control took: presses the button with the keys, else Next; false when none.
    bool pressOnEnter();
    // Sizes the window to what it shows now: at least the wizard's width, and as tall as its
    // wrapped texts need at that width, so that nothing is cut.
    void fitToContent();

    PageHost& m_host;
    PageId m_id;
    int m_helpContext;
    QVBoxLayout* m_body;
    QHBoxLayout* m_buttons;
    QPushButton* m_back;
    QPushButton* m_next;
    QPushButton* m_cancel;
    bool m_tabOrderArranged = false;
    bool m_fitting = false;
};
