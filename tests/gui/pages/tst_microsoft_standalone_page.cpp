#include "gui/pages/microsoft_standalone_page.h"
#include "gui/widgets/address_edit.h"
#include "gui_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

namespace {

const QString kDefaultAddress = QStringLiteral("  0.  0.  0.  0");
const QString kDefaultMask = QStringLiteral("255.  0.  0.  0");
const QString kDhcp = QStringLiteral("DHCP");

} // namespace

class TestMicrosoftStandalonePage : public QObject {
    Q_OBJECT
private:
    template <class T = QWidget> static T* ctl(GuiFixture& f, const char* name) {
        return f.control<T>(QStringLiteral("TForm40"), QLatin1String(name));
    }
    static AddressEdit* edit1(GuiFixture& f) { return ctl<AddressEdit>(f, "Edit1"); }
    static AddressEdit* edit2(GuiFixture& f) { return ctl<AddressEdit>(f, "Edit2"); }
    static MicrosoftStandalonePage* page(GuiFixture& f) {
        return f.wizard->form<MicrosoftStandalonePage>(PageId::MicrosoftStandalone);
    }
    static QTabWidget* tabs(GuiFixture& f) { return page(f)->findChild<QTabWidget*>(); }
    // A button sits on its tab: bring the tab to the front as the user would before clicking.
    static void clickOn(GuiFixture& f, int tab, const char* name) {
        tabs(f)->setCurrentIndex(tab);
        clickChoice(ctl(f, name));
    }
    // Digits typed from the start of a masked field fill its groups from the left.
    static void typeInto(QLineEdit* edit, const QString& keys) {
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClicks(edit, keys);
    }
    static void replaceText(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    static void show(GuiFixture& f, int mode = 3) {
        // The route that leads here, so that Back and Next come back to this page.
        f.control<QComboBox>(QStringLiteral("TForm9"), QStringLiteral("ComboBox1"))->setCurrentIndex(1);
        f.wizard->setBuildMode(BuildMode(mode));
        f.wizard->go(nullptr, PageId::MicrosoftStandalone);
    }
    // The user's way to show the page again: Back to the Standalone Parameters page, then Next.
    static void showAgain(GuiFixture& f) {
        QTest::mouseClick(page(f)->backButton(), Qt::LeftButton);
        QVERIFY(f.wizard->form(PageId::StandaloneParameters)->isVisible());
        QTest::mouseClick(f.wizard->form<WizardPage>(PageId::StandaloneParameters)->nextButton(),
                          Qt::LeftButton);
        QVERIFY(page(f)->isVisible());
    }
    // The showing after a Microsoft diskette was built: the one that advances the values.
    static void showAfterDiskette(GuiFixture& f) {
        f.wizard->advanceDue().built(BuildMode::Microsoft);
        showAgain(f);
    }

private Q_SLOTS:
    void init();
    void startState();
    void showingSetsBuildMode();
    void dhcpOnAndOff_data();
    void dhcpOnAndOff();
    void dhcpWithoutRememberedValues();
    void autoIncrementAcrossShowings_data();
    void autoIncrementAcrossShowings();
    void autoAssign_data();
    void autoAssign();
    void useAsEnteredClearsDerivedName();
    void workgroupOrDomain();
    void tabs();
    void buttons();
    void valuesReachCollect();
    void computerNameOnNext();
};

void TestMicrosoftStandalonePage::init() {
    setDelayPacing(0);
}

void TestMicrosoftStandalonePage::startState() {
    GuiFixture f;
    QCOMPARE(page(f)->windowTitle(), QStringLiteral("Microsoft Standalone Parameters"));
    QStringList captions;
    for (int i = 0; i < tabs(f)->count(); ++i)
        captions << tabs(f)->tabText(i);
    QCOMPARE(captions, QStringList({"IP Address / Sub Net Mask", "Server Drive", "Computer Name",
                                    "Workgroup / Domain", "Login Name"}));
    QCOMPARE(tabs(f)->currentIndex(), int(MicrosoftStandalonePage::AddressTab));

    QCOMPARE(edit1(f)->value(), kDefaultAddress);
    QCOMPARE(edit2(f)->value(), kDefaultMask);
    QVERIFY(edit1(f)->isMasked() && edit2(f)->isMasked());
    QCOMPARE(ctl<QComboBox>(f, "ComboBox3")->count(), 26);
    QCOMPARE(ctl<QComboBox>(f, "ComboBox3")->currentText(), QStringLiteral("I:"));
    QVERIFY(ctl<QLineEdit>(f, "Edit4")->text().startsWith(QStringLiteral("\\\\")));
    QVERIFY(ctl<QLineEdit>(f, "Edit4")->text().endsWith(QStringLiteral("\\D")));
    for (const char* empty : {"Edit3", "Edit5", "Edit6"})
        QVERIFY2(ctl<QLineEdit>(f, empty)->text().isEmpty(), empty);
    const QList<QPair<const char*, QString>> radios{
        {"RadioButton13", "Auto-Increment"},  {"RadioButton16", "NT-DHCP"},
        {"RadioButton21", "Use as Entered"},  {"RadioButton17", "Auto Assign"},
        {"RadioButton20", "Use as Entered "}, {"RadioButton9", "Login Workgroup"},
        {"RadioButton11", "Login Domain"}};
    for (const auto& [name, caption] : radios)
        QCOMPARE(ctl<QRadioButton>(f, name)->text(), caption);
    for (const char* on : {"RadioButton21", "RadioButton20", "RadioButton9"})
        QVERIFY2(ctl<QRadioButton>(f, on)->isChecked(), on);
    QCOMPARE(ctl<QLabel>(f, "Label1")->text(), QStringLiteral("Workgroup Name"));
    QStringList texts;
    for (QLabel* l : page(f)->findChildren<QLabel*>())
        texts << l->text();
    for (const char* text : {"You must now specify the unique client boot disk information for Microsoft "
                             "standalone mode.",
                             "IP Address", "Sub Net Mask", "Login Name"})
        QVERIFY2(texts.contains(QLatin1String(text)), text);
}

void TestMicrosoftStandalonePage::showingSetsBuildMode() {
    GuiFixture f;
    for (int mode : {1, 2, 4}) {
        show(f, mode);
        QCOMPARE(f.wizard->buildMode(), BuildMode::Microsoft);
        page(f)->hide();
    }
}

void TestMicrosoftStandalonePage::dhcpOnAndOff_data() {
    QTest::addColumn<QByteArray>("leaveBy");
    QTest::newRow("Use as Entered") << QByteArray("RadioButton21");
    QTest::newRow("Auto-Increment") << QByteArray("RadioButton13");
}

void TestMicrosoftStandalonePage::dhcpOnAndOff() {
    QFETCH(QByteArray, leaveBy);
    GuiFixture f;
    show(f);
    tabs(f)->setCurrentIndex(MicrosoftStandalonePage::AddressTab);
    typeInto(edit1(f), QStringLiteral("010000005020"));
    typeInto(edit2(f), QStringLiteral("255255255"));
    QCOMPARE(edit1(f)->value(), QStringLiteral("010.000.005.020"));
    QCOMPARE(edit2(f)->value(), QStringLiteral("255.255.255.  0"));

    clickChoice(ctl(f, "RadioButton16"));
    QCOMPARE(edit1(f)->value(), kDhcp);
    QCOMPARE(edit2(f)->value(), kDhcp);
    QVERIFY(!edit1(f)->isMasked() && !edit2(f)->isMasked());
    QVERIFY(!edit1(f)->isEnabled() && !edit2(f)->isEnabled());

    // Shown again with NT-DHCP: the words stay and nothing is incremented or remembered anew.
    showAgain(f);
    QCOMPARE(edit1(f)->value(), kDhcp);
    QCOMPARE(edit2(f)->value(), kDhcp);
    QVERIFY(!edit1(f)->isEnabled());

    clickOn(f, MicrosoftStandalonePage::AddressTab, leaveBy.constData());
    QCOMPARE(edit2(f)->value(), QStringLiteral("255.255.255.  0"));
    QVERIFY(edit1(f)->isMasked() && edit2(f)->isMasked());
    QVERIFY(edit1(f)->isEnabled() && edit2(f)->isEnabled());
    QCOMPARE(edit1(f)->value(), QStringLiteral("010.000.005.020"));
    // The restored field takes typing again as an address.
    typeInto(edit1(f), QStringLiteral("9"));
    QCOMPARE(edit1(f)->value(), QStringLiteral("  9.000.005.020"));
}

void TestMicrosoftStandalonePage::dhcpWithoutRememberedValues() {
    GuiFixture f;
    // Fields already showing the word (as a configuration of another program run might leave them):
    // nothing real is remembered, so leaving DHCP gives the defaults.
    BuildSettings s = f.wizard->collect();
    s.setValue(QStringLiteral("TForm40.Edit1"), kDhcp);
    s.setValue(QStringLiteral("TForm40.Edit2"), kDhcp);
    s.setChecked(QStringLiteral("TForm40.RadioButton16"), true);
    f.wizard->apply(s);
    show(f);
    QVERIFY(!edit1(f)->isEnabled());
    clickOn(f, MicrosoftStandalonePage::AddressTab, "RadioButton21");
    QCOMPARE(edit1(f)->value(), kDefaultAddress);
    QCOMPARE(edit2(f)->value(), kDefaultMask);
    QVERIFY(edit1(f)->isEnabled() && edit2(f)->isEnabled());
}

void TestMicrosoftStandalonePage::autoIncrementAcrossShowings_data() {
    QTest::addColumn<QString>("typed"); // digits typed into the address; empty: the default stays
    QTest::addColumn<QStringList>("showings");
    QTest::newRow("254 wraps") << QStringLiteral("192168001254")
                               << QStringList({"192.168.001.255", "192.168.001.001", "192.168.001.002"});
    QTest::newRow("default") << QString() << QStringList({"  0.  0.  0.001", "  0.  0.  0.002"});
    QTest::newRow("typed as an address") << QStringLiteral("10.0.0.5") << QStringList({" 10.  0.  0.006"});
}

void TestMicrosoftStandalonePage::autoIncrementAcrossShowings() {
    QFETCH(QString, typed);
    QFETCH(QStringList, showings);
    GuiFixture f;
    show(f);
    tabs(f)->setCurrentIndex(MicrosoftStandalonePage::AddressTab);
    if (!typed.isEmpty())
        typeInto(edit1(f), typed);
    const QString mask = edit2(f)->value();
    clickChoice(ctl(f, "RadioButton13"));
    // Selecting Auto-Increment keeps what was typed; the next showing advances it.
    QCOMPARE(edit1(f)->value().left(11), showings.first().left(11));
    for (const QString& expected : showings) {
        showAfterDiskette(f);
        QCOMPARE(edit1(f)->value(), expected);
        QCOMPARE(page(f)->remembered().address, expected);
        QCOMPARE(edit2(f)->value(), mask);
    }
    // Use as Entered stops the advance.
    clickOn(f, MicrosoftStandalonePage::AddressTab, "RadioButton21");
    showAfterDiskette(f);
    QCOMPARE(edit1(f)->value(), showings.last());
}

void TestMicrosoftStandalonePage::autoAssign_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("after"); // on selecting Auto Assign, then at each showing
    QTest::newRow("empty") << QString() << QStringList({"CLIENT1", "CLIENT2", "CLIENT3"});
    QTest::newRow("blanks") << QStringLiteral("   ") << QStringList({"CLIENT1", "CLIENT2"});
    QTest::newRow("PC09") << QStringLiteral("PC09") << QStringList({"PC10", "PC11"});
    QTest::newRow("LAB 12") << QStringLiteral("LAB 12") << QStringList({"LAB13", "LAB14"});
}

