#include "gui/pages/save_configuration_page.h"

#include "gui/pages/page_host.h"
#include "settings/config_store.h"
#include "settings/page_values.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SaveConfigurationPage::SaveConfigurationPage(PageHost& host, QWidget* parent)
    : WizardPage(host, PageId::SaveConfiguration, parent) {
    auto* text =
        new QLabel(tr("Enter a short description for this configuration.   The description you enter "
                      "here will be how you will identify this configuration in the future."),
                   this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    body()->addWidget(text);

    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("Edit1"));
    m_description->setText(BuildSettings().text(PageValue::SaveDescription));
    auto* label = new QLabel(tr("Description:"), this);
    label->setObjectName(QStringLiteral("Label2"));
    label->setBuddy(m_description);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_description, 1);
    body()->addSpacing(8);
    body()->addLayout(row);
    body()->addStretch(1);

    backButton()->hide();
    saveButton()->setText(tr("&Save"));
    saveButton()->setObjectName(QStringLiteral("Button1"));
    cancelButton()->setObjectName(QStringLiteral("Button2"));
    setMinimumWidth(420);

    // Enter in the field saves, as the page's default button would.
    connect(m_description, &QLineEdit::returnPressed, this, &SaveConfigurationPage::next);
}

void SaveConfigurationPage::showPage() {
    // The description stays from the last save or load, ready to be kept or typed over.
    m_description->setFocus();
    m_description->selectAll();
}

void SaveConfigurationPage::next() {
    if (save())
        host().go(this, PageId::Summary);
}

void SaveConfigurationPage::cancel() {
    host().go(this, PageId::Summary);
}

// The button is never shown; should it be reached all the same, it leaves as Cancel does.
void SaveConfigurationPage::back() {
    cancel();
}

bool SaveConfigurationPage::save() {
    Dialogs& dialogs = host().dialogs();
    ConfigStore::SaveResult result;
    try {
        result = ConfigStore(host().programDir())
                     .save(
                         m_description->text(), host().collect(),
                         [&dialogs] {
                             return dialogs.message(ConfigMessages::AlreadyExists, Dialogs::Icon::Information,
                                                    Dialogs::Buttons::YesNo, 0) == Dialogs::Button::Yes;
                         },
                         // With every slot in use the oldest configuration goes only when the user says so.
                         [&dialogs](const QString& replaced) {
                             return dialogs.message(ConfigMessages::ReplaceOldest.arg(replaced),
                                                    Dialogs::Icon::Information, Dialogs::Buttons::YesNo,
                                                    0) == Dialogs::Button::Yes;
                         });
    } catch (const std::exception& e) {
        dialogs.message(QString::fromStdString(e.what()), Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
        return false;
    }

    using Status = ConfigStore::SaveResult::Status;
    switch (result.status) {
    case Status::Saved:
        return true;
    case Status::Refused:
        // The empty description has always been answered with OK and Cancel; the refusals of a
        // description the file cannot hold are plain notices.
        dialogs.message(result.message, Dialogs::Icon::Information,
                        result.message == ConfigMessages::NeedDescription ? Dialogs::Buttons::OkCancel
                                                                          : Dialogs::Buttons::Ok,
                        0);
        break;
    case Status::NotOverwritten:
    case Status::NotReplaced:
        dialogs.message(result.message, Dialogs::Icon::Information, Dialogs::Buttons::OkCancel, 0);
        break;
    case Status::Failed:
        dialogs.message(result.message, Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
        break;
    }
    m_description->setFocus();
    return false;
}
