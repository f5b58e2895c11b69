#include "gui/pages/post_configuration_page.h"
#include "gui/widgets/address_edit.h"
#include "gui_fixture.h"
#include "page_host_double.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

namespace {

const QString kSame = QStringLiteral("Same as Image");

// The page alone, over a PageHostDouble. What each choice does to the values is
// PostConfigurationRules' (tst_post_configuration_rules), what showing does ShowSteps'
// (tst_show_steps); here that the page's buttons run them and what the controls then allow.
struct PostConfigurationFixture {
    PageHostDouble host{kAllHintsOff};
    PostConfigurationPage page{host};

    PostConfigurationFixture() { host.serve(&page); }

    template <class T = QWidget> T* w(const char* name) { return page.findChild<T*>(QLatin1String(name)); }
    AddressEdit* address(const char* name) { return w<AddressEdit>(name); }
    QLineEdit* line(const char* name) { return w<QLineEdit>(name); }
    bool on(const char* name) { return w<QAbstractButton>(name)->isChecked(); }
    QTabWidget* tabs() { return w<QTabWidget>("PageControl1"); }

    // Shows the page anew, as coming from another page does.
    void show() {
        host.go(&page, PageId::PostConfiguration);
        QVERIFY(page.isVisible());
    }
    // The showing after a Multicast diskette was built: the one that advances the values.
    void showAfterDiskette() {
        host.advanceDue().built(BuildMode::Multicast);
        show();
    }
    // Brings the tab that holds the control to the front, as a user does before using it.
    void reveal(QWidget* control) {
        for (int i = 0; i < tabs()->count(); ++i) {
            if (tabs()->widget(i)->isAncestorOf(control))
                tabs()->setCurrentIndex(i);
        }
        QApplication::sendPostedEvents();
    }
    // Clicks a button where a user can see it; a disabled button takes no click.
    void click(const char* name) {
        auto* button = w<QAbstractButton>(name);
        reveal(button);
        QVERIFY2(button->isVisible(), name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    }
    static void type(QLineEdit* edit, const QString& keys) {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, keys);
    }
    // Post-configuration switched on, on a page already shown.
    void start() {
        show();
        click("RadioButton1");
    }
};

} // namespace

class TestPostConfigurationPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUpState();
    void leavingRunsTheAllSameRule_data();
    void leavingRunsTheAllSameRule();
    void groupsAreIndependent();
    void addressChoices_data();
    void addressChoices();
    void addressBackToSameAsImage();
    void showingAdvancesOnlyAfterADiskette();
    void maskRules();
    void nameChoices();
    void nameShowingReselectsUseAsEntered();
    void workgroupAndLogin();
    void leavingFieldsCopiesComputerName();
    void helpAndCancel();
    void valuesReachCollect();
};

void TestPostConfigurationPage::startUpState() {
    PostConfigurationFixture f;
    f.show();
    QCOMPARE(f.page.windowTitle(), QStringLiteral("Post Configuration Parameters"));
    QVERIFY(f.on("RadioButton2") && !f.on("RadioButton1"));
    QVERIFY(f.tabs()->isHidden());
    QStringList captions;
    for (int i = 0; i < f.tabs()->count(); ++i)
        captions << f.tabs()->tabText(i);
    QCOMPARE(captions, (QStringList{"IP Address", "Sub Net Mask", "Computer Name", "Workgroup / Domain",
                                    "Login Name"}));
    QCOMPARE(f.tabs()->currentIndex(), 0); // a host's address in view
    for (const char* kind : {"RadioButton13", "RadioButton15", "RadioButton16", "RadioButton21",
                             "RadioButton17", "RadioButton18", "RadioButton19", "RadioButton20"})
        QVERIFY2(!f.on(kind) && !f.w(kind)->isEnabled(), kind);
    QCOMPARE(f.w<QAbstractButton>("RadioButton18")->text(),
             QStringLiteral("Derive From NIC\u2019s MAC Address"));
    QCOMPARE(f.w<QAbstractButton>("RadioButton19")->text(),
             QStringLiteral("Same as Multicast Parameter \"Client Name\""));
    QCOMPARE(f.w<QAbstractButton>("RadioButton20")->text(), QStringLiteral("Use as Entered "));
    QCOMPARE(f.address("Edit1")->value(), QStringLiteral("  0.  0.  0.  0"));
    QCOMPARE(f.address("Edit2")->value(), QStringLiteral("255.  0.  0.  0"));
    QCOMPARE(f.line("Edit3")->text(), kSame);
    QCOMPARE(f.line("Edit5")->text(), kSame);
    QCOMPARE(f.line("Edit6")->text(), kSame);
    QCOMPARE(f.line("Edit4")->text(), QStringLiteral("CLIENT"));
    QVERIFY(f.line("Edit4")->isHidden() && !f.line("Edit4")->isEnabled());
    QCOMPARE(f.w<QLabel>("Label1")->text(), QStringLiteral("Workgroup / Domain Name"));
    QVERIFY(!f.line("Edit5")->isEnabled() && !f.line("Edit6")->isEnabled());

    f.click("RadioButton1");
    QVERIFY(!f.tabs()->isHidden());
    f.click("RadioButton2");
    QVERIFY(f.tabs()->isHidden());
}