void TestMicrosoftStandalonePage::autoAssign() {
    QFETCH(QString, name);
    QFETCH(QStringList, after);
    GuiFixture f;
    show(f);
    tabs(f)->setCurrentIndex(MicrosoftStandalonePage::ComputerNameTab);
    auto* edit3 = ctl<QLineEdit>(f, "Edit3");
    replaceText(edit3, name);
    clickChoice(ctl(f, "RadioButton17"));
    QCOMPARE(edit3->text(), after.first());
    QVERIFY(edit3->isEnabled());
    for (qsizetype i = 1; i < after.size(); ++i) {
        showAfterDiskette(f);
        QCOMPARE(edit3->text(), after[i]);
    }
    clickOn(f, MicrosoftStandalonePage::ComputerNameTab, "RadioButton20");
    showAfterDiskette(f);
    QCOMPARE(edit3->text(), after.last());
}

void TestMicrosoftStandalonePage::useAsEnteredClearsDerivedName() {
    GuiFixture f;
    show(f);
    clickOn(f, MicrosoftStandalonePage::ComputerNameTab, "RadioButton17");
    replaceText(ctl<QLineEdit>(f, "Edit3"), QStringLiteral(" Derive From NIC MAC Address "));
    clickChoice(ctl(f, "RadioButton20"));
    QCOMPARE(ctl<QLineEdit>(f, "Edit3")->text(), QString());
    QVERIFY(ctl(f, "Edit3")->isEnabled());
}

