#include "gui/widgets/user_prefs_dialog.h"

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/profile_file.h"
#include "settings/preferences.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 620;

const char* const kCaptions[5] = {
    "Show \"Formatted Floppies Required\" hint",
    "Show \"Netware Logon\" hint",
    "Show \"Batch Diskette Update\" hint",
    "Show \"Client Boot Diskette Operation\" hint",
    "Show \"Multicast mode for Ethernet only\" hint",
};

} // namespace

UserPrefsDialog::UserPrefsDialog(QString programDir, Dialogs& dialogs, Help& help, QWidget* parent)
    : QDialog(parent), m_programDir(std::move(programDir)), m_dialogs(dialogs), m_help(help) {
    setObjectName(QStringLiteral("TUserPrefs"));
    setWindowTitle(tr("Hints"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* group = new QGroupBox(tr("Hints"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* groupLayout = new QVBoxLayout(group);
    const Preferences prefs(m_programDir);
    for (int i = 0; i < 5; ++i) {
        m_boxes[i] = new QCheckBox(QString::fromLatin1(kCaptions[i]), group);
        m_boxes[i]->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        m_boxes[i]->setChecked(prefs.showHint(i + 1));
        groupLayout->addWidget(m_boxes[i]);
    }

    auto* done = new QPushButton(tr("&Done"), this);
    done->setObjectName(QStringLiteral("Button1"));
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &UserPrefsDialog::saveAndClose);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(done);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QCheckBox* UserPrefsDialog::checkBox(int hint) const {
    return hint >= 1 && hint <= 5 ? m_boxes[hint - 1] : nullptr;
}

void UserPrefsDialog::saveAndClose() {
    Preferences prefs(m_programDir);
    try {
        for (int i = 0; i < 5; ++i)
            prefs.setShowHint(i + 1, m_boxes[i]->isChecked());
    } catch (const ProfileWriteError& e) {
        m_dialogs.message(QString::fromStdString(e.what()), Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
        return;
    }
    accept();
}

void UserPrefsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_help.showContext(kHelpContext);
        return;
    }
    QDialog::keyPressEvent(event);
}
