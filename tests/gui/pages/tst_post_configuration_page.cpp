#include "gui/pages/wizard_page.h"
#include "gui/widgets/address_edit.h"
#include "gui_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

namespace {

const QString kForm = QStringLiteral("TForm99");
const QString kSame = QStringLiteral("Same as Image");

} // namespace

class TestPostConfigurationPage : public QObject {
    Q_OBJECT
private:
    static WizardPage* page(const GuiFixture& f) {
        return f.wizard->form<WizardPage>(PageId::PostConfiguration);
    }
    template <class T = QWidget> static T* w(const GuiFixture& f, const char* name) {
        return f.control<T>(kForm, QLatin1String(name));
    }
    static AddressEdit* address(const GuiFixture& f, const char* name) { return w<AddressEdit>(f, name); }
    static QLineEdit* line(const GuiFixture& f, const char* name) { return w<QLineEdit>(f, name); }
    static bool on(const GuiFixture& f, const char* name) { return w<QAbstractButton>(f, name)->isChecked(); }
    static QTabWidget* tabs(const GuiFixture& f) { return w<QTabWidget>(f, "PageControl1"); }

    static void show(GuiFixture& f) { f.wizard->go(nullptr, PageId::PostConfiguration); }
    // Back to the Multicast client page and Next again: one more showing.
    static void showAgain(GuiFixture& f) {
        // The Multicast client page lets only a named client through.
        f.control<QLineEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit3"))
            ->setText(QStringLiteral("LAB1"));
        QTest::mouseClick(page(f)->backButton(), Qt::LeftButton);
        QTest::mouseClick(f.wizard->form<WizardPage>(PageId::MulticastClient)->nextButton(), Qt::LeftButton);
        QVERIFY(page(f)->isVisible());
    }
    // The showing after a Multicast diskette was built: the one that advances the values.
    static void showAfterDiskette(GuiFixture& f) {
        f.wizard->advanceDue().built(BuildMode::Multicast);
        showAgain(f);
    }
    // Brings the tab that holds the control to the front, as a user does before using it.
    static void reveal(GuiFixture& f, QWidget* control) {
        for (int i = 0; i < tabs(f)->count(); ++i) {
            if (tabs(f)->widget(i)->isAncestorOf(control))
                tabs(f)->setCurrentIndex(i);
        }
        QApplication::sendPostedEvents();
    }
    // Clicks a button where a user can see it; a disabled button takes no click.
    static void click(GuiFixture& f, const char* name) {
        auto* button = w<QAbstractButton>(f, name);
        reveal(f, button);
        QVERIFY2(button->isVisible(), name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    }
    static void type(QLineEdit* edit, const QString& keys) {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, keys);
    }
    // Post-configuration switched on, on a page already shown.
    static void start(GuiFixture& f) {
        show(f);
        click(f, "RadioButton1");
    }

private Q_SLOTS:
    void startUpState();
    void allSameSwitchesOff_data();
    void allSameSwitchesOff();
    void groupsAreIndependent();
    void addressChoices_data();
    void addressChoices();
    void addressBackToSameAsImage();
    void addressKindSurvivesShowing();
    void maskRules();
    void nameChoices();
    void nameShowingReselectsUseAsEntered();
    void workgroupAndLogin();
    void leavingFieldsCopiesComputerName();
    void buttonTargets();
    void valuesReachCollect();
};