void TestMicrosoftStandalonePage::workgroupOrDomain() {
    GuiFixture f;
    show(f);
    tabs(f)->setCurrentIndex(MicrosoftStandalonePage::WorkgroupTab);
    replaceText(ctl<QLineEdit>(f, "Edit5"), QStringLiteral("LABNET"));
    clickChoice(ctl(f, "RadioButton11"));
    QCOMPARE(ctl<QLabel>(f, "Label1")->text(), QStringLiteral("Domain Name"));
    QCOMPARE(ctl<QLineEdit>(f, "Edit5")->text(), QStringLiteral("LABNET"));
    showAgain(f);
    QCOMPARE(ctl<QLabel>(f, "Label1")->text(), QStringLiteral("Domain Name"));
    // The choices on the other tabs are groups of their own.
    QVERIFY(ctl<QRadioButton>(f, "RadioButton21")->isChecked());
    QVERIFY(ctl<QRadioButton>(f, "RadioButton20")->isChecked());
    clickOn(f, MicrosoftStandalonePage::WorkgroupTab, "RadioButton9");
    QCOMPARE(ctl<QLabel>(f, "Label1")->text(), QStringLiteral("Workgroup Name"));
    QVERIFY(ctl<QRadioButton>(f, "RadioButton21")->isChecked());
}

