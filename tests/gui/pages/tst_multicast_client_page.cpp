#include "gui/pages/wizard_page.h"
#include "gui/widgets/address_edit.h"
#include "gui_fixture.h"
#include "hint_catcher.h"
#include "platform/profile_file.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const QString kForm = QStringLiteral("TForm6");

} // namespace

class TestMulticastClientPage : public QObject {
    Q_OBJECT
private:
    static WizardPage* page(const GuiFixture& f) {
        return f.wizard->form<WizardPage>(PageId::MulticastClient);
    }
    static AddressEdit* address(const GuiFixture& f, const char* name) {
        return f.control<AddressEdit>(kForm, QLatin1String(name));
    }
    static QLineEdit* line(const GuiFixture& f, const char* name) {
        return f.control<QLineEdit>(kForm, QLatin1String(name));
    }
    static QCheckBox* box(const GuiFixture& f, const char* name) {
        return f.control<QCheckBox>(kForm, QLatin1String(name));
    }
    static void show(GuiFixture& f) { f.wizard->go(nullptr, PageId::MulticastClient); }
    // Back to the NIC parameters page and Next again: one more showing, as a user gets it.
    static void showAgain(GuiFixture& f) {
        QTest::mouseClick(page(f)->backButton(), Qt::LeftButton);
        QVERIFY(f.wizard->form(PageId::NicParameters)->isVisible());
        QTest::mouseClick(f.wizard->form<WizardPage>(PageId::NicParameters)->nextButton(), Qt::LeftButton);
        QVERIFY(page(f)->isVisible());
    }
    // The showing after a Multicast diskette was built: the one that advances the values.
    static void showAfterDiskette(GuiFixture& f) {
        f.wizard->advanceDue().built(BuildMode::Multicast);
        showAgain(f);
    }
    // Replaces the whole field by what a user types after selecting it.
    static void type(QLineEdit* edit, const QString& keys) {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (keys.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, keys);
    }

private Q_SLOTS:
    void firstShowingWithStartUpValues();
    void incrementAcrossShowings_data();
    void incrementAcrossShowings();
    void autoAssignFollowsItsBox();
    void dhcpSwitchesBothFields();
    void dhcpOffRestoresRememberedValues();
    void typedValuesLastAcrossShowings();
    void loadedDhcpConfigurationSwitchesAtShowing();
    void nextChecks_data();
    void nextChecks();
    void leavingNameCopiesIt();
    void buttonTargets();
    void hintOncePerShowing();
    void hintSwitchedOff();
    void valuesReachCollect();
    void pastedControlCharacterIsRefused();
};

void TestMulticastClientPage::firstShowingWithStartUpValues() {
    GuiFixture f(kAllHintsOff);
    QCOMPARE(address(f, "Edit2")->value(), QStringLiteral("   .   .   .   "));
    QCOMPARE(line(f, "Edit4")->text(), QStringLiteral("CLIENT"));
    show(f);
    QCOMPARE(page(f)->windowTitle(), QStringLiteral("Client Boot Diskette Operation"));
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral("  0.  0.  0.  0"));
    QCOMPARE(address(f, "Edit2")->value(), QStringLiteral("255.  0.  0.  0"));
    QCOMPARE(line(f, "Edit3")->text(), QStringLiteral("Not Specified"));
    QVERIFY(line(f, "Edit4")->isHidden());
    QCOMPARE(page(f)->focusWidget(), address(f, "Edit1"));
    QCOMPARE(box(f, "CheckBox1")->text(), QStringLiteral("Auto Assign."));
    QCOMPARE(box(f, "CheckBox2")->text(), QStringLiteral("Auto-Increment."));
    QCOMPARE(box(f, "CheckBox3")->text(), QStringLiteral("NT- DHCP Auto Assign."));
    QTest::mouseClick(page(f)->nextButton(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("You must specify a client name.")});
    QVERIFY(page(f)->isVisible());
}

void TestMulticastClientPage::incrementAcrossShowings_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("showings");
    QTest::newRow("254 wraps") << QStringLiteral("10.1.2.254")
                               << QStringList{" 10.  1.  2.255", " 10.  1.  2.001", " 10.  1.  2.002"};
    QTest::newRow("default") << QStringLiteral("0.0.0.0")
                             << QStringList{"  0.  0.  0.001", "  0.  0.  0.002"};
    // The digit typed in the first place of the last group.
    QTest::newRow("trailing blanks") << QStringLiteral("10.0.0.5")
                                     << QStringList{" 10.  0.  0.006", " 10.  0.  0.007"};
    QTest::newRow("last group empty") << QStringLiteral("10.0.0.") << QStringList{" 10.  0.  0.   "};
}