void TestPostConfigurationPage::startUpState() {
    GuiFixture f(kAllHintsOff);
    show(f);
    QCOMPARE(page(f)->windowTitle(), QStringLiteral("Post Configuration Parameters"));
    QVERIFY(on(f, "RadioButton2") && !on(f, "RadioButton1"));
    QVERIFY(tabs(f)->isHidden());
    QStringList captions;
    for (int i = 0; i < tabs(f)->count(); ++i)
        captions << tabs(f)->tabText(i);
    QCOMPARE(captions, (QStringList{"IP Address", "Sub Net Mask", "Computer Name", "Workgroup / Domain",
                                    "Login Name"}));
    QCOMPARE(tabs(f)->currentIndex(), 0); // a host's address in view
    for (const char* kind : {"RadioButton13", "RadioButton15", "RadioButton16", "RadioButton21",
                             "RadioButton17", "RadioButton18", "RadioButton19", "RadioButton20"})
        QVERIFY2(!on(f, kind) && !w(f, kind)->isEnabled(), kind);
    QCOMPARE(w<QAbstractButton>(f, "RadioButton18")->text(),
             QStringLiteral("Derive From NIC\u2019s MAC Address"));
    QCOMPARE(w<QAbstractButton>(f, "RadioButton19")->text(),
             QStringLiteral("Same as Multicast Parameter \"Client Name\""));
    QCOMPARE(w<QAbstractButton>(f, "RadioButton20")->text(), QStringLiteral("Use as Entered "));
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral("  0.  0.  0.  0"));
    QCOMPARE(address(f, "Edit2")->value(), QStringLiteral("255.  0.  0.  0"));
    QCOMPARE(line(f, "Edit3")->text(), kSame);
    QCOMPARE(line(f, "Edit5")->text(), kSame);
    QCOMPARE(line(f, "Edit6")->text(), kSame);
    QCOMPARE(line(f, "Edit4")->text(), QStringLiteral("CLIENT"));
    QVERIFY(line(f, "Edit4")->isHidden() && !line(f, "Edit4")->isEnabled());
    QCOMPARE(w<QLabel>(f, "Label1")->text(), QStringLiteral("Workgroup / Domain Name"));
    QVERIFY(!line(f, "Edit5")->isEnabled() && !line(f, "Edit6")->isEnabled());

    click(f, "RadioButton1");
    QVERIFY(!tabs(f)->isHidden());
    click(f, "RadioButton2");
    QVERIFY(tabs(f)->isHidden());
}

void TestPostConfigurationPage::allSameSwitchesOff_data() {
    QTest::addColumn<bool>("back");
    QTest::addColumn<QByteArray>("setOne");
    QTest::addColumn<bool>("staysOn");
    QTest::newRow("next, all same") << false << QByteArray() << false;
    QTest::newRow("back, all same") << true << QByteArray() << false;
    QTest::newRow("next, address set") << false << QByteArray("RadioButton3") << true;
    QTest::newRow("next, mask set") << false << QByteArray("RadioButton5") << true;
    QTest::newRow("next, name set") << false << QByteArray("RadioButton7") << true;
    QTest::newRow("back, domain set") << true << QByteArray("RadioButton11") << true;
    QTest::newRow("next, login set") << false << QByteArray("RadioButton12") << true;
}

void TestPostConfigurationPage::allSameSwitchesOff() {
    QFETCH(bool, back);
    QFETCH(QByteArray, setOne);
    QFETCH(bool, staysOn);
    GuiFixture f(kAllHintsOff);
    start(f);
    if (!setOne.isEmpty())
        click(f, setOne.constData());
    QTest::mouseClick(back ? page(f)->backButton() : page(f)->nextButton(), Qt::LeftButton);
    QCOMPARE(on(f, "RadioButton1"), staysOn);
    QCOMPARE(on(f, "RadioButton2"), !staysOn);
    QCOMPARE(tabs(f)->isHidden(), !staysOn);
    QVERIFY(f.wizard->form(back ? PageId::MulticastClient : PageId::Summary)->isVisible());
    QVERIFY(f.dialogs.shown().isEmpty());
}

void TestPostConfigurationPage::groupsAreIndependent() {
    GuiFixture f(kAllHintsOff);
    start(f);
    for (const char* set : {"RadioButton3", "RadioButton5", "RadioButton7", "RadioButton9", "RadioButton12"})
        click(f, set);
    QVERIFY(on(f, "RadioButton1"));
    for (const char* set : {"RadioButton3", "RadioButton21", "RadioButton5", "RadioButton7", "RadioButton20",
                            "RadioButton9", "RadioButton12"})
        QVERIFY2(on(f, set), set);
    for (const char* same :
         {"RadioButton4", "RadioButton6", "RadioButton8", "RadioButton10", "RadioButton14"})
        QVERIFY2(!on(f, same), same);
}

