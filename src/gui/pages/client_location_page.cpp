#include "gui/pages/client_location_page.h"

#include "gui/pages/page_host.h"
#include "platform/dos_fs.h"
#include "rules/diskette_copy_offer.h"
#include "settings/build_settings.h"
#include "settings/page_values.h"
#include "settings/preferences.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

ClientLocationPage::ClientLocationPage(PageHost& host, QWidget* parent)
    : WizardPage(host, PageId::ClientLocation, parent) {
    auto* text =
        new QLabel(tr("Enter the location of the Pellacore Client file (usually named: client.exe)"), this);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    body()->addWidget(text);

    auto* row = new QHBoxLayout;
    m_clientProgram = new QLineEdit(BuildSettings().text(PageValue::ClientProgram), this);
    m_clientProgram->setObjectName(QStringLiteral("Edit1"));
    text->setBuddy(m_clientProgram);
    m_browse = new QPushButton(tr("B&rowse"), this);
    m_browse->setObjectName(QStringLiteral("Button4"));
    row->addWidget(m_clientProgram, 1);
    row->addWidget(m_browse);
    body()->addLayout(row);
    body()->addStretch(1);

    connect(m_browse, &QPushButton::clicked, this, &ClientLocationPage::chooseClientProgram);
}

void ClientLocationPage::showPage() {
    BuildSettings s = values();
    PageRules::clientLocationShow(s, host().programDir());
    setValues(s);
}

void ClientLocationPage::chooseClientProgram() {
    // The dialog opens where the field's file is, as a person expects when changing it; Cancel
    // leaves the field as it was.
    const QString chosen = host().dialogs().openFileName(
        tr("Select Pellacore Client"), QStringLiteral("Pellacore Client|Client.EXE|All Files|*.*"),
        host().drives().hostFolder(m_clientProgram->text()), QStringLiteral("CLIENT.EXE"));
    if (!chosen.isEmpty())
        m_clientProgram->setText(chosen);
}

bool ClientLocationPage::locationFound() {
    DosFs fs(host().drives());
    return !refused(PageRules::clientLocationNext(values(), fs));
}

void ClientLocationPage::storeLocation() {
    // The stored location only spares typing next time: a refusal is reported and the wizard goes on.
    Preferences prefs(host().programDir());
    try {
        prefs.setClient(m_clientProgram->text());
    } catch (const std::exception& e) {
        host().dialogs().message(QString::fromStdString(e.what()), Dialogs::Icon::Error);
    }
}

void ClientLocationPage::next() {
    if (!locationFound())
        return;
    if (DisketteCopyOffer::onDisketteDrive(m_clientProgram->text())) {
        DosFs fs(host().drives());
        const DisketteCopyOffer::Outcome outcome = DisketteCopyOffer::run(
            host().dialogs(), fs,
            {QStringLiteral(
                 "You have specified a diskette drive. The Pellacore Client must reside on a fixed disk.  "
                 "Would you like to copy it now?"),
             m_clientProgram->text(), QStringLiteral("Program Files|*.EXE"), host().programDir(),
             QStringLiteral("EXE")});
        if (!outcome.proceed)
            return;
        if (!outcome.target.isEmpty())
            m_clientProgram->setText(outcome.target);
    }
    storeLocation();
    goNext();
}
