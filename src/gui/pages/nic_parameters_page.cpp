#include "gui/pages/nic_parameters_page.h"

#include "gui/pages/page_host.h"
#include "settings/build_settings.h"
#include "settings/page_values.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel* plainLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QStringList itemsOf(const QString& name) {
    const ValueSpec* entry = SettingsTable::find(name);
    return entry ? entry->items : QStringList();
}

} // namespace

NicParametersPage::NicParametersPage(PageHost& host, QWidget* parent) : WizardPage(host, PageId::NicParameters, parent) {
    const BuildSettings defaults;
    body()->addWidget(plainLabel(tr("Select the NIC and System Plug-N-Play type"), QString(), this));

    m_radioButton1 = new QRadioButton(tr("Client NIC and System are Plug-N-Play"), this);
    m_radioButton1->setObjectName(QStringLiteral("RadioButton1"));
    m_radioButton2 = new QRadioButton(tr("Client NIC or System are not Plug-N-Play"), this);
    m_radioButton2->setObjectName(QStringLiteral("RadioButton2"));
    m_radioButton1->setChecked(defaults.isChecked(PageValue::NicPnpOn));
    m_radioButton2->setChecked(defaults.isChecked(PageValue::NicPnpOff));
    body()->addWidget(m_radioButton1);
    body()->addWidget(m_radioButton2);

    m_label1 =
        plainLabel(tr("If the Client NIC or System are not Plug-N-Play then you will need to select the IRQ "
                      "and Base I/O Address of the destination client NIC."),
                   QStringLiteral("Label1"), this);
    body()->addWidget(m_label1);

    auto* grid = new QGridLayout;
    m_label2 = plainLabel(tr("Client NIC IRQ:"), QStringLiteral("Label2"), this);
    m_comboBox1 = new QComboBox(this);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox1->addItems(itemsOf(PageValue::NicIrq));
    m_comboBox1->setCurrentIndex(defaults.index(PageValue::NicIrq));
    m_label2->setBuddy(m_comboBox1);
    m_label3 = plainLabel(tr("Client NIC Base I/O Address:"), QStringLiteral("Label3"), this);
    m_comboBox2 = new QComboBox(this);
    m_comboBox2->setObjectName(QStringLiteral("ComboBox2"));
    m_comboBox2->setEditable(true);
    m_label3->setBuddy(m_comboBox2);
    // Any text may be typed: the port is written into the network configuration as it stands.
    m_comboBox2->setInsertPolicy(QComboBox::NoInsert);
    m_comboBox2->addItems(itemsOf(PageValue::NicPort));
    m_comboBox2->setCurrentText(defaults.text(PageValue::NicPort));
    grid->addWidget(m_label2, 0, 0);
    grid->addWidget(m_comboBox1, 0, 1);
    grid->addWidget(m_label3, 1, 0);
    grid->addWidget(m_comboBox2, 1, 1);
    grid->setColumnStretch(2, 1);
    body()->addLayout(grid);
    body()->addStretch(1);

    connect(m_radioButton1, &QRadioButton::clicked, this, &NicParametersPage::RadioButtonClick);
    connect(m_radioButton2, &QRadioButton::clicked, this, &NicParametersPage::RadioButtonClick);
    RadioButtonClick();
}

void NicParametersPage::RadioButtonClick() {
    // The IRQ and port only matter to a card that is not Plug and Play.
    const bool manual = m_radioButton2->isChecked();
    for (QWidget* w :
         {static_cast<QWidget*>(m_label1), static_cast<QWidget*>(m_label2), static_cast<QWidget*>(m_label3),
          static_cast<QWidget*>(m_comboBox1), static_cast<QWidget*>(m_comboBox2)})
        w->setVisible(manual);
}

void NicParametersPage::FormShow() {
    RadioButtonClick();
}

bool NicParametersPage::checkNext() {
    return !refused(PageRules::nicParametersNext(values()));
}