void TestPostConfigurationPage::addressChoices_data() {
    QTest::addColumn<QList<QByteArray>>("clicks");
    QTest::addColumn<QByteArray>("selected");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("masked");
    QTest::addColumn<bool>("enabled");
    using L = QList<QByteArray>;
    // "Set IP Address" with no kind chosen: "Use as Entered", and the field takes what is typed.
    QTest::newRow("set") << L{"RadioButton3"} << QByteArray("RadioButton21") << "192.168.  0.  9" << true
                         << true;
    QTest::newRow("nt-dhcp") << L{"RadioButton3", "RadioButton16"} << QByteArray("RadioButton16") << "BOOTP"
                             << false << false;
    // The address held before NT-DHCP is not restored.
    QTest::newRow("nt-dhcp, use as entered")
        << L{"RadioButton3", "RadioButton16", "RadioButton21"} << QByteArray("RadioButton21")
        << "  0.  0.  0.  0" << true << true;
    QTest::newRow("nt-dhcp, auto-increment")
        << L{"RadioButton3", "RadioButton16", "RadioButton13"} << QByteArray("RadioButton13")
        << "  0.  0.  0.  0" << true << true;
    // Showing an address, the field has its mask, so what is typed later stays an address.
    QTest::newRow("nt-dhcp, same as multicast")
        << L{"RadioButton3", "RadioButton16", "RadioButton15"} << QByteArray("RadioButton15")
        << " 10.  1.  2.  3" << true << false;
    QTest::newRow("nt-dhcp, same as multicast, auto-increment")
        << L{"RadioButton3", "RadioButton16", "RadioButton15", "RadioButton13"} << QByteArray("RadioButton13")
        << " 10.  1.  2.  3" << true << true;
    QTest::newRow("same as multicast") << L{"RadioButton3", "RadioButton15"} << QByteArray("RadioButton15")
                                       << " 10.  1.  2.  3" << true << false;
    QTest::newRow("same as multicast, auto-increment")
        << L{"RadioButton3", "RadioButton15", "RadioButton13"} << QByteArray("RadioButton13")
        << " 10.  1.  2.  3" << true << true;
}

void TestPostConfigurationPage::addressChoices() {
    QFETCH(QList<QByteArray>, clicks);
    QFETCH(QByteArray, selected);
    QFETCH(QString, value);
    QFETCH(bool, masked);
    QFETCH(bool, enabled);
    GuiFixture f(kAllHintsOff);
    f.control<AddressEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit1"))->setValue(" 10.  1.  2.  3");
    start(f);
    for (const QByteArray& name : clicks) {
        click(f, name.constData());
        if (name == "RadioButton3")
            type(address(f, "Edit1"), QStringLiteral("192.168.0.9"));
    }
    for (const char* kind : {"RadioButton13", "RadioButton15", "RadioButton16", "RadioButton21"})
        QCOMPARE(on(f, kind), selected == kind);
    QCOMPARE(address(f, "Edit1")->value(), value);
    QCOMPARE(address(f, "Edit1")->isMasked(), masked);
    QCOMPARE(address(f, "Edit1")->isEnabled(), enabled);
}

void TestPostConfigurationPage::addressBackToSameAsImage() {
    GuiFixture f(kAllHintsOff);
    start(f);
    click(f, "RadioButton3");
    click(f, "RadioButton16");
    click(f, "RadioButton4");
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral("  0.  0.  0.  0"));
    QVERIFY(address(f, "Edit1")->isMasked() && !address(f, "Edit1")->isEnabled());
    for (const char* kind : {"RadioButton13", "RadioButton15", "RadioButton16", "RadioButton21"})
        QVERIFY2(!on(f, kind) && !w(f, kind)->isEnabled(), kind);
}

void TestPostConfigurationPage::addressKindSurvivesShowing() {
    GuiFixture f(kAllHintsOff);
    start(f);
    click(f, "RadioButton3");
    click(f, "RadioButton13");
    type(address(f, "Edit1"), QStringLiteral("10.0.0.254"));
    showAgain(f);
    QVERIFY(on(f, "RadioButton13"));
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral(" 10.  0.  0.254"));
    showAfterDiskette(f);
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral(" 10.  0.  0.255"));
    showAfterDiskette(f);
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral(" 10.  0.  0.001"));

    // "Same as Multicast Parameter" copies the Multicast address as it is at each showing.
    click(f, "RadioButton15");
    auto* multicast = f.control<AddressEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit1"));
    multicast->setValue(QStringLiteral(" 10.  9.  9.  9"));
    showAgain(f);
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral(" 10.  9.  9.  9"));
}