void TestPostConfigurationPage::leavingRunsTheAllSameRule_data() {
    QTest::addColumn<bool>("back");
    QTest::addColumn<QByteArray>("setOne");
    QTest::addColumn<bool>("staysOn");
    QTest::newRow("next, all same") << false << QByteArray() << false;
    QTest::newRow("back, all same") << true << QByteArray() << false;
    QTest::newRow("next, name set") << false << QByteArray("RadioButton7") << true;
}

void TestPostConfigurationPage::leavingRunsTheAllSameRule() {
    QFETCH(bool, back);
    QFETCH(QByteArray, setOne);
    QFETCH(bool, staysOn);
    PostConfigurationFixture f;
    f.start();
    if (!setOne.isEmpty())
        f.click(setOne.constData());
    f.host.moves.clear();
    QTest::mouseClick(back ? f.page.backButton() : f.page.nextButton(), Qt::LeftButton);
    QCOMPARE(f.on("RadioButton1"), staysOn);
    QCOMPARE(f.on("RadioButton2"), !staysOn);
    QCOMPARE(f.tabs()->isHidden(), !staysOn);
    QCOMPARE(f.host.moves, QList<PageId>{back ? PageId::MulticastClient : PageId::Summary});
    QVERIFY(f.host.scripted.shown().isEmpty());
}

void TestPostConfigurationPage::groupsAreIndependent() {
    PostConfigurationFixture f;
    f.start();
    for (const char* set : {"RadioButton3", "RadioButton5", "RadioButton7", "RadioButton9", "RadioButton12"})
        f.click(set);
    QVERIFY(f.on("RadioButton1"));
    for (const char* set : {"RadioButton3", "RadioButton21", "RadioButton5", "RadioButton7", "RadioButton20",
                            "RadioButton9", "RadioButton12"})
        QVERIFY2(f.on(set), set);
    for (const char* same :
         {"RadioButton4", "RadioButton6", "RadioButton8", "RadioButton10", "RadioButton14"})
        QVERIFY2(!f.on(same), same);
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
    QTest::newRow("nt-dhcp, use as entered")
        << L{"RadioButton3", "RadioButton16", "RadioButton21"} << QByteArray("RadioButton21")
        << "  0.  0.  0.  0" << true << true;
    // Showing an address, the field has its mask, so what is typed later stays an address.
    QTest::newRow("nt-dhcp, same as multicast")
        << L{"RadioButton3", "RadioButton16", "RadioButton15"} << QByteArray("RadioButton15")
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
    PostConfigurationFixture f;
    f.host.others.setText(QStringLiteral("TForm6.Edit1"), QStringLiteral(" 10.  1.  2.  3"));
    f.start();
    for (const QByteArray& name : clicks) {
        f.click(name.constData());
        if (name == "RadioButton3")
            f.type(f.address("Edit1"), QStringLiteral("192.168.0.9"));
    }
    for (const char* kind : {"RadioButton13", "RadioButton15", "RadioButton16", "RadioButton21"})
        QCOMPARE(f.on(kind), selected == kind);
    QCOMPARE(f.address("Edit1")->value(), value);
    QCOMPARE(f.address("Edit1")->isMasked(), masked);
    QCOMPARE(f.address("Edit1")->isEnabled(), enabled);
}

void TestPostConfigurationPage::addressBackToSameAsImage() {
    PostConfigurationFixture f;
    f.start();
    f.click("RadioButton3");
    f.click("RadioButton16");
    f.click("RadioButton4");
    QCOMPARE(f.address("Edit1")->value(), QStringLiteral("  0.  0.  0.  0"));
    QVERIFY(f.address("Edit1")->isMasked() && !f.address("Edit1")->isEnabled());
    for (const char* kind : {"RadioButton13", "RadioButton15", "RadioButton16", "RadioButton21"})
        QVERIFY2(!f.on(kind) && !f.w(kind)->isEnabled(), kind);
}