void TestMulticastClientPage::incrementAcrossShowings() {
    QFETCH(QString, typed);
    QFETCH(QStringList, showings);
    GuiFixture f(kAllHintsOff);
    show(f);
    clickChoice(box(f, "CheckBox2"));
    type(address(f, "Edit1"), typed);
    type(address(f, "Edit2"), QStringLiteral("255.255.0.0"));
    for (const QString& expected : showings) {
        showAfterDiskette(f);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(address(f, "Edit1")->value(), expected);
        QCOMPARE(address(f, "Edit2")->value(), QStringLiteral("255.255.  0.  0"));
    }
}

void TestMulticastClientPage::autoAssignFollowsItsBox() {
    GuiFixture f(kAllHintsOff);
    show(f);
    showAfterDiskette(f);
    QCOMPARE(line(f, "Edit3")->text(), QStringLiteral("Not Specified1"));
    showAgain(f);
    QCOMPARE(line(f, "Edit3")->text(), QStringLiteral("Not Specified1"));
    clickChoice(box(f, "CheckBox1"));
    type(line(f, "Edit3"), QStringLiteral("LAB 12"));
    showAfterDiskette(f);
    QCOMPARE(line(f, "Edit3")->text(), QStringLiteral("LAB 12"));
    clickChoice(box(f, "CheckBox1"));
    QCOMPARE(line(f, "Edit3")->text(), QStringLiteral("LAB13"));
}

void TestMulticastClientPage::dhcpSwitchesBothFields() {
    GuiFixture f(kAllHintsOff);
    show(f);
    type(line(f, "Edit3"), QStringLiteral("LAB1"));
    clickChoice(box(f, "CheckBox2"));
    type(address(f, "Edit1"), QStringLiteral("10.0.0.5"));
    clickChoice(box(f, "CheckBox3"));
    for (const char* name : {"Edit1", "Edit2"}) {
        QCOMPARE(address(f, name)->value(), QStringLiteral("DHCP"));
        QVERIFY(!address(f, name)->isMasked());
        QVERIFY(!address(f, name)->isEnabled());
    }
    QVERIFY(!box(f, "CheckBox2")->isChecked());
    QVERIFY(!box(f, "CheckBox2")->isEnabled());
    // No increment while DHCP is on, and the page is accepted.
    showAgain(f);
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral("DHCP"));
    QTest::mouseClick(page(f)->nextButton(), Qt::LeftButton);
    QVERIFY(f.dialogs.shown().isEmpty());
    QVERIFY(f.wizard->form(PageId::PostConfiguration)->isVisible());
}

void TestMulticastClientPage::dhcpOffRestoresRememberedValues() {
    GuiFixture f(kAllHintsOff);
    show(f);
    type(address(f, "Edit1"), QStringLiteral("10.0.0.5"));
    type(address(f, "Edit2"), QStringLiteral("255.255.255.0"));
    clickChoice(box(f, "CheckBox3"));
    // Shown again while DHCP stays on: what was typed before the switch still comes back.
    showAgain(f);
    clickChoice(box(f, "CheckBox3"));
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral(" 10.  0.  0.  5"));
    QCOMPARE(address(f, "Edit2")->value(), QStringLiteral("255.255.255.  0"));
    QVERIFY(address(f, "Edit1")->isMasked());
    QVERIFY(address(f, "Edit1")->isEnabled() && address(f, "Edit2")->isEnabled());
    QVERIFY(box(f, "CheckBox2")->isEnabled());
    QVERIFY(!box(f, "CheckBox2")->isChecked());
    // Typing works again in the field that had dropped its mask.
    type(address(f, "Edit1"), QStringLiteral("192.168.1.7"));
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral("192.168.  1.  7"));
}

void TestMulticastClientPage::typedValuesLastAcrossShowings() {
    GuiFixture f(kAllHintsOff);
    show(f);
    // A DHCP round trip first, so that there are remembered values that could overwrite the entry.
    clickChoice(box(f, "CheckBox3"));
    clickChoice(box(f, "CheckBox3"));
    type(address(f, "Edit1"), QStringLiteral("10.20.30.40"));
    type(address(f, "Edit2"), QStringLiteral("255.255.0.0"));
    showAgain(f);
    showAgain(f);
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral(" 10. 20. 30. 40"));
    QCOMPARE(address(f, "Edit2")->value(), QStringLiteral("255.255.  0.  0"));
}