void TestPostConfigurationPage::maskRules() {
    GuiFixture f(kAllHintsOff);
    f.control<AddressEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit2"))->setValue("255.255.  0.  0");
    start(f);
    auto* copy = w<QCheckBox>(f, "CheckBox6");
    QVERIFY(!copy->isEnabled() && !address(f, "Edit2")->isEnabled());
    click(f, "RadioButton5");
    QVERIFY(copy->isEnabled() && address(f, "Edit2")->isEnabled());
    click(f, "CheckBox6");
    QCOMPARE(address(f, "Edit2")->value(), QStringLiteral("255.255.  0.  0"));
    QVERIFY(!address(f, "Edit2")->isEnabled());
    click(f, "CheckBox6");
    QCOMPARE(address(f, "Edit2")->value(), QStringLiteral("255.  0.  0.  0"));
    QVERIFY(address(f, "Edit2")->isEnabled());
    type(address(f, "Edit2"), QStringLiteral("255.255.255.0"));
    click(f, "CheckBox6");
    click(f, "RadioButton6");
    QVERIFY(!copy->isEnabled());
    QVERIFY(copy->isChecked());
    QCOMPARE(address(f, "Edit2")->value(), QStringLiteral("255.  0.  0.  0"));
    QVERIFY(!address(f, "Edit2")->isEnabled());
    // Back on "Set Sub Net Mask" with the box still ticked: the Multicast mask again.
    click(f, "RadioButton5");
    QCOMPARE(address(f, "Edit2")->value(), QStringLiteral("255.255.  0.  0"));
    QVERIFY(!address(f, "Edit2")->isEnabled());
}

void TestPostConfigurationPage::nameChoices() {
    GuiFixture f(kAllHintsOff);
    f.control<QLineEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit3"))->setText(QStringLiteral("LAB 7"));
    start(f);
    QLineEdit* name = line(f, "Edit3");
    click(f, "RadioButton7");
    QVERIFY(on(f, "RadioButton20"));
    QCOMPARE(name->text(), QString());
    QVERIFY(name->isEnabled());
    click(f, "RadioButton17");
    QCOMPARE(name->text(), QStringLiteral("CLIENT1"));
    click(f, "RadioButton18");
    QCOMPARE(name->text(), QStringLiteral("Derive From NIC MAC Address"));
    QVERIFY(!name->isEnabled());
    click(f, "RadioButton17");
    QCOMPARE(name->text(), QStringLiteral("CLIENT1"));
    QVERIFY(name->isEnabled());
    click(f, "RadioButton18");
    click(f, "RadioButton20");
    QCOMPARE(name->text(), QString());
    QVERIFY(name->isEnabled());
    click(f, "RadioButton19");
    QCOMPARE(name->text(), QStringLiteral("LAB 7"));
    QVERIFY(name->isEnabled());
    click(f, "RadioButton8");
    QCOMPARE(name->text(), kSame);
    QVERIFY(!name->isEnabled());
    for (const char* kind : {"RadioButton17", "RadioButton18", "RadioButton19", "RadioButton20"})
        QVERIFY2(!on(f, kind) && !w(f, kind)->isEnabled(), kind);
}

void TestPostConfigurationPage::nameShowingReselectsUseAsEntered() {
    GuiFixture f(kAllHintsOff);
    start(f);
    click(f, "RadioButton7");
    click(f, "RadioButton18");
    showAgain(f);
    QVERIFY(on(f, "RadioButton20") && !on(f, "RadioButton18"));
    QCOMPARE(line(f, "Edit3")->text(), QString());
    QVERIFY(line(f, "Edit3")->isEnabled());
    click(f, "RadioButton17");
    showAgain(f);
    QCOMPARE(line(f, "Edit3")->text(), QStringLiteral("CLIENT1"));
}

void TestPostConfigurationPage::workgroupAndLogin() {
    GuiFixture f(kAllHintsOff);
    start(f);
    auto* label1 = w<QLabel>(f, "Label1");
    click(f, "RadioButton9");
    QCOMPARE(line(f, "Edit5")->text(), QString());
    QCOMPARE(label1->text(), QStringLiteral("Workgroup Name"));
    QVERIFY(line(f, "Edit5")->isEnabled() && label1->isEnabled());
    QTest::keyClicks(line(f, "Edit5"), QStringLiteral("OFFICE"));
    click(f, "RadioButton11");
    QCOMPARE(line(f, "Edit5")->text(), QStringLiteral("OFFICE"));
    QCOMPARE(label1->text(), QStringLiteral("Domain Name"));
    showAgain(f);
    QCOMPARE(line(f, "Edit5")->text(), QStringLiteral("OFFICE"));
    click(f, "RadioButton10");
    QCOMPARE(line(f, "Edit5")->text(), kSame);
    QCOMPARE(label1->text(), QStringLiteral("Workgroup / Domain Name"));
    QVERIFY(!line(f, "Edit5")->isEnabled() && !label1->isEnabled());

    auto* label2 = w<QLabel>(f, "Label2");
    QCOMPARE(label2->text(), QStringLiteral("Login Name"));
    click(f, "RadioButton12");
    QCOMPARE(line(f, "Edit6")->text(), QString());
    QVERIFY(line(f, "Edit6")->isEnabled() && label2->isEnabled());
    QTest::keyClicks(line(f, "Edit6"), QStringLiteral("admin"));
    click(f, "RadioButton14");
    QCOMPARE(line(f, "Edit6")->text(), kSame);
    QVERIFY(!line(f, "Edit6")->isEnabled() && !label2->isEnabled());
}

