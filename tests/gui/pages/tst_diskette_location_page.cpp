#include "gui/pages/wizard_page.h"
#include "gui_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestDisketteLocationPage : public QObject {
    Q_OBJECT
private:
    static WizardPage* page(const GuiFixture& f) {
        return f.wizard->form<WizardPage>(PageId::DisketteLocation);
    }
    template <class T> static T* control(const GuiFixture& f, const char* name) {
        return f.control<T>(QStringLiteral("TForm2"), QString::fromLatin1(name));
    }
    static void show(GuiFixture& f) { f.wizard->go(nullptr, PageId::DisketteLocation); }
    static QString value(const GuiFixture& f, const char* name) {
        return f.wizard->collect().value(QStringLiteral("TForm2.") + QString::fromLatin1(name));
    }

private Q_SLOTS:
    void startValuesAndTexts();
    void driveNotes();
    void chooseDriveB();
    void quickFormatEnabledOnlyWithFormat();
    void routes();
};

void TestDisketteLocationPage::startValuesAndTexts() {
    GuiFixture f;
    QCOMPARE(page(f)->windowTitle(), QStringLiteral("Diskette Location"));
    QCOMPARE(control<QRadioButton>(f, "RadioButton1")->text(), QStringLiteral("Diskette is in drive A:"));
    QCOMPARE(control<QRadioButton>(f, "RadioButton2")->text(), QStringLiteral("Diskette is in drive B:"));
    QCOMPARE(control<QRadioButton>(f, "RadioButton3")->text(),
             QStringLiteral("Diskette is already formatted with system files."));
    QCOMPARE(control<QRadioButton>(f, "RadioButton4")->text(), QStringLiteral("Format Diskette."));
    QCOMPARE(control<QCheckBox>(f, "CheckBox1")->text(),
             QStringLiteral("Perform a quick format (erase data only)"));
    QStringList texts;
    for (QLabel* label : page(f)->findChildren<QLabel*>())
        texts << label->text();
    QVERIFY(texts.contains(QStringLiteral(
        "Insert a formatted (with DOS boot-up system files) high-density (1.44MB) 3.5 inch floppy diskette "
        "into the "
        "floppy drive now.  This diskette will be made into the Pellacore Client boot diskette.")));
    QVERIFY(texts.contains(
        QStringLiteral("Important: Diskette must be formatted with DOS boot-up system files.  It "
                       "must also contain HIMEM.SYS and EMM386.EXE.  Press F1 for more "
                       "information.")));
    QVERIFY(texts.contains(
        QStringLiteral("Click the \"Next\" button to create the Pellacore Client diskette.  All "
                       "information on the diskette will be overwritten!")));

    show(f);
    // The format choices are kept for saved configurations only; the user never sees them.
    QVERIFY(!control<QGroupBox>(f, "GroupBox1")->isVisible());
    QVERIFY(control<QRadioButton>(f, "RadioButton1")->isVisible());
    QCOMPARE(value(f, "RadioButton1"), QStringLiteral("1"));
    QCOMPARE(value(f, "RadioButton2"), QStringLiteral("0"));
    QCOMPARE(value(f, "RadioButton3"), QStringLiteral("1"));
    QCOMPARE(value(f, "RadioButton4"), QStringLiteral("0"));
    QCOMPARE(value(f, "CheckBox1"), QStringLiteral("0"));
    QVERIFY(!control<QCheckBox>(f, "CheckBox1")->isEnabled());
}

