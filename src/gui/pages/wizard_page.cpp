#include "gui/pages/wizard_page.h"

#include "gui/pages/page_host.h"
#include "gui/pages/page_values.h"
#include "gui/widgets/window_fit.h"
#include "rules/choice_rules.h"
#include "rules/host_queue.h"
#include "rules/show_steps.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The size every wizard page has at least, so that the pages do not jump in size from one to the
// next; a page whose controls need more takes more.
constexpr int kPageWidth = 560;
constexpr int kPageHeight = 320;

} // namespace

WizardPage::WizardPage(PageHost& host, PageId id, QWidget* parent)
    : QWidget(parent, Qt::Window), m_host(host), m_id(id), m_helpContext(WizardFlow::helpContext(id)) {
    setObjectName(WizardFlow::className(id));
    setWindowTitle(WizardFlow::caption(id));

    auto* outer = new QVBoxLayout(this);
    m_body = new QVBoxLayout;
    outer->addLayout(m_body, 1);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    m_back = new QPushButton(tr("< &Back"), this);
    m_next = new QPushButton(tr("&Next >"), this);
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_next->setDefault(true);
    m_buttons->addWidget(m_back);
    m_buttons->addWidget(m_next);
    m_buttons->addSpacing(12);
    m_buttons->addWidget(m_cancel);
    outer->addLayout(m_buttons);

    connect(m_back, &QPushButton::clicked, this, &WizardPage::BackClick);
    connect(m_next, &QPushButton::clicked, this, [this] {
        if (!refused(valuesRefusal()))
            NextClick();
    });
    connect(m_cancel, &QPushButton::clicked, this, &WizardPage::CancelClick);
}

void WizardPage::BackClick() {
    m_host.go(this, WizardFlow::back(m_id, m_host.buildMode(), m_host.chosenNos()));
}

void WizardPage::NextClick() {
    if (checkNext())
        goNext();
}

void WizardPage::goNext() {
    const WizardFlow::Next step = WizardFlow::next(m_id, m_host.buildMode(), m_host.chosenNos());
    if (!step.message.isEmpty()) {
        m_host.dialogs().message(step.message, Dialogs::Icon::Information, Dialogs::Buttons::Ok, 0);
        return;
    }
    m_host.setBuildMode(step.buildMode);
    m_host.go(this, step.target);
}

void WizardPage::CancelClick() {
    // Only back to the main window: whatever the question says, no value is reset.
    if (m_host.dialogs().message(WizardFlow::cancelQuestion(m_id), Dialogs::Icon::Information,
                                 Dialogs::Buttons::OkCancel, 0) == Dialogs::Button::Ok)
        m_host.showMain(this);
}

BuildSettings WizardPage::values() const {
    return m_host.collect();
}

void WizardPage::setValues(const BuildSettings& settings) {
    PageValues::write(this, settings, true);
}

void WizardPage::runChoice(QLatin1String value, RememberedAddress& remembered) {
    BuildSettings s = values();
    ChoiceRules::chosen(s, value, remembered);
    setValues(s);
}

void WizardPage::addressShowSteps(BuildSettings& s, const AddressPage& page, RememberedAddress& remembered,
                                  QLabel* hostLine) {
    HostQueue& hosts = m_host.hosts();
    if (const std::optional<Host> next = hosts.current()) {
        ShowSteps::takeHost(s, page, remembered, *next);
        hosts.taken(m_id);
    } else if (!hosts.active()) {
        ShowSteps::applyAddressSteps(s, page, remembered);
    }
    hostLine->setText(hosts.line());
    hostLine->setVisible(hosts.active());
}

Check WizardPage::valuesRefusal() const {
    // A pasted control character gets into a field; the page's values refuse it before any check
    // or the next page reads them.
    try {
        BuildSettings own;
        PageValues::read(this, own);
    } catch (const SettingsError& e) {
        return Refusal{QString::fromStdString(e.what()), Dialogs::Icon::Error};
    }
    return {};
}

bool WizardPage::refused(const Check& check) {
    if (!check)
        return false;
    m_host.dialogs().message(check->text, check->icon, Dialogs::Buttons::Ok, 0);
    return true;
}

QList<QWidget*> WizardPage::rowButtons() const {
    QList<QWidget*> row;
    for (int i = 0; i < m_buttons->count(); ++i) {
        if (QWidget* w = m_buttons->itemAt(i)->widget())
            row << w;
    }
    return row;
}

void WizardPage::arrangeTabOrder() {
    // The buttons are made before the page's own controls; a person reads the fields first.
    const QList<QWidget*> row = rowButtons();
    QWidget* last = nullptr;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!row.contains(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            last = w;
    }
    for (QWidget* button : row) {
        if (last)
            setTabOrder(last, button);
        last = button;
    }
}

QWidget* WizardPage::firstField() const {
    const QList<QWidget*> row = rowButtons();
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!row.contains(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this))
            return w;
    }
    return nullptr;
}

void WizardPage::fitToContent() {
    fitWindowToContent(this, QSize(kPageWidth, kPageHeight));
}

bool WizardPage::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // A control shown or hidden, a text changed: the page takes the size its content now needs.
    if (event->type() == QEvent::LayoutRequest && !m_fitting) {
        m_fitting = true;
        fitToContent();
        m_fitting = false;
    }
    return handled;
}

void WizardPage::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (!m_tabOrderArranged) {
            arrangeTabOrder();
            // Every tab in view: a tab behind scroll arrows is a tab people miss.
            for (QTabWidget* tabs : findChildren<QTabWidget*>()) {
                tabs->setUsesScrollButtons(false);
                tabs->setElideMode(Qt::ElideNone);
            }
            m_tabOrderArranged = true;
        }
        if (const std::optional<int> mode = PageRules::buildModeOnShow(m_id))
            m_host.setBuildMode(*mode);
        FormShow();
        fitToContent();
        // The first field takes the keys, unless showing the page chose another place.
        if (!focusWidget() || rowButtons().contains(focusWidget()) || !focusWidget()->isVisibleTo(this)) {
            if (QWidget* first = firstField())
                first->setFocus(Qt::TabFocusReason);
        }
    }
    QWidget::showEvent(event);
}

void WizardPage::closeEvent(QCloseEvent* event) {
    // The program ending closes every window, and a page must not stand in its way.
    if (!event->spontaneous()) {
        event->accept();
        return;
    }
    // Closing the window by its frame would strand the user with no window up: treat it as Cancel.
    event->ignore();
    CancelClick();
}

void WizardPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // Esc is the page's Cancel, whatever the button does on this page.
        if (m_cancel->isVisible() && m_cancel->isEnabled())
            m_cancel->click();
        return;
    }
    if (event->key() == Qt::Key_F1) {
        m_host.help().showContext(m_helpContext);
        return;
    }
    QWidget::keyPressEvent(event);
}
