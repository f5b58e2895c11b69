#include "gui/pages/wizard_page.h"

#include "gui/pages/control_binding.h"
#include "gui/pages/page_host.h"
#include "gui/widgets/window_fit.h"
#include "rules/choice_rules.h"
#include "rules/host_queue.h"
#include "rules/show_steps.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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
    // The page's own controls scroll only where the screen is too small for the page.
    auto* content = new QWidget(this);
    m_body = new QVBoxLayout(content);
    m_body->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(new FittingScrollArea(content, this), 1);
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

    connect(m_back, &QPushButton::clicked, this, &WizardPage::back);
    connect(m_next, &QPushButton::clicked, this, [this] {
        if (!refused(valuesRefusal()))
            next();
    });
    connect(m_cancel, &QPushButton::clicked, this, &WizardPage::cancel);
}

void WizardPage::back() {
    m_host.go(this, WizardFlow::back(m_id, m_host.buildMode(), m_host.chosenNos()));
}

void WizardPage::next() {
    if (checkNext())
        goNext();
}

void WizardPage::goNext() {
    const WizardFlow::Next step = WizardFlow::next(m_id, m_host.buildMode(), m_host.chosenNos());
    if (!step.message.isEmpty()) {
        m_host.dialogs().message(step.message, Dialogs::Icon::Warning, Dialogs::Buttons::Ok, 0);
        return;
    }
    m_host.setBuildMode(step.buildMode);
    m_host.go(this, step.target);
}

void WizardPage::cancel() {
    // Only back to the main window: whatever the question says, no value is reset.
    if (m_host.dialogs().message(WizardFlow::cancelQuestion(m_id), Dialogs::Icon::Information,
                                 Dialogs::Buttons::OkCancel, 0) == Dialogs::Button::Ok)
        m_host.showMain(this);
}

BuildSettings WizardPage::values() const {
    return m_host.collect();
}

void WizardPage::setValues(const BuildSettings& settings) {
    ControlBinding::write(this, settings, true);
}

void WizardPage::runChoice(QLatin1String value, RememberedAddress& remembered) {
    BuildSettings s = values();
    ChoiceRules::chosen(s, value, remembered);
    setValues(s);
}

void WizardPage::addressShowSteps(BuildSettings& s, const AddressPage& page, RememberedAddress& remembered,
                                  QLabel* hostLine) {
    HostQueue& hosts = m_host.hosts();
    AdvanceDue& due = m_host.advanceDue();
    if (hosts.due(m_id)) {
        // Once, when the host comes up: later showings keep what the user made of it.
        ShowSteps::takeHost(s, page, remembered, *hosts.current());
        hosts.taken(m_id);
        due.take(m_id);
    } else {
        // While a list is loaded the increments wait: when every host has its diskette they go on
        // from the last host once the list is closed.
        ShowSteps::applyAddressSteps(s, page, remembered, !hosts.active() && due.take(m_id));
    }
    showHostLine(s, page, hostLine);
}

void WizardPage::showHostLine(const BuildSettings& s, const AddressPage& page, QLabel* hostLine) {
    const HostQueue& hosts = m_host.hosts();
    hostLine->setText(hosts.line(s, page));
    hostLine->setVisible(hosts.active());
}

void WizardPage::watchHostLine(const AddressPage& page, QLabel* hostLine,
                               std::initializer_list<QLineEdit*> fields) {
    for (QLineEdit* field : fields) {
        connect(field, &QLineEdit::textChanged, hostLine, [this, &page, hostLine] {
            if (!m_host.hosts().active())
                return;
            BuildSettings s;
            ControlBinding::read(this, s);
            showHostLine(s, page, hostLine);
        });
    }
}

bool WizardPage::refusedAfterLastHost(const AddressPage& page, RememberedAddress& remembered,
                                      QLabel* hostLine) {
    HostQueue& hosts = m_host.hosts();
    if (!hosts.active() || hosts.current())
        return false;
    const QString question =
        tr("%1\r\rAnother diskette now would repeat the last host's name and address.\r\rClose the host "
           "list (File, Close Host List) and go on with this page's Auto-Increment and Auto Assign?")
            .arg(hosts.line());
    if (m_host.dialogs().message(question, Dialogs::Icon::Warning, Dialogs::Buttons::YesNo, 0) ==
        Dialogs::Button::Yes) {
        hosts.close();
        BuildSettings s = values();
        ShowSteps::applyAddressSteps(s, page, remembered, m_host.advanceDue().take(m_id));
        setValues(s);
        showHostLine(s, page, hostLine);
    }
    // Either way the page stays: the user sees the values the next diskette would get.
    return true;
}

Check WizardPage::valuesRefusal() const {
    // A pasted control character gets into a field; the page's values refuse it before any check
    // or the next page reads them.
    try {
        BuildSettings own;
        ControlBinding::read(this, own);
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

void WizardPage::keepTabOnCheckedRadios() {
    // Tab stops once in a group of choices, on the one made; the arrow keys move within the group
    // (Qt moves them among a parent's auto-exclusive buttons whatever their focus policy).
    for (QRadioButton* button : findChildren<QRadioButton*>()) {
        if (!button->property("bwTabWatched").toBool()) {
            button->setProperty("bwTabWatched", true);
            connect(button, &QRadioButton::toggled, this, &WizardPage::keepTabOnCheckedRadios);
        }
        bool groupHasChoice = false;
        for (QRadioButton* sibling :
             button->parentWidget()->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly))
            groupHasChoice = groupHasChoice || sibling->isChecked();
        const bool tabStop = button->isChecked() || !groupHasChoice || !button->autoExclusive();
        button->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
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
        if (const std::optional<BuildMode> mode = PageRules::buildModeOnShow(m_id))
            m_host.setBuildMode(*mode);
        showPage();
        keepTabOnCheckedRadios();
        fitToContent();
        // The first field takes the keys, unless showing the page chose another place.
        if (!focusWidget() || rowButtons().contains(focusWidget()) || !focusWidget()->isVisibleTo(this) ||
            !(focusWidget()->focusPolicy() & Qt::TabFocus)) {
            if (QWidget* first = firstField())
                first->setFocus(Qt::TabFocusReason);
        }
        // A page is reached by keys as often as by the mouse: where the keys are must show, as after
        // a Tab, whichever way the previous page was left.
        setAttribute(Qt::WA_KeyboardFocusChange);
    } else {
        // Mapped by the window manager: its frame is known now, and the page keeps within the
        // screen with it.
        fitToContent();
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
    cancel();
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
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && pressOnEnter())
        return;
    QWidget::keyPressEvent(event);
}

bool WizardPage::pressOnEnter() {
    // Only the keys a control left alone arrive here. Enter on a list chooses its item and no more.
    QWidget* focus = focusWidget();
    if (qobject_cast<QAbstractItemView*>(focus))
        return false;
    // As in a dialog, a button with the keys is the one Enter presses; from a field it is Next.
    auto* button = qobject_cast<QPushButton*>(focus);
    if (!button)
        button = m_next;
    if (!button->isVisible() || !button->isEnabled())
        return false;
    // The button takes the keys first, as a click would give them: a field that acts when it is
    // left (a typed NIC driver, a copied name) has done so before the button's checks run.
    button->setFocus(Qt::OtherFocusReason);
    button->click();
    return true;
}
