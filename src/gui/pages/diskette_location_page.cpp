#include "gui/pages/diskette_location_page.h"

#include "gui/pages/page_host.h"
#include "settings/build_settings.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

template <class Button> Button* valueButton(const QString& name, const QString& text, QWidget* parent) {
    auto* button = new Button(text, parent);
    button->setObjectName(name);
    button->setChecked(BuildSettings().isChecked(QStringLiteral("TForm2.") + name));
    return button;
}

// Small print under a drive choice.
QLabel* driveNote(const QString& name, QWidget* parent) {
    QLabel* label = plainLabel(QString(), parent);
    label->setObjectName(name);
    QFont font = label->font();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * 0.85);
        label->setFont(font);
    }
    label->setContentsMargins(24, 0, 0, 0);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

TForm2::TForm2(PageHost& host, QWidget* parent) : WizardPage(host, PageId::DisketteLocation, parent) {
    body()->addWidget(
        plainLabel(tr("Insert a formatted (with DOS boot-up system files) high-density (1.44MB) 3.5 "
                      "inch floppy diskette into the floppy drive now.  This diskette will be made "
                      "into the Pellacore Client boot diskette."),
                   this));
    body()->addWidget(
        plainLabel(tr("Important: Diskette must be formatted with DOS boot-up system files.  It must "
                      "also contain HIMEM.SYS and EMM386.EXE.  Press F1 for more information."),
                   this));

    // A parent of their own: Qt's automatic exclusion takes in every radio button below the parent,
    // and with the hidden format choice among them a click on A: or B: cleared the wrong button.
    auto* driveChoice = new QWidget(this);
    auto* driveLayout = new QVBoxLayout(driveChoice);
    driveLayout->setContentsMargins(0, 0, 0, 0);
    m_radioButton1 =
        valueButton<QRadioButton>(QStringLiteral("RadioButton1"), tr("Diskette is in drive A:"), driveChoice);
    m_driveA = driveNote(QStringLiteral("DriveALabel"), driveChoice);
    m_radioButton2 =
        valueButton<QRadioButton>(QStringLiteral("RadioButton2"), tr("Diskette is in drive B:"), driveChoice);
    m_driveB = driveNote(QStringLiteral("DriveBLabel"), driveChoice);
    m_template = driveNote(QStringLiteral("TemplateLabel"), driveChoice);
    driveLayout->addWidget(m_radioButton1);
    driveLayout->addWidget(m_driveA);
    driveLayout->addWidget(m_radioButton2);
    driveLayout->addWidget(m_driveB);
    driveLayout->addWidget(m_template);
    body()->addWidget(driveChoice);

    // Kept and saved with a configuration, never shown: the build does not format.
    m_groupBox1 = new QGroupBox(this);
    m_groupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* group = new QVBoxLayout(m_groupBox1);
    m_radioButton4 =
        valueButton<QRadioButton>(QStringLiteral("RadioButton4"), tr("Format Diskette."), m_groupBox1);
    m_checkBox1 = valueButton<QCheckBox>(QStringLiteral("CheckBox1"),
                                         tr("Perform a quick format (erase data only)"), m_groupBox1);
    m_radioButton3 = valueButton<QRadioButton>(
        QStringLiteral("RadioButton3"), tr("Diskette is already formatted with system files."), m_groupBox1);
    group->addWidget(m_radioButton4);
    group->addWidget(m_checkBox1);
    group->addWidget(m_radioButton3);
    m_groupBox1->hide();
    body()->addWidget(m_groupBox1);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(
        plainLabel(tr("Click the \"Next\" button to create the Pellacore Client diskette.  All "
                      "information on the diskette will be overwritten!"),
                   panel));
    body()->addWidget(panel);
    body()->addStretch(1);

    connect(m_radioButton3, &QRadioButton::clicked, this, &TForm2::FormatChoiceClick);
    connect(m_radioButton4, &QRadioButton::clicked, this, &TForm2::FormatChoiceClick);
    FormatChoiceClick();
}

void TForm2::FormatChoiceClick() {
    m_checkBox1->setEnabled(m_radioButton4->isChecked());
}

void TForm2::FormShow() {
    FormatChoiceClick();
    // Read at each showing: the drive table may have been edited since.
    const DriveTable drives = host().drives();
    m_driveA->setText(drives.describe(u'A'));
    m_driveB->setText(drives.describe(u'B'));
    m_template->setText(drives.describeTemplate());
}
