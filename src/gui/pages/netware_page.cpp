#include "gui/pages/netware_page.h"

#include "gui/pages/control_binding.h"
#include "gui/pages/page_host.h"
#include "gui/widgets/hint_dialog.h"
#include "settings/build_settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kLogonHint = 2;

QLabel* plainLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QComboBox* indexCombo(QLatin1String value, const BuildSettings& defaults, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(ControlBinding::controlName(value));
    if (const ValueSpec* entry = SettingsTable::find(value))
        combo->addItems(entry->items);
    combo->setCurrentIndex(defaults.index(value));
    return combo;
}

QLineEdit* textEdit(QLatin1String value, const BuildSettings& defaults, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(ControlBinding::controlName(value));
    if (const ValueSpec* entry = SettingsTable::find(value); entry && entry->maxLength > 0)
        edit->setMaxLength(entry->maxLength);
    edit->setText(defaults.text(value));
    return edit;
}

// Radio buttons exclude the others of their parent only: each pair gets a parent of its own so the
// login and the mapping choices stay independent.
QWidget* buttonPair(QWidget* parent, QBoxLayout* into) {
    auto* group = new QWidget(parent);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    into->addWidget(group);
    return group;
}

QRadioButton* radio(QLatin1String value, const QString& caption, const BuildSettings& defaults,
                    QWidget* group) {
    auto* button = new QRadioButton(caption, group);
    button->setObjectName(ControlBinding::controlName(value));
    button->setChecked(defaults.isChecked(value));
    group->layout()->addWidget(button);
    return button;
}

// Trailing characters of code 32 or below removed, leading ones kept.
QString trimRight(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].unicode() <= 32)
        --end;
    return text.left(end);
}

} // namespace

NetWarePage::NetWarePage(PageHost& host, QWidget* parent) : WizardPage(host, PageId::NetWare, parent) {
    const BuildSettings defaults;

    QLabel* frameLabel = plainLabel(tr("Select the Ethernet Frame Type"), nullptr, this);
    body()->addWidget(frameLabel);
    m_frame = indexCombo(PageValue::NetwareFrame, defaults, this);
    frameLabel->setBuddy(m_frame);
    auto* frameRow = new QHBoxLayout;
    frameRow->addWidget(m_frame);
    frameRow->addStretch(1);
    body()->addLayout(frameRow);

    body()->addWidget(plainLabel(tr("You can optionally have the client login to the network when it boots."),
                                 nullptr, this));
    auto* loginRow = new QHBoxLayout;
    QWidget* login = buttonPair(this, loginRow);
    m_loginOff = radio(PageValue::NetwareLoginOff, tr("Do not login to network"), defaults, login);
    m_loginOn = radio(PageValue::NetwareLoginOn, tr("Login to network."), defaults, login);
    auto* loginGrid = new QGridLayout;
    m_loginDriveLabel = plainLabel(tr("Network Login Drive"), "Label6", this);
    m_loginDrive = indexCombo(PageValue::NetwareLoginDrive, defaults, this);
    m_loginNameLabel = plainLabel(tr("Login Name"), "Label3", this);
    m_loginName = textEdit(PageValue::NetwareLoginName, defaults, this);
    m_loginDriveLabel->setBuddy(m_loginDrive);
    m_loginNameLabel->setBuddy(m_loginName);
    loginGrid->addWidget(m_loginDriveLabel, 0, 0);
    loginGrid->addWidget(m_loginDrive, 0, 1);
    loginGrid->addWidget(m_loginNameLabel, 1, 0);
    loginGrid->addWidget(m_loginName, 1, 1);
    loginRow->addLayout(loginGrid, 1);
    body()->addLayout(loginRow);

    body()->addWidget(plainLabel(tr("You can optionally have the client map to a network drive where the "
                                    "Pellacore images are stored. "),
                                 nullptr, this));
    auto* mapRow = new QHBoxLayout;
    QWidget* map = buttonPair(this, mapRow);
    m_mapOff = radio(PageValue::NetwareMapOff, tr("Do not map network drive"), defaults, map);
    m_mapOn = radio(PageValue::NetwareMapOn, tr("Map network drive"), defaults, map);
    m_mapLabel = plainLabel(tr("Map"), "Label7", this);
    m_mapDrive = indexCombo(PageValue::NetwareMapDrive, defaults, this);
    m_mapEquals = plainLabel(tr("="), "Label8", this);
    m_mapPath = textEdit(PageValue::NetwareMapPath, defaults, this);
    m_mapLabel->setBuddy(m_mapDrive);
    m_mapPath->setAccessibleName(tr("Network path to map"));
    mapRow->addWidget(m_mapLabel);
    mapRow->addWidget(m_mapDrive);
    mapRow->addWidget(m_mapEquals);
    mapRow->addWidget(m_mapPath, 1);
    body()->addLayout(mapRow);
    body()->addStretch(1);

    // Toggled rather than clicked: a loaded configuration switches the controls the same way.
    for (QRadioButton* b : {m_loginOff, m_loginOn, m_mapOff, m_mapOn})
        connect(b, &QRadioButton::toggled, this, &NetWarePage::showChosenFields);
    showChosenFields();
}

QString NetWarePage::loginHint(const QString& loginName) {
    return QStringLiteral("On your network, create a login under \"") + trimRight(loginName) +
           QStringLiteral("\" with rights to the directory where Pellacore images will be stored.  Do not "
                          "specify a password for this login.");
}

void NetWarePage::showChosenFields() {
    const bool map = m_mapOn->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_mapLabel, m_mapDrive, m_mapEquals, m_mapPath})
        w->setVisible(map);
    const bool login = m_loginOn->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_loginDriveLabel, m_loginNameLabel, m_loginDrive, m_loginName})
        w->setVisible(login);
}

void NetWarePage::showPage() {
    showChosenFields();
}

bool NetWarePage::checkNext() {
    return !refused(PageRules::netwareNext(values()));
}

void NetWarePage::next() {
    if (!checkNext())
        return;
    // Mapping a drive needs the login as well, so the hint comes with either choice.
    if (m_mapOn->isChecked() || m_loginOn->isChecked())
        showHint(host().dialogs(), host().programDir(), kLogonHint, loginHint(m_loginName->text()), QString(),
                 QString(), this);
    goNext();
}
