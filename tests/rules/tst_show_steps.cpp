#include "rules/host_list.h"
#include "rules/show_steps.h"
#include "settings/build_settings.h"

#include <QTest>

class TstShowSteps : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void multicastFirstShowingWithStartUpValues();
    void multicastIncrementAdvancesAndRemembers();
    void multicastKeepsTypedAddressWithoutIncrement();
    void multicastDhcpOnStopsTheIncrement();
    void multicastLeavingDhcpRestoresRemembered();
    void postConfigurationShowingRules_data();
    void postConfigurationShowingRules();
    void microsoftIncrementsAndNumbersTheName();
    void nextDisketteShowsItsModesPages_data();
    void nextDisketteShowsItsModesPages();
};

void TstShowSteps::multicastFirstShowingWithStartUpValues() {
    BuildSettings s;
    RememberedAddress kept;
    ShowSteps::multicastClient(s, kept);
    QCOMPARE(s.text("TForm6.Edit1"), QStringLiteral("  0.  0.  0.  0"));
    QCOMPARE(s.text("TForm6.Edit2"), QStringLiteral("255.  0.  0.  0"));
    QCOMPARE(s.text("TForm6.Edit3"), QStringLiteral("Not Specified1"));
    ShowSteps::multicastClient(s, kept);
    QCOMPARE(s.text("TForm6.Edit3"), QStringLiteral("Not Specified2"));
}

void TstShowSteps::multicastIncrementAdvancesAndRemembers() {
    BuildSettings s;
    s.setChecked("TForm6.CheckBox2", true);
    s.setText("TForm6.Edit1", " 10.  0.  0.254");
    s.setText("TForm6.Edit2", "255.255.  0.  0");
    RememberedAddress kept;
    ShowSteps::multicastClient(s, kept);
    QCOMPARE(s.text("TForm6.Edit1"), QStringLiteral(" 10.  0.  0.255"));
    ShowSteps::multicastClient(s, kept);
    QCOMPARE(s.text("TForm6.Edit1"), QStringLiteral(" 10.  0.  0.001"));
    QCOMPARE(kept.address, QStringLiteral(" 10.  0.  0.001"));
    QCOMPARE(kept.mask, QStringLiteral("255.255.  0.  0"));
    QCOMPARE(s.text("TForm6.Edit2"), QStringLiteral("255.255.  0.  0"));
}

void TstShowSteps::multicastKeepsTypedAddressWithoutIncrement() {
    BuildSettings s;
    RememberedAddress kept{" 10.  0.  0.  1", "255.  0.  0.  0"};
    s.setText("TForm6.Edit1", " 10.  0.  0.  9");
    s.setText("TForm6.Edit2", "255.255.255.  0");
    ShowSteps::multicastClient(s, kept);
    QCOMPARE(s.text("TForm6.Edit1"), QStringLiteral(" 10.  0.  0.  9"));
    QCOMPARE(s.text("TForm6.Edit2"), QStringLiteral("255.255.255.  0"));
}

void TstShowSteps::multicastDhcpOnStopsTheIncrement() {
    BuildSettings s;
    s.setChecked("TForm6.CheckBox2", true);
    s.setChecked("TForm6.CheckBox3", true);
    s.setText("TForm6.Edit1", " 10.  0.  0.  5");
    RememberedAddress kept;
    ShowSteps::multicastClient(s, kept);
    QCOMPARE(s.text("TForm6.Edit1"), QStringLiteral("DHCP"));
    QCOMPARE(s.text("TForm6.Edit2"), QStringLiteral("DHCP"));
    QVERIFY(!s.isChecked("TForm6.CheckBox2"));
    QCOMPARE(kept.address, QStringLiteral(" 10.  0.  0.  5"));
}

void TstShowSteps::multicastLeavingDhcpRestoresRemembered() {
    BuildSettings s;
    s.setChecked("TForm6.CheckBox3", true);
    s.setText("TForm6.Edit1", " 10.  0.  0.  5");
    s.setText("TForm6.Edit2", "255.255.  0.  0");
    RememberedAddress kept;
    ShowSteps::multicastClient(s, kept);
    ShowSteps::multicastClient(s, kept);
    s.setChecked("TForm6.CheckBox3", false);
    ShowSteps::multicastClient(s, kept);
    QCOMPARE(s.text("TForm6.Edit1"), QStringLiteral(" 10.  0.  0.  5"));
    QCOMPARE(s.text("TForm6.Edit2"), QStringLiteral("255.255.  0.  0"));
}