void TestPostConfigurationPage::showingAdvancesOnlyAfterADiskette() {
    PostConfigurationFixture f;
    f.start();
    f.click("RadioButton3");
    f.click("RadioButton13");
    f.type(f.address("Edit1"), QStringLiteral("10.0.0.254"));
    f.show();
    QVERIFY(f.on("RadioButton13"));
    QCOMPARE(f.address("Edit1")->value(), QStringLiteral(" 10.  0.  0.254"));
    f.showAfterDiskette();
    QCOMPARE(f.address("Edit1")->value(), QStringLiteral(" 10.  0.  0.255"));
    f.showAfterDiskette();
    QCOMPARE(f.address("Edit1")->value(), QStringLiteral(" 10.  0.  0.001"));

    // "Same as Multicast Parameter" copies the Multicast address as it is at each showing.
    f.click("RadioButton15");
    f.host.others.setText(QStringLiteral("TForm6.Edit1"), QStringLiteral(" 10.  9.  9.  9"));
    f.show();
    QCOMPARE(f.address("Edit1")->value(), QStringLiteral(" 10.  9.  9.  9"));
}

void TestPostConfigurationPage::nameShowingReselectsUseAsEntered() {
    PostConfigurationFixture f;
    f.start();
    f.click("RadioButton7");
    f.click("RadioButton18");
    f.show();
    QVERIFY(f.on("RadioButton20") && !f.on("RadioButton18"));
    QCOMPARE(f.line("Edit3")->text(), QString());
    QVERIFY(f.line("Edit3")->isEnabled());
    f.click("RadioButton17");
    f.show();
    QCOMPARE(f.line("Edit3")->text(), QStringLiteral("CLIENT1"));
}

void TestPostConfigurationPage::maskRules() {
    PostConfigurationFixture f;
    f.host.others.setText(QStringLiteral("TForm6.Edit2"), QStringLiteral("255.255.  0.  0"));
    f.start();
    auto* copy = f.w<QCheckBox>("CheckBox6");
    QVERIFY(!copy->isEnabled() && !f.address("Edit2")->isEnabled());
    f.click("RadioButton5");
    QVERIFY(copy->isEnabled() && f.address("Edit2")->isEnabled());
    f.click("CheckBox6");
    QCOMPARE(f.address("Edit2")->value(), QStringLiteral("255.255.  0.  0"));
    QVERIFY(!f.address("Edit2")->isEnabled());
    f.click("CheckBox6");
    QCOMPARE(f.address("Edit2")->value(), QStringLiteral("255.  0.  0.  0"));
    QVERIFY(f.address("Edit2")->isEnabled());
    f.click("CheckBox6");
    f.click("RadioButton6");
    QVERIFY(!copy->isEnabled());
    QVERIFY(copy->isChecked());
    QCOMPARE(f.address("Edit2")->value(), QStringLiteral("255.  0.  0.  0"));
    QVERIFY(!f.address("Edit2")->isEnabled());
    // Back on "Set Sub Net Mask" with the box still ticked: the Multicast mask again.
    f.click("RadioButton5");
    QCOMPARE(f.address("Edit2")->value(), QStringLiteral("255.255.  0.  0"));
    QVERIFY(!f.address("Edit2")->isEnabled());
}

void TestPostConfigurationPage::nameChoices() {
    PostConfigurationFixture f;
    f.host.others.setText(QStringLiteral("TForm6.Edit3"), QStringLiteral("LAB 7"));
    f.start();
    QLineEdit* name = f.line("Edit3");
    f.click("RadioButton7");
    QVERIFY(f.on("RadioButton20"));
    QCOMPARE(name->text(), QString());
    QVERIFY(name->isEnabled());
    f.click("RadioButton18");
    QCOMPARE(name->text(), QStringLiteral("Derive From NIC MAC Address"));
    QVERIFY(!name->isEnabled());
    f.click("RadioButton17");
    QCOMPARE(name->text(), QStringLiteral("CLIENT1"));
    QVERIFY(name->isEnabled());
    f.click("RadioButton19");
    QCOMPARE(name->text(), QStringLiteral("LAB 7"));
    QVERIFY(name->isEnabled());
    f.click("RadioButton8");
    QCOMPARE(name->text(), kSame);
    QVERIFY(!name->isEnabled());
    for (const char* kind : {"RadioButton17", "RadioButton18", "RadioButton19", "RadioButton20"})
        QVERIFY2(!f.on(kind) && !f.w(kind)->isEnabled(), kind);
}

