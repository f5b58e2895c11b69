#include "gui/widgets/hint_dialog.h"

#include "gui/widgets/app_resources.h"
#include "platform/dialogs.h"
#include "platform/profile_file.h"
#include "settings/preferences.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

HintDialog::HintDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm20"));
    setWindowTitle(tr("Hint"));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(appPicture(QStringLiteral("hint"), QSize(40, 40)));
    picture->setFixedSize(40, 40);
    auto* texts = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_lines[i] = new QLabel(panel);
        m_lines[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        m_lines[i]->setWordWrap(true);
        m_lines[i]->setTextFormat(Qt::PlainText);
        texts->addWidget(m_lines[i]);
    }
    texts->addStretch(1);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(12, 12, 12, 12);
    panelLayout->setSpacing(14);
    panelLayout->addWidget(picture, 0, Qt::AlignTop);
    panelLayout->addLayout(texts, 1);

    m_dontShow = new QCheckBox(tr("&Don't show this message again."), this);
    m_dontShow->setObjectName(QStringLiteral("CheckBox1"));
    m_ok = new QPushButton(tr("&OK"), this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setDefault(true);
    m_hintEdit = new QLineEdit(this);
    m_hintEdit->setObjectName(QStringLiteral("HintEdit"));
    m_hintEdit->setReadOnly(true);
    m_hintEdit->setFocusPolicy(Qt::NoFocus); // holds the key only; the keys go to what one sees
    m_hintEdit->hide();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_dontShow);
    bottom->addStretch(1);
    bottom->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(bottom);
    setFixedWidth(460);

    connect(m_ok, &QPushButton::clicked, this, &HintDialog::confirm);
}

void HintDialog::setHint(const QString& key, const QString& line1, const QString& line2,
                         const QString& line3) {
    m_hintEdit->setText(key);
    const QString lines[3] = {line1, line2, line3};
    for (int i = 0; i < 3; ++i) {
        m_lines[i]->setText(lines[i]);
        // An unused line takes no room, so a one-line hint is not followed by a gap.
        m_lines[i]->setVisible(!lines[i].isEmpty());
    }
    layout()->activate();
    resize(width(), qMax(layout()->heightForWidth(width()), layout()->minimumSize().height()));
}

QString HintDialog::hintKey() const {
    return m_hintEdit->text().trimmed();
}

QLabel* HintDialog::label(int line) const {
    return line >= 1 && line <= 3 ? m_lines[line - 1] : nullptr;
}

void HintDialog::confirm() {
    m_switchOff = m_dontShow->isChecked();
    accept();
}

namespace {

// Returns true when the dialog was shown and the user asked not to see it again.
bool runHint(const QString& programDir, int hint, const QString& line1, const QString& line2,
             const QString& line3, QWidget* parent, QString* key) {
    if (!Preferences(programDir).showHint(hint))
        return false;
    HintDialog dialog(parent);
    dialog.setHint(Preferences::hintKey(hint), line1, line2, line3);
    dialog.exec();
    *key = dialog.hintKey();
    return dialog.switchOffRequested() && !key->isEmpty();
}

} // namespace

void showHint(const QString& programDir, int hint, const QString& line1, const QString& line2,
              const QString& line3, QWidget* parent) {
    QString key;
    if (runHint(programDir, hint, line1, line2, line3, parent, &key))
        ProfileFile(Preferences(programDir).path())
            .writeString(QStringLiteral("CONFIG"), key, QStringLiteral("0"));
}

void showHint(Dialogs& dialogs, const QString& programDir, int hint, const QString& line1,
              const QString& line2, const QString& line3, QWidget* parent) {
    try {
        showHint(programDir, hint, line1, line2, line3, parent);
    } catch (const ProfileWriteError& e) {
        dialogs.message(QString::fromStdString(e.what()), Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
    }
}