void TestMicrosoftStandalonePage::tabs() {
    GuiFixture f;
    const QStringList captions{"IP Address / Sub Net Mask", "Server Drive", "Computer Name",
                               "Workgroup / Domain", "Login Name"};
    for (int i = 0; i < captions.size(); ++i) {
        QCOMPARE(MicrosoftStandalonePage::tabIndex(captions[i]), i);
        page(f)->showTab(i);
        QCOMPARE(tabs(f)->tabText(tabs(f)->currentIndex()), captions[i]);
    }
    QCOMPARE(MicrosoftStandalonePage::tabIndex(QStringLiteral("Login")), -1);
    page(f)->showTab(MicrosoftStandalonePage::ServerDriveTab);
    page(f)->showTab(7);
    QCOMPARE(tabs(f)->currentIndex(), int(MicrosoftStandalonePage::ServerDriveTab));
    // The tab in front stays across showings.
    show(f);
    QCOMPARE(tabs(f)->currentIndex(), int(MicrosoftStandalonePage::ServerDriveTab));
}

void TestMicrosoftStandalonePage::buttons() {
    GuiFixture f;
    show(f);
    QTest::keyClick(page(f), Qt::Key_F1);
    QCOMPARE(f.help.calls, QStringList{QStringLiteral("context:550")});

    // Next checks no more than the addresses' numbers and the computer name.
    ctl<QLineEdit>(f, "Edit6")->clear();
    ctl<QLineEdit>(f, "Edit3")->setText(QStringLiteral("LAB1"));
    edit1(f)->setValue(QStringLiteral("   .   .   .   "));
    QTest::mouseClick(page(f)->nextButton(), Qt::LeftButton);
    QVERIFY(f.wizard->form(PageId::NicSelection)->isVisible());
    QCOMPARE(f.wizard->buildMode(), BuildMode::Microsoft);
    QVERIFY(f.dialogs.shown().isEmpty());
    QTest::mouseClick(f.wizard->form<WizardPage>(PageId::NicSelection)->backButton(), Qt::LeftButton);
    QVERIFY(page(f)->isVisible());
    // Shown again, the blank address became the default.
    QCOMPARE(edit1(f)->value(), kDefaultAddress);

    f.cancelToMain(page(f));

    show(f);
    QTest::mouseClick(page(f)->backButton(), Qt::LeftButton);
    QVERIFY(f.wizard->form(PageId::StandaloneParameters)->isVisible());
}