void TestPostConfigurationPage::workgroupAndLogin() {
    PostConfigurationFixture f;
    f.start();
    auto* label1 = f.w<QLabel>("Label1");
    f.click("RadioButton9");
    QCOMPARE(f.line("Edit5")->text(), QString());
    QCOMPARE(label1->text(), QStringLiteral("Workgroup Name"));
    QVERIFY(f.line("Edit5")->isEnabled() && label1->isEnabled());
    f.click("RadioButton11");
    QCOMPARE(label1->text(), QStringLiteral("Domain Name"));
    f.click("RadioButton10");
    QCOMPARE(f.line("Edit5")->text(), kSame);
    QCOMPARE(label1->text(), QStringLiteral("Workgroup / Domain Name"));
    QVERIFY(!f.line("Edit5")->isEnabled() && !label1->isEnabled());

    auto* label2 = f.w<QLabel>("Label2");
    QCOMPARE(label2->text(), QStringLiteral("Login Name"));
    f.click("RadioButton12");
    QCOMPARE(f.line("Edit6")->text(), QString());
    QVERIFY(f.line("Edit6")->isEnabled() && label2->isEnabled());
    f.click("RadioButton14");
    QCOMPARE(f.line("Edit6")->text(), kSame);
    QVERIFY(!f.line("Edit6")->isEnabled() && !label2->isEnabled());
}

void TestPostConfigurationPage::leavingFieldsCopiesComputerName() {
    PostConfigurationFixture f;
    f.start();
    f.page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.page));
    f.click("RadioButton7");
    f.click("RadioButton9");
    f.click("RadioButton12");
    QTest::keyClicks(f.line("Edit3"), QStringLiteral("PC4"));
    QCOMPARE(f.line("Edit4")->text(), QStringLiteral("CLIENT"));
    for (const char* left : {"Edit5", "Edit6"}) {
        f.line("Edit4")->setText(QStringLiteral("CLIENT"));
        f.reveal(f.line(left));
        f.line(left)->setFocus();
        QTest::keyClicks(f.line(left), QStringLiteral("X"));
        QTest::keyClick(f.line(left), Qt::Key_Tab);
        QCOMPARE(f.line("Edit4")->text(), QStringLiteral("PC4"));
    }
}

void TestPostConfigurationPage::helpAndCancel() {
    PostConfigurationFixture f;
    f.show();
    QTest::keyClick(&f.page, Qt::Key_F1);
    QCOMPARE(f.host.recordedHelp.calls, QStringList{QStringLiteral("context:551")});
    f.host.moves.clear();
    f.host.scripted.answer(Dialogs::Button::Ok);
    QTest::mouseClick(f.page.cancelButton(), Qt::LeftButton);
    QCOMPARE(f.host.scripted.texts(), QStringList{QStringLiteral("You will lose all selections! ")});
    QCOMPARE(f.host.moves, QList<PageId>{PageId::Main});
}

void TestPostConfigurationPage::valuesReachCollect() {
    PostConfigurationFixture f;
    f.start();
    f.click("RadioButton3");
    f.type(f.address("Edit1"), QStringLiteral("10.0.0.7"));
    f.click("RadioButton5");
    f.type(f.address("Edit2"), QStringLiteral("255.255.0.0"));
    f.click("RadioButton7");
    QTest::keyClicks(f.line("Edit3"), QStringLiteral("PC7"));
    f.click("RadioButton11");
    QTest::keyClicks(f.line("Edit5"), QStringLiteral("CORP"));
    const BuildSettings s = f.host.collect();
    const QList<QPair<QString, QString>> collected{
        {"TForm99.RadioButton1", "1"},  {"TForm99.RadioButton3", "1"},
        {"TForm99.RadioButton21", "1"}, {"TForm99.Edit1", " 10.  0.  0.  7"},
        {"TForm99.RadioButton5", "1"},  {"TForm99.Edit2", "255.255.  0.  0"},
        {"TForm99.Edit3", "PC7"},       {"TForm99.RadioButton11", "1"},
        {"TForm99.RadioButton9", "0"},  {"TForm99.Edit5", "CORP"},
        {"TForm99.Edit6", kSame},       {"TForm99.RadioButton14", "1"}};
    for (const auto& [name, value] : collected)
        QCOMPARE(s.value(name), value);

    // A loaded configuration that clears every kind leaves none selected.
    BuildSettings loaded = s;
    loaded.setChecked(QStringLiteral("TForm99.RadioButton21"), false);
    loaded.setChecked(QStringLiteral("TForm99.RadioButton3"), false);
    loaded.setChecked(QStringLiteral("TForm99.RadioButton4"), true);
    f.host.apply(loaded);
    const BuildSettings back = f.host.collect();
    QVERIFY(!back.isChecked(QStringLiteral("TForm99.RadioButton21")));
    QVERIFY(back.isChecked(QStringLiteral("TForm99.RadioButton4")));
    QCOMPARE(back.text(QStringLiteral("TForm99.Edit5")), QStringLiteral("CORP"));
}

QTEST_MAIN(TestPostConfigurationPage)
#include "tst_post_configuration_page.moc"