void TestMulticastClientPage::loadedDhcpConfigurationSwitchesAtShowing() {
    GuiFixture f(kAllHintsOff);
    BuildSettings loaded;
    loaded.setText(QStringLiteral("TForm6.Edit1"), QStringLiteral(" 10.  1.  1.  1"));
    loaded.setText(QStringLiteral("TForm6.Edit2"), QStringLiteral("255.255.  0.  0"));
    loaded.setChecked(QStringLiteral("TForm6.CheckBox3"), true);
    loaded.setChecked(QStringLiteral("TForm6.CheckBox2"), true);
    f.wizard->apply(loaded);
    show(f);
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral("DHCP"));
    QVERIFY(!address(f, "Edit2")->isEnabled());
    QVERIFY(!box(f, "CheckBox2")->isChecked());
    clickChoice(box(f, "CheckBox3"));
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral(" 10.  1.  1.  1"));
    QCOMPARE(address(f, "Edit2")->value(), QStringLiteral("255.255.  0.  0"));

    // A load that leaves DHCP mode unlocks the fields at the next showing.
    clickChoice(box(f, "CheckBox3"));
    f.wizard->showMain(page(f));
    loaded.setChecked(QStringLiteral("TForm6.CheckBox3"), false);
    loaded.setChecked(QStringLiteral("TForm6.CheckBox2"), false);
    loaded.setText(QStringLiteral("TForm6.Edit1"), QStringLiteral(" 10.  1.  1.  9"));
    f.wizard->apply(loaded);
    show(f);
    QCOMPARE(address(f, "Edit1")->value(), QStringLiteral(" 10.  1.  1.  9"));
    QVERIFY(address(f, "Edit1")->isEnabled() && address(f, "Edit2")->isEnabled());
    QVERIFY(box(f, "CheckBox2")->isEnabled());
}

void TestMulticastClientPage::nextChecks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("message");
    const QString ok = QStringLiteral("10.0.0.1");
    const QString name = QStringLiteral("You must specify a client name.");
    const QString ip = QStringLiteral("You must specify a valid IP Address.");
    const QString mask = QStringLiteral("You must specify a valid Sub Net Mask.");
    QTest::newRow("name not specified") << "Not Specified"
                                        << ""
                                        << "" << name;
    QTest::newRow("name empty, before the address") << ""
                                                    << ""
                                                    << "" << name;
    QTest::newRow("name of blanks passes") << "  " << ok << ok << QString();
    QTest::newRow("name with blank not exact") << "Not Specified " << ok << ok << QString();
    QTest::newRow("ip empty") << "PC1"
                              << "" << ok << ip;
    QTest::newRow("ip zeros") << "PC1"
                              << "000000000000" << ok << ip;
    QTest::newRow("ip 0.0.0.0 passes") << "PC1"
                                       << "0.0.0.0" << ok << QString();
    // No address has a group above 255: the field is named and the page stays.
    QTest::newRow("ip above 255") << "PC1"
                                  << "192.168.1.300" << ok
                                  << "Unique Client IP Address: 192.168.1.300 is no address. Each of its "
                                     "four numbers must be from 0 to 255.";
    QTest::newRow("mask above 255") << "PC1" << ok << "255.256.0.0"
                                    << "Client Sub Net Mask: 255.256.0.0 is no address. Each of its four "
                                       "numbers must be from 0 to 255.";
    QTest::newRow("mask empty") << "PC1" << ok << "" << mask;
    QTest::newRow("mask zeros") << "PC1" << ok << "000000000000" << mask;
    QTest::newRow("mask partly typed passes") << "PC1" << ok << "255" << QString();
}

void TestMulticastClientPage::nextChecks() {
    QFETCH(QString, name);
    QFETCH(QString, ip);
    QFETCH(QString, mask);
    QFETCH(QString, message);
    GuiFixture f(kAllHintsOff);
    show(f);
    type(line(f, "Edit3"), name);
    type(address(f, "Edit1"), ip);
    type(address(f, "Edit2"), mask);
    const QString before = address(f, "Edit1")->value();
    QTest::mouseClick(page(f)->nextButton(), Qt::LeftButton);
    if (message.isEmpty()) {
        QVERIFY(f.dialogs.shown().isEmpty());
        QVERIFY(f.wizard->form(PageId::PostConfiguration)->isVisible());
        return;
    }
    QCOMPARE(f.dialogs.shown().size(), 1);
    QCOMPARE(f.dialogs.shown()[0].text, message);
    QCOMPARE(f.dialogs.shown()[0].icon, Dialogs::Icon::Warning);
    QCOMPARE(f.dialogs.shown()[0].buttons, Dialogs::Buttons::Ok);
    QVERIFY(page(f)->isVisible());
    QCOMPARE(line(f, "Edit3")->text(), name);
    QCOMPARE(address(f, "Edit1")->value(), before);
}

void TestMulticastClientPage::leavingNameCopiesIt() {
    GuiFixture f(kAllHintsOff);
    show(f);
    QVERIFY(QTest::qWaitForWindowActive(page(f)));
    QLineEdit* name = line(f, "Edit3");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Tab);
    QCOMPARE(line(f, "Edit4")->text(), QStringLiteral("Not Specified"));
    name->setFocus();
    type(name, QStringLiteral("LAB7"));
    QCOMPARE(line(f, "Edit4")->text(), QStringLiteral("Not Specified"));
    QTest::mouseClick(page(f)->nextButton(), Qt::LeftButton);
    QCOMPARE(line(f, "Edit4")->text(), QStringLiteral("LAB7"));
}