void TestMicrosoftStandalonePage::valuesReachCollect() {
    GuiFixture f;
    show(f);
    tabs(f)->setCurrentIndex(MicrosoftStandalonePage::AddressTab);
    typeInto(edit1(f), QStringLiteral("192168001020"));
    typeInto(edit2(f), QStringLiteral("255255255000"));
    tabs(f)->setCurrentIndex(MicrosoftStandalonePage::ServerDriveTab);
    QTest::keyClick(ctl(f, "ComboBox3"), Qt::Key_Down);
    replaceText(ctl<QLineEdit>(f, "Edit4"), QStringLiteral("\\\\SRV1\\PELLA"));
    tabs(f)->setCurrentIndex(MicrosoftStandalonePage::ComputerNameTab);
    replaceText(ctl<QLineEdit>(f, "Edit3"), QStringLiteral("WS7"));
    clickOn(f, MicrosoftStandalonePage::WorkgroupTab, "RadioButton11");
    replaceText(ctl<QLineEdit>(f, "Edit5"), QStringLiteral("CORP"));
    tabs(f)->setCurrentIndex(MicrosoftStandalonePage::LoginNameTab);
    replaceText(ctl<QLineEdit>(f, "Edit6"), QStringLiteral("imager"));
    QTest::mouseClick(page(f)->nextButton(), Qt::LeftButton);

    BuildSettings s = f.wizard->collect();
    QCOMPARE(s.buildMode(), BuildMode::Microsoft);
    QCOMPARE(s.text(QStringLiteral("TForm40.Edit1")), QStringLiteral("192.168.001.020"));
    QCOMPARE(s.text(QStringLiteral("TForm40.Edit2")), QStringLiteral("255.255.255.000"));
    QCOMPARE(s.itemText(QStringLiteral("TForm40.ComboBox3")), QStringLiteral("J:"));
    QCOMPARE(s.text(QStringLiteral("TForm40.Edit4")), QStringLiteral("\\\\SRV1\\PELLA"));
    QCOMPARE(s.text(QStringLiteral("TForm40.Edit3")), QStringLiteral("WS7"));
    QVERIFY(!s.isChecked(QStringLiteral("TForm40.RadioButton9")));
    QVERIFY(s.isChecked(QStringLiteral("TForm40.RadioButton11")));
    QCOMPARE(s.text(QStringLiteral("TForm40.Edit5")), QStringLiteral("CORP"));
    QCOMPARE(s.text(QStringLiteral("TForm40.Edit6")), QStringLiteral("imager"));

    // With NT-DHCP the writer finds the word it looks for at the start of the address.
    QTest::mouseClick(f.wizard->form<WizardPage>(PageId::NicSelection)->backButton(), Qt::LeftButton);
    clickOn(f, MicrosoftStandalonePage::AddressTab, "RadioButton16");
    s = f.wizard->collect();
    QCOMPARE(s.text(QStringLiteral("TForm40.Edit1")), kDhcp);
    QCOMPARE(s.text(QStringLiteral("TForm40.Edit2")), kDhcp);
    QVERIFY(s.isChecked(QStringLiteral("TForm40.RadioButton16")));
    // And a collect-apply round trip, as the summary's save and a reload do, changes nothing.
    f.wizard->apply(s);
    QCOMPARE(f.wizard->collect(), s);
    QVERIFY(!edit1(f)->isEnabled());
}

// Refused for its computer name (the rule's words are the route check's), the page stays with the
// name's tab in front.
void TestMicrosoftStandalonePage::computerNameOnNext() {
    GuiFixture f;
    show(f);
    QTest::mouseClick(page(f)->nextButton(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{"You must specify a Computer Name."});
    QCOMPARE(tabs(f)->currentIndex(), int(MicrosoftStandalonePage::ComputerNameTab));
}

QTEST_MAIN(TestMicrosoftStandalonePage)
#include "tst_microsoft_standalone_page.moc"
