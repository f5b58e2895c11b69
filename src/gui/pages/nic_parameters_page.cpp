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

NicParametersPage::NicParametersPage(PageHost& host, QWidget* parent)
    : WizardPage(host, PageId::NicParameters, parent) {
    const BuildSettings defaults;
    body()->addWidget(plainLabel(tr("Select the NIC and System Plug-N-Play type"), QString(), this));

    m_pnpOn = new QRadioButton(tr("Client NIC and System are Plug-N-Play"), this);
    m_pnpOn->setObjectName(QStringLiteral("RadioButton1"));
    m_pnpOff = new QRadioButton(tr("Client NIC or System are not Plug-N-Play"), this);
    m_pnpOff->setObjectName(QStringLiteral("RadioButton2"));
    m_pnpOn->setChecked(defaults.isChecked(PageValue::NicPnpOn));
    m_pnpOff->setChecked(defaults.isChecked(PageValue::NicPnpOff));
    body()->addWidget(m_pnpOn);
    body()->addWidget(m_pnpOff);

    m_manualNote =
        plainLabel(tr("If the Client NIC or System are not Plug-N-Play then you will need to select the IRQ "
                      "and Base I/O Address of the destination client NIC."),
                   QStringLiteral("Label1"), this);
    body()->addWidget(m_manualNote);

    auto* grid = new QGridLayout;
    m_irqLabel = plainLabel(tr("Client NIC IRQ:"), QStringLiteral("Label2"), this);
    m_irq = new QComboBox(this);
    m_irq->setObjectName(QStringLiteral("ComboBox1"));
    m_irq->addItems(itemsOf(PageValue::NicIrq));
    m_irq->setCurrentIndex(defaults.index(PageValue::NicIrq));
    m_irqLabel->setBuddy(m_irq);
    m_portLabel = plainLabel(tr("Client NIC Base I/O Address:"), QStringLiteral("Label3"), this);
    m_port = new QComboBox(this);
    m_port->setObjectName(QStringLiteral("ComboBox2"));
    m_port->setEditable(true);
    m_portLabel->setBuddy(m_port);
    // Any text may be typed: the port is written into the network configuration as it stands.
    m_port->setInsertPolicy(QComboBox::NoInsert);
    m_port->addItems(itemsOf(PageValue::NicPort));
    m_port->setCurrentText(defaults.text(PageValue::NicPort));
    grid->addWidget(m_irqLabel, 0, 0);
    grid->addWidget(m_irq, 0, 1);
    grid->addWidget(m_portLabel, 1, 0);
    grid->addWidget(m_port, 1, 1);
    grid->setColumnStretch(2, 1);
    body()->addLayout(grid);
    body()->addStretch(1);

    connect(m_pnpOn, &QRadioButton::clicked, this, &NicParametersPage::showManualFields);
    connect(m_pnpOff, &QRadioButton::clicked, this, &NicParametersPage::showManualFields);
    showManualFields();
}

void NicParametersPage::showManualFields() {
    // The IRQ and port only matter to a card that is not Plug and Play.
    const bool manual = m_pnpOff->isChecked();
    for (QWidget* w :
         {static_cast<QWidget*>(m_manualNote), static_cast<QWidget*>(m_irqLabel),
          static_cast<QWidget*>(m_portLabel), static_cast<QWidget*>(m_irq), static_cast<QWidget*>(m_port)})
        w->setVisible(manual);
}

void NicParametersPage::showPage() {
    showManualFields();
}

bool NicParametersPage::checkNext() {
    return !refused(PageRules::nicParametersNext(values()));
}