void TestDisketteLocationPage::driveNotes() {
    GuiFixture f("[DRIVES]\r\nA=floppyA\r\n");
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("floppyA")));
    show(f);
    QCOMPARE(control<QLabel>(f, "DriveALabel")->text(),
             QStringLiteral("A: is the folder ") + f.path(QStringLiteral("floppyA")));
    QCOMPARE(control<QLabel>(f, "DriveBLabel")->text(),
             QStringLiteral("B: is the image ") + f.path(QStringLiteral("B.img")) +
                 QStringLiteral(" (made blank when first written)"));
    QVERIFY(control<QLabel>(f, "TemplateLabel")->text().startsWith("New diskette images are made blank"));

    // Read at each showing: a drive table edited meanwhile shows at once.
    page(f)->hide();
    QVERIFY(TestEnv::makeSystemImage(f.path(QStringLiteral("dos.img"))));
    TestEnv::writeHostFile(f.path(QStringLiteral("PCBW.INI")),
                           "[DRIVES]\r\nA=floppyA\r\nB=new.img\r\nTemplate=dos.img\r\n");
    show(f);
    QCOMPARE(control<QLabel>(f, "DriveBLabel")->text(),
             QStringLiteral("B: is the image ") + f.path("new.img") +
                 QStringLiteral(" (made from the template when first written)"));
    QCOMPARE(control<QLabel>(f, "TemplateLabel")->text(),
             QStringLiteral("New diskette images are made from the template ") + f.path("dos.img") + ".");

    page(f)->hide();
    TestEnv::writeHostFile(f.path(QStringLiteral("PCBW.INI")),
                           "[DRIVES]\r\nA=floppyA\r\nB=\r\nTemplate=floppyA\r\n");
    show(f);
    QCOMPARE(control<QLabel>(f, "DriveBLabel")->text(), QStringLiteral("B: is not mapped"));
    QVERIFY2(control<QLabel>(f, "TemplateLabel")->text().contains("cannot be used"),
             qPrintable(control<QLabel>(f, "TemplateLabel")->text()));
}

void TestDisketteLocationPage::chooseDriveB() {
    GuiFixture f;
    show(f);
    clickChoice(control<QRadioButton>(f, "RadioButton2"));
    QCOMPARE(value(f, "RadioButton1"), QStringLiteral("0"));
    QCOMPARE(value(f, "RadioButton2"), QStringLiteral("1"));
    // The hidden format choices are a group of their own.
    QCOMPARE(value(f, "RadioButton3"), QStringLiteral("1"));
    clickChoice(control<QRadioButton>(f, "RadioButton1"));
    QCOMPARE(value(f, "RadioButton1"), QStringLiteral("1"));
    QCOMPARE(value(f, "RadioButton2"), QStringLiteral("0"));
}

void TestDisketteLocationPage::quickFormatEnabledOnlyWithFormat() {
    GuiFixture f;
    show(f);
    auto* quick = control<QCheckBox>(f, "CheckBox1");
    // Hidden controls cannot be clicked with the mouse; click() is what a click does to them.
    control<QRadioButton>(f, "RadioButton4")->click();
    QVERIFY(quick->isEnabled());
    QVERIFY(control<QRadioButton>(f, "RadioButton1")->isChecked());
    control<QRadioButton>(f, "RadioButton3")->click();
    QVERIFY(!quick->isEnabled());

    // A loaded configuration that chose formatting enables the box at the next showing.
    page(f)->hide();
    BuildSettings loaded = f.wizard->collect();
    loaded.setChecked(QStringLiteral("TForm2.RadioButton4"), true);
    f.wizard->apply(loaded);
    show(f);
    QVERIFY(quick->isEnabled());
}

void TestDisketteLocationPage::routes() {
    GuiFixture f;
    show(f);
    QTest::mouseClick(page(f)->backButton(), Qt::LeftButton);
    QVERIFY(!page(f)->isVisible());
    QVERIFY(f.wizard->form(PageId::Summary)->isVisible());
    f.wizard->form(PageId::Summary)->hide();

    show(f);
    clickChoice(control<QRadioButton>(f, "RadioButton2"));
    f.cancelToMain(page(f));
    QCOMPARE(value(f, "RadioButton2"), QStringLiteral("1"));

    f.wizard->form(PageId::Main)->hide();
    f.dialogs.clear();
    show(f);
    QTest::mouseClick(page(f)->nextButton(), Qt::LeftButton);
    QVERIFY(f.dialogs.shown().isEmpty());
    QVERIFY(!page(f)->isVisible());
    QVERIFY(f.wizard->form(PageId::Build)->isVisible());
}

QTEST_MAIN(TestDisketteLocationPage)
#include "tst_diskette_location_page.moc"