void TestPostConfigurationPage::leavingFieldsCopiesComputerName() {
    GuiFixture f(kAllHintsOff);
    start(f);
    QVERIFY(QTest::qWaitForWindowActive(page(f)));
    click(f, "RadioButton7");
    click(f, "RadioButton9");
    click(f, "RadioButton12");
    QTest::keyClicks(line(f, "Edit3"), QStringLiteral("PC4"));
    QCOMPARE(line(f, "Edit4")->text(), QStringLiteral("CLIENT"));
    for (const char* left : {"Edit5", "Edit6"}) {
        line(f, "Edit4")->setText(QStringLiteral("CLIENT"));
        reveal(f, line(f, left));
        line(f, left)->setFocus();
        QTest::keyClicks(line(f, left), QStringLiteral("X"));
        QTest::keyClick(line(f, left), Qt::Key_Tab);
        QCOMPARE(line(f, "Edit4")->text(), QStringLiteral("PC4"));
    }
}

void TestPostConfigurationPage::buttonTargets() {
    GuiFixture f(kAllHintsOff);
    show(f);
    QTest::keyClick(page(f), Qt::Key_F1);
    QCOMPARE(f.help.calls, QStringList{QStringLiteral("context:551")});
    f.cancelToMain(page(f));
}

void TestPostConfigurationPage::valuesReachCollect() {
    GuiFixture f(kAllHintsOff);
    start(f);
    click(f, "RadioButton3");
    type(address(f, "Edit1"), QStringLiteral("10.0.0.7"));
    click(f, "RadioButton5");
    type(address(f, "Edit2"), QStringLiteral("255.255.0.0"));
    click(f, "RadioButton7");
    QTest::keyClicks(line(f, "Edit3"), QStringLiteral("PC7"));
    click(f, "RadioButton11");
    QTest::keyClicks(line(f, "Edit5"), QStringLiteral("CORP"));
    const BuildSettings s = f.wizard->collect();
    QVERIFY(s.isChecked(QStringLiteral("TForm99.RadioButton1")));
    QVERIFY(s.isChecked(QStringLiteral("TForm99.RadioButton3")));
    QVERIFY(s.isChecked(QStringLiteral("TForm99.RadioButton21")));
    QCOMPARE(s.text(QStringLiteral("TForm99.Edit1")), QStringLiteral(" 10.  0.  0.  7"));
    QVERIFY(s.isChecked(QStringLiteral("TForm99.RadioButton5")));
    QCOMPARE(s.text(QStringLiteral("TForm99.Edit2")), QStringLiteral("255.255.  0.  0"));
    QCOMPARE(s.text(QStringLiteral("TForm99.Edit3")), QStringLiteral("PC7"));
    QVERIFY(s.isChecked(QStringLiteral("TForm99.RadioButton11")));
    QVERIFY(!s.isChecked(QStringLiteral("TForm99.RadioButton9")));
    QCOMPARE(s.text(QStringLiteral("TForm99.Edit5")), QStringLiteral("CORP"));
    QCOMPARE(s.text(QStringLiteral("TForm99.Edit6")), kSame);
    QVERIFY(s.isChecked(QStringLiteral("TForm99.RadioButton14")));

    // A loaded configuration that clears every kind leaves none selected.
    BuildSettings loaded = s;
    loaded.setChecked(QStringLiteral("TForm99.RadioButton21"), false);
    loaded.setChecked(QStringLiteral("TForm99.RadioButton3"), false);
    loaded.setChecked(QStringLiteral("TForm99.RadioButton4"), true);
    f.wizard->apply(loaded);
    const BuildSettings back = f.wizard->collect();
    QVERIFY(!back.isChecked(QStringLiteral("TForm99.RadioButton21")));
    QVERIFY(back.isChecked(QStringLiteral("TForm99.RadioButton4")));
    QCOMPARE(back.text(QStringLiteral("TForm99.Edit5")), QStringLiteral("CORP"));
}

QTEST_MAIN(TestPostConfigurationPage)
#include "tst_post_configuration_page.moc"
