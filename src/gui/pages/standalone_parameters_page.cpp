#include "gui/pages/standalone_parameters_page.h"

#include "gui/pages/page_host.h"
#include "rules/page_rules.h"
#include "settings/build_settings.h"
#include "settings/page_values.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kNos = PageValue::StandaloneNos;

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

StandaloneParametersPage::StandaloneParametersPage(PageHost& host, QWidget* parent)
    : WizardPage(host, PageId::StandaloneParameters, parent) {
    body()->addWidget(plainLabel(tr("When using Client Standalone mode, the network type and protocol on the "
                                    "Client diskette must match that of the server."),
                                 this));
    QLabel* nosLabel = plainLabel(tr("Select the server NOS (Network Operating System):"), this);
    body()->addWidget(nosLabel);

    m_nos = new QComboBox(this);
    m_nos->setObjectName(QStringLiteral("ComboBox1"));
    nosLabel->setBuddy(m_nos);
    if (const ValueSpec* entry = SettingsTable::find(kNos))
        m_nos->addItems(entry->items);
    m_nos->setCurrentIndex(BuildSettings().index(kNos));
    auto* row = new QHBoxLayout;
    row->addWidget(m_nos);
    row->addStretch(1);
    body()->addLayout(row);

    m_twoDiskettesNote = plainLabel(
        tr("Note: Microsoft standalone mode with Pellacore Client on floppy requires two diskettes."), this);
    m_twoDiskettesNote->setObjectName(QStringLiteral("Label6"));
    m_twoDiskettesNote->setVisible(false);
    body()->addWidget(m_twoDiskettesNote);
    body()->addStretch(1);

    connect(m_nos, &QComboBox::currentIndexChanged, this, &StandaloneParametersPage::nosChanged);
}

void StandaloneParametersPage::nosChanged() {
    m_twoDiskettesNote->setVisible(PageRules::clientOnFloppy(m_nos->currentText()));
}

void StandaloneParametersPage::showPage() {
    nosChanged();
    m_nos->setFocus();
}

bool StandaloneParametersPage::checkNext() {
    // BuildMode and the target follow from the item's prefix in the wizard's route (goNext).
    return !refused(PageRules::standaloneParametersNext(values()));
}