void TstShowSteps::postConfigurationShowingRules_data() {
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expectedAddress");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<QString>("expectedNameKind");
    QTest::newRow("increment") << QStringList{"TForm99.RadioButton3", "TForm99.RadioButton13"}
                               << " 10.  0.  0.  5"
                               << "Same as Image"
                               << " 10.  0.  0.006"
                               << "Same as Image"
                               << "";
    QTest::newRow("same as image resets") << QStringList{"TForm99.RadioButton4"} << " 10.  0.  0.  5"
                                          << "WS1"
                                          << "  0.  0.  0.  0"
                                          << "Same as Image"
                                          << "";
    QTest::newRow("no kind picks use as entered") << QStringList{"TForm99.RadioButton3"} << "BOOTP"
                                                  << "Same as Image"
                                                  << "  0.  0.  0.  0"
                                                  << "Same as Image"
                                                  << "";
    QTest::newRow("dhcp") << QStringList{"TForm99.RadioButton3", "TForm99.RadioButton16"} << " 10.  0.  0.  5"
                          << "Same as Image"
                          << "BOOTP"
                          << "Same as Image"
                          << "";
    // The name source rule reselects "Use as Entered " at every showing, so no number is added.
    QTest::newRow("auto assign gives way")
        << QStringList{"TForm99.RadioButton7", "TForm99.RadioButton17"} << "  0.  0.  0.  0"
        << "WS1"
        << "  0.  0.  0.  0"
        << "WS1"
        << "TForm99.RadioButton20";
    QTest::newRow("set name empties same as image")
        << QStringList{"TForm99.RadioButton7"} << "  0.  0.  0.  0"
        << "Same as Image"
        << "  0.  0.  0.  0"
        << ""
        << "TForm99.RadioButton20";
}

void TstShowSteps::postConfigurationShowingRules() {
    QFETCH(QStringList, selected);
    QFETCH(QString, address);
    QFETCH(QString, name);
    QFETCH(QString, expectedNameKind);
    BuildSettings s;
    for (const QString& button : selected)
        s.setChecked(button, true);
    s.setText("TForm99.Edit1", address);
    s.setText("TForm99.Edit3", name);
    ShowSteps::postConfiguration(s);
    QTEST(s.text("TForm99.Edit1"), "expectedAddress");
    QTEST(s.text("TForm99.Edit3"), "expectedName");
    QCOMPARE(s.text("TForm99.Edit2"), QStringLiteral("255.  0.  0.  0"));
    for (const char* kind :
         {"TForm99.RadioButton20", "TForm99.RadioButton17", "TForm99.RadioButton18", "TForm99.RadioButton19"})
        QCOMPARE(s.isChecked(kind), expectedNameKind == QLatin1String(kind));
}

void TstShowSteps::microsoftIncrementsAndNumbersTheName() {
    BuildSettings s;
    s.setBuildMode(BuildMode::NetWare);
    s.setChecked("TForm40.RadioButton13", true);
    s.setChecked("TForm40.RadioButton17", true);
    s.setText("TForm40.Edit1", "192.168.  1. 20");
    RememberedAddress kept;
    ShowSteps::microsoftStandalone(s, kept);
    ShowSteps::microsoftStandalone(s, kept);
    QCOMPARE(s.buildMode(), BuildMode::Microsoft);
    QCOMPARE(s.text("TForm40.Edit1"), QStringLiteral("192.168.  1.022"));
    QCOMPARE(kept.address, QStringLiteral("192.168.  1.022"));
    QVERIFY(kept.mask.isEmpty());
    QCOMPARE(s.text("TForm40.Edit3"), QStringLiteral("CLIENT2"));
}

// Each further diskette passes the address page of its mode again (or takes its host), and a
// Multicast one the post-configuration page, whose "Same as Image" resets its address.
void TstShowSteps::nextDisketteShowsItsModesPages_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("withHost");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("postShown");
    QTest::newRow("multicast advances") << 1 << false << "TForm6.Edit1"
                                        << " 10.  0.  0.006" << true;
    QTest::newRow("multicast takes the host") << 1 << true << "TForm6.Edit1"
                                              << " 10.  0.  0.  7" << true;
    QTest::newRow("microsoft advances") << 3 << false << "TForm40.Edit1"
                                        << "192.168.  1.021" << false;
    QTest::newRow("microsoft takes the host") << 3 << true << "TForm40.Edit1"
                                              << " 10.  0.  0.  7" << false;
    QTest::newRow("NetWare has no address page") << 2 << false << "TForm6.Edit1"
                                                 << " 10.  0.  0.  5" << false;
}

void TstShowSteps::nextDisketteShowsItsModesPages() {
    QFETCH(int, mode);
    QFETCH(bool, withHost);
    QFETCH(QString, field);
    QFETCH(bool, postShown);
    BuildSettings s;
    s.setBuildMode(BuildMode(mode));
    s.setChecked("TForm6.CheckBox2", true);
    s.setText("TForm6.Edit1", " 10.  0.  0.  5");
    s.setText("TForm6.Edit2", "255.255.  0.  0");
    s.setChecked("TForm40.RadioButton13", true);
    s.setText("TForm40.Edit1", "192.168.  1. 20");
    s.setChecked("TForm99.RadioButton4", true);
    s.setText("TForm99.Edit1", " 10.  0.  0.  5");
    const Host host{2, "LAB7", "10.0.0.7", {}, {}};
    RememberedAddress multicast;
    RememberedAddress microsoft;
    ShowSteps::nextDiskette(s, withHost ? &host : nullptr, multicast, microsoft);
    QTEST(s.text(field), "expected");
    QCOMPARE(s.text("TForm99.Edit1"), postShown ? QStringLiteral("  0.  0.  0.  0") : " 10.  0.  0.  5");
    QCOMPARE(s.buildMode(), BuildMode(mode));
}

QTEST_GUILESS_MAIN(TstShowSteps)
#include "tst_show_steps.moc"