void TestMulticastClientPage::buttonTargets() {
    GuiFixture f(kAllHintsOff);
    show(f);
    QTest::mouseClick(page(f)->backButton(), Qt::LeftButton);
    QVERIFY(f.wizard->form(PageId::NicParameters)->isVisible());
    QVERIFY(!page(f)->isVisible());

    show(f);
    QTest::keyClick(page(f), Qt::Key_F1);
    QCOMPARE(f.help.calls, QStringList{QStringLiteral("context:507")});
    f.cancelToMain(page(f));
    // Nothing is reset by Cancel, and Back then the page again advances nothing.
    QCOMPARE(line(f, "Edit3")->text(), QStringLiteral("Not Specified"));
}

void TestMulticastClientPage::hintOncePerShowing() {
    HintCatcher hints;
    hints.tickDontShow = true;
    GuiFixture f;
    show(f);
    QTRY_COMPARE(hints.seen.size(), 1);
    QCOMPARE(hints.seen[0].key, QStringLiteral("ShowHint4"));
    QCOMPARE(
        hints.seen[0].lines,
        (QStringList{QStringLiteral("Multicast client boot diskette operation."),
                     QStringLiteral("These parameters are only used during the Multicast.  They are not used "
                                    "for post-imaging customization of the workstation (you will be prompted "
                                    "for that next)."),
                     QString()}));
    QVERIFY(!page(f)->findChild<QTimer*>(QStringLiteral("HintTimer"))->isActive());
    QCOMPARE(ProfileFile(f.path(QStringLiteral("PCBW.INI")))
                 .readString(QStringLiteral("CONFIG"), QStringLiteral("ShowHint4"), QString()),
             QStringLiteral("0"));
    // Switched off: the next showing shows nothing.
    showAgain(f);
    QTRY_VERIFY(!page(f)->findChild<QTimer*>(QStringLiteral("HintTimer"))->isActive());
    QCOMPARE(hints.seen.size(), 1);
}

void TestMulticastClientPage::hintSwitchedOff() {
    HintCatcher hints;
    GuiFixture f("[CONFIG]\r\nShowHint4=0\r\n");
    show(f);
    QTRY_VERIFY(!page(f)->findChild<QTimer*>(QStringLiteral("HintTimer"))->isActive());
    QVERIFY(hints.seen.isEmpty());
    QVERIFY(f.dialogs.shown().isEmpty());
}

void TestMulticastClientPage::valuesReachCollect() {
    GuiFixture f(kAllHintsOff);
    show(f);
    type(address(f, "Edit1"), QStringLiteral("192.168.1.5"));
    type(address(f, "Edit2"), QStringLiteral("255.255.255.0"));
    type(line(f, "Edit3"), QStringLiteral("LAB 4"));
    clickChoice(box(f, "CheckBox2"));
    BuildSettings s = f.wizard->collect();
    QCOMPARE(s.text(QStringLiteral("TForm6.Edit1")), QStringLiteral("192.168.  1.  5"));
    QCOMPARE(s.text(QStringLiteral("TForm6.Edit2")), QStringLiteral("255.255.255.  0"));
    QCOMPARE(s.text(QStringLiteral("TForm6.Edit3")), QStringLiteral("LAB 4"));
    QVERIFY(s.isChecked(QStringLiteral("TForm6.CheckBox1")));
    QVERIFY(s.isChecked(QStringLiteral("TForm6.CheckBox2")));
    QVERIFY(!s.isChecked(QStringLiteral("TForm6.CheckBox3")));
    clickChoice(box(f, "CheckBox3"));
    s = f.wizard->collect();
    QCOMPARE(s.text(QStringLiteral("TForm6.Edit1")), QStringLiteral("DHCP"));
    QCOMPARE(s.text(QStringLiteral("TForm6.Edit2")), QStringLiteral("DHCP"));
    QVERIFY(!s.isChecked(QStringLiteral("TForm6.CheckBox2")));
}

// Keys cannot type a control character into a field, a paste can: Next names the field and the
// character, and the page stays.
void TestMulticastClientPage::pastedControlCharacterIsRefused() {
    GuiFixture f(kAllHintsOff);
    show(f);
    line(f, "Edit3")->insert(QStringLiteral("PC\x1A"));
    QTest::mouseClick(page(f)->nextButton(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(),
             QStringList{"multicast.name (client name) is one line of text and cannot hold "
                         "the control character U+001A"});
    QVERIFY(page(f)->isVisible());
}

QTEST_MAIN(TestMulticastClientPage)
#include "tst_multicast_client_page.moc"
