#include "gui/pages/netware_page.h"

#include "gui/pages/page_host.h"
#include "gui/pages/page_values.h"
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
    combo->setObjectName(PageValues::controlName(value));
    if (const ValueSpec* entry = SettingsTable::find(value))
        combo->addItems(entry->items);
    combo->setCurrentIndex(defaults.index(value));
    return combo;
}

QLineEdit* textEdit(QLatin1String value, const BuildSettings& defaults, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(PageValues::controlName(value));
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
    button->setObjectName(PageValues::controlName(value));
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
    m_comboBox1 = indexCombo(PageValue::NetwareFrame, defaults, this);
    frameLabel->setBuddy(m_comboBox1);
    auto* frameRow = new QHBoxLayout;
    frameRow->addWidget(m_comboBox1);
    frameRow->addStretch(1);
    body()->addLayout(frameRow);

    body()->addWidget(plainLabel(tr("You can optionally have the client login to the network when it boots."),
                                 nullptr, this));
    auto* loginRow = new QHBoxLayout;
    QWidget* login = buttonPair(this, loginRow);
    m_radioButton1 = radio(PageValue::NetwareLoginOff, tr("Do not login to network"), defaults, login);
    m_radioButton2 = radio(PageValue::NetwareLoginOn, tr("Login to network."), defaults, login);
    auto* loginGrid = new QGridLayout;
    m_label6 = plainLabel(tr("Network Login Drive"), "Label6", this);
    m_comboBox2 = indexCombo(PageValue::NetwareLoginDrive, defaults, this);
    m_label3 = plainLabel(tr("Login Name"), "Label3", this);
    m_edit1 = textEdit(PageValue::NetwareLoginName, defaults, this);
    m_label6->setBuddy(m_comboBox2);
    m_label3->setBuddy(m_edit1);
    loginGrid->addWidget(m_label6, 0, 0);
    loginGrid->addWidget(m_comboBox2, 0, 1);
    loginGrid->addWidget(m_label3, 1, 0);
    loginGrid->addWidget(m_edit1, 1, 1);
    loginRow->addLayout(loginGrid, 1);
    body()->addLayout(loginRow);

    body()->addWidget(plainLabel(tr("You can optionally have the client map to a network drive where the "
                                    "Pellacore images are stored. "),
                                 nullptr, this));
    auto* mapRow = new QHBoxLayout;
    QWidget* map = buttonPair(this, mapRow);
    m_radioButton3 = radio(PageValue::NetwareMapOff, tr("Do not map network drive"), defaults, map);
    m_radioButton4 = radio(PageValue::NetwareMapOn, tr("Map network drive"), defaults, map);
    m_label7 = plainLabel(tr("Map"), "Label7", this);
    m_comboBox3 = indexCombo(PageValue::NetwareMapDrive, defaults, this);
    m_label8 = plainLabel(tr("="), "Label8", this);
    m_edit2 = textEdit(PageValue::NetwareMapPath, defaults, this);
    m_label7->setBuddy(m_comboBox3);
    m_edit2->setAccessibleName(tr("Network path to map"));
    mapRow->addWidget(m_label7);
    mapRow->addWidget(m_comboBox3);
    mapRow->addWidget(m_label8);
    mapRow->addWidget(m_edit2, 1);
    body()->addLayout(mapRow);
    body()->addStretch(1);

    // Toggled rather than clicked: a loaded configuration switches the controls the same way.
    for (QRadioButton* b : {m_radioButton1, m_radioButton2, m_radioButton3, m_radioButton4})
        connect(b, &QRadioButton::toggled, this, &NetWarePage::RadioButtonClick);
    RadioButtonClick();
}

QString NetWarePage::loginHint(const QString& loginName) {
    return QStringLiteral("On your network, create a login under \"") + trimRight(loginName) +
           QStringLiteral("\" with rights to the directory where Pellacore images will be stored.  Do not "
                          "specify a password for this login.");
}

void NetWarePage::RadioButtonClick() {
    const bool map = m_radioButton4->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_label7, m_comboBox3, m_label8, m_edit2})
        w->setVisible(map);
    const bool login = m_radioButton2->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_label6, m_label3, m_comboBox2, m_edit1})
        w->setVisible(login);
}

void NetWarePage::FormShow() {
    RadioButtonClick();
}

bool NetWarePage::checkNext() {
    return !refused(PageRules::netwareNext(values()));
}

void NetWarePage::NextClick() {
    if (!checkNext())
        return;
    // Mapping a drive needs the login as well, so the hint comes with either choice.
    if (m_radioButton4->isChecked() || m_radioButton2->isChecked())
        showHint(host().dialogs(), host().programDir(), kLogonHint, loginHint(m_edit1->text()), QString(),
                 QString(), this);
    goNext();
}
