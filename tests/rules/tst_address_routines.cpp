#include "rules/address_routines.h"

#include <QTest>

using namespace AddressRoutines;

namespace {
const QString kNoChange = QStringLiteral("<unchanged>");

const AddressPage& page(int which) {
    switch (which) {
    case 6:
        return AddressPages::MulticastClient;
    case 99:
        return AddressPages::PostConfiguration;
    default:
        return AddressPages::MicrosoftStandalone;
    }
}
} // namespace

class TstAddressRoutines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void blankFillReplacesOnlyTheEmptyText_data();
    void blankFillReplacesOnlyTheEmptyText();
    void incrementLastOctet_data();
    void incrementLastOctet();
    void incrementWrapsAfter255();
    void autoClientInc_data();
    void autoClientInc();
    void dhcpOnRemembersAndShowsTheWord_data();
    void dhcpOnRemembersAndShowsTheWord();
    void dhcpOffRestoresRememberedOrDefaults_data();
    void dhcpOffRestoresRememberedOrDefaults();
    void dhcpOffKeepsWhatWasTyped();
    void dhcpOnTwiceKeepsTheFirstRememberedValues();
    void postConfigurationSwitchesOnlyTheAddressIn();
};

void TstAddressRoutines::blankFillReplacesOnlyTheEmptyText_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("expectedAddress");
    QTest::addColumn<QString>("expectedMask");
    QTest::newRow("both empty") << "   .   .   .   "
                                << "   .   .   .   "
                                << "  0.  0.  0.  0"
                                << "255.  0.  0.  0";
    QTest::newRow("only mask empty") << " 10.  0.  0.  1"
                                     << "   .   .   .   "
                                     << " 10.  0.  0.  1"
                                     << "255.  0.  0.  0";
    QTest::newRow("partly typed stays") << " 10.   .   .   "
                                        << "255.   .   .   "
                                        << " 10.   .   .   "
                                        << "255.   .   .   ";
    QTest::newRow("zeros stay") << "000.000.000.000"
                                << "000.000.000.000"
                                << "000.000.000.000"
                                << "000.000.000.000";
    QTest::newRow("DHCP stays") << "DHCP"
                                << "DHCP"
                                << "DHCP"
                                << "DHCP";
}

void TstAddressRoutines::blankFillReplacesOnlyTheEmptyText() {
    QFETCH(QString, address);
    QFETCH(QString, mask);
    blankFill(address, mask);
    QTEST(address, "expectedAddress");
    QTEST(mask, "expectedMask");
}

void TstAddressRoutines::incrementLastOctet_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("expected");
    QTest::newRow("254") << "192.168.  1.254"
                         << "192.168.  1.255";
    QTest::newRow("255 wraps") << "192.168.  1.255"
                               << "192.168.  1.001";
    QTest::newRow("default 0") << "  0.  0.  0.  0"
                               << "  0.  0.  0.001";
    QTest::newRow("digit first, two blanks") << " 10.  0.  0.5  "
                                             << " 10.  0.  0.006";
    QTest::newRow("two digits") << " 10.  0.  0. 42"
                                << " 10.  0.  0.043";
    QTest::newRow("above 255 wraps") << " 10.  0.  0.999"
                                     << " 10.  0.  0.001";
    QTest::newRow("first groups kept as typed") << "1  . 2 .  3.100"
                                                << "1  . 2 .  3.101";
    QTest::newRow("last group blank") << "192.168.  1.   " << kNoChange;
    QTest::newRow("blank between digits") << "192.168.  1.1 2" << kNoChange;
    QTest::newRow("automatic word") << "DHCP" << kNoChange;
    QTest::newRow("empty") << "" << kNoChange;
}

void TstAddressRoutines::incrementLastOctet() {
    QFETCH(QString, address);
    QFETCH(QString, expected);
    const std::optional<QString> next = AddressRoutines::incrementLastOctet(address);
    QCOMPARE(next.value_or(kNoChange), expected);
}

void TstAddressRoutines::incrementWrapsAfter255() {
    QString address = QStringLiteral(" 10.  0.  0.254");
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        address = AddressRoutines::incrementLastOctet(address).value();
        seen << address;
    }
    QCOMPARE(seen, QStringList({" 10.  0.  0.255", " 10.  0.  0.001", " 10.  0.  0.002"}));
}

void TstAddressRoutines::autoClientInc_data() {
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CLIENT") << 6 << "CLIENT"
                            << "CLIENT1";
    QTest::newRow("PC09") << 6 << "PC09"
                          << "PC10";
    QTest::newRow("PC007") << 6 << "PC007"
                           << "PC8";
    QTest::newRow("LAB 12") << 6 << "LAB 12"
                            << "LAB13";
    QTest::newRow("123") << 6 << "123"
                         << "124";
    QTest::newRow("A1B2") << 6 << "A1B2"
                          << "A1B3";
    QTest::newRow("CLIENT99") << 6 << "CLIENT99"
                              << "CLIENT100";
    QTest::newRow("surrounding blanks") << 6 << "  PC5 \t"
                                        << "PC6";
    QTest::newRow("start-up name") << 6 << "Not Specified"
                                   << "Not Specified1";
    QTest::newRow("largest counter") << 6 << "PC2147483647"
                                     << "PC2147483648";
    QTest::newRow("beyond largest counter") << 6 << "PC2147483648"
                                            << "PC1";
    QTest::newRow("long run") << 6 << "PC99999999999999999999"
                              << "PC1";
    QTest::newRow("leading zeros within limit") << 6 << "PC0002147483647"
                                                << "PC2147483648";
    QTest::newRow("multicast empty") << 6 << ""
                                     << "1";
    QTest::newRow("multicast blanks") << 6 << "   "
                                      << "1";
    QTest::newRow("post empty") << 99 << ""
                                << "CLIENT1";
    QTest::newRow("post same as image") << 99 << " Same as Image "
                                        << "CLIENT1";
    QTest::newRow("post derive") << 99 << "Derive From NIC MAC Address"
                                 << "CLIENT1";
    QTest::newRow("post numbered") << 99 << "WS41"
                                   << "WS42";
    QTest::newRow("microsoft empty") << 40 << ""
                                     << "CLIENT1";
    QTest::newRow("microsoft same as image is a name") << 40 << "Same as Image"
                                                       << "Same as Image1";
    QTest::newRow("multicast same as image is a name") << 6 << "Same as Image"
                                                       << "Same as Image1";
}

void TstAddressRoutines::autoClientInc() {
    QFETCH(int, form);
    QFETCH(QString, name);
    QTEST(AutoClientInc(name, page(form)), "expected");
}

void TstAddressRoutines::dhcpOnRemembersAndShowsTheWord_data() {
    QTest::addColumn<int>("form");
    QTest::addColumn<bool>("incrementSwitchTouched");
    QTest::newRow("multicast client") << 6 << true;
    QTest::newRow("microsoft standalone") << 40 << false;
}

void TstAddressRoutines::dhcpOnRemembersAndShowsTheWord() {
    QFETCH(int, form);
    AddressFields f{" 10.  0.  0.  7", "255.255.  0.  0", {}, true, false};
    const DhcpCheckEffect effect = DHCPCheck(f, page(form));
    QCOMPARE(f.address, QStringLiteral("DHCP"));
    QCOMPARE(f.mask, QStringLiteral("DHCP"));
    QVERIFY(f.automatic);
    QCOMPARE(f.remembered.address, QStringLiteral(" 10.  0.  0.  7"));
    QCOMPARE(f.remembered.mask, QStringLiteral("255.255.  0.  0"));
    QVERIFY(effect.fieldsChanged);
    QVERIFY(effect.maskSwitched);
    QTEST(effect.incrementSwitchTouched, "incrementSwitchTouched");
    QCOMPARE(effect.uncheckIncrementSwitch, effect.incrementSwitchTouched);
    QVERIFY(!effect.incrementSwitchEnabled);
}

void TstAddressRoutines::dhcpOffRestoresRememberedOrDefaults_data() {
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("rememberedAddress");
    QTest::addColumn<QString>("rememberedMask");
    QTest::addColumn<QString>("expectedAddress");
    QTest::addColumn<QString>("expectedMask");
    QTest::newRow("remembered") << 6 << " 10.  0.  0.  7"
                                << "255.255.  0.  0"
                                << " 10.  0.  0.  7"
                                << "255.255.  0.  0";
    QTest::newRow("nothing remembered") << 6 << ""
                                        << ""
                                        << "  0.  0.  0.  0"
                                        << "255.  0.  0.  0";
    QTest::newRow("word remembered") << 6 << "DHCP"
                                     << "DHCP"
                                     << "  0.  0.  0.  0"
                                     << "255.  0.  0.  0";
    QTest::newRow("DHCP prefix") << 40 << "DHCPX"
                                 << " 10.  0.  0.  0"
                                 << "  0.  0.  0.  0"
                                 << " 10.  0.  0.  0";
    QTest::newRow("microsoft remembered") << 40 << "  1.  2.  3.  4"
                                          << ""
                                          << "  1.  2.  3.  4"
                                          << "255.  0.  0.  0";
}

void TstAddressRoutines::dhcpOffRestoresRememberedOrDefaults() {
    QFETCH(int, form);
    QFETCH(QString, rememberedAddress);
    QFETCH(QString, rememberedMask);
    AddressFields f{"DHCP", "DHCP", {rememberedAddress, rememberedMask}, false, true};
    const DhcpCheckEffect effect = DHCPCheck(f, page(form));
    QTEST(f.address, "expectedAddress");
    QTEST(f.mask, "expectedMask");
    QVERIFY(!f.automatic);
    QVERIFY(effect.fieldsChanged);
    QVERIFY(effect.incrementSwitchEnabled);
    QVERIFY(!effect.uncheckIncrementSwitch);
}

// Showing the Multicast client page runs the switch-off half every time; an address typed or
// loaded since must survive it.
void TstAddressRoutines::dhcpOffKeepsWhatWasTyped() {
    AddressFields f{
        " 10.  0.  0.  9", "255.255.255.  0", {" 10.  0.  0.  1", "255.  0.  0.  0"}, false, false};
    const DhcpCheckEffect effect = DHCPCheck(f, AddressPages::MulticastClient);
    QCOMPARE(f.address, QStringLiteral(" 10.  0.  0.  9"));
    QCOMPARE(f.mask, QStringLiteral("255.255.255.  0"));
    QVERIFY(!effect.fieldsChanged);
    QVERIFY(effect.incrementSwitchTouched);
    QVERIFY(effect.incrementSwitchEnabled);
}

void TstAddressRoutines::dhcpOnTwiceKeepsTheFirstRememberedValues() {
    AddressFields f{" 10.  0.  0.  7", "255.255.  0.  0", {}, true, false};
    DHCPCheck(f, AddressPages::MulticastClient);
    DHCPCheck(f, AddressPages::MulticastClient); // the page shown again with DHCP still on
    f.dhcp = false;
    DHCPCheck(f, AddressPages::MulticastClient);
    QCOMPARE(f.address, QStringLiteral(" 10.  0.  0.  7"));
    QCOMPARE(f.mask, QStringLiteral("255.255.  0.  0"));
}

void TstAddressRoutines::postConfigurationSwitchesOnlyTheAddressIn() {
    AddressFields f{" 10.  0.  0.  7", "255.255.  0.  0", {}, true, false};
    DhcpCheckEffect effect = DHCPCheck(f, AddressPages::PostConfiguration);
    QCOMPARE(f.address, QStringLiteral("BOOTP"));
    QCOMPARE(f.mask, QStringLiteral("255.255.  0.  0"));
    QVERIFY(f.remembered.address.isEmpty());
    QVERIFY(!effect.maskSwitched);
    QVERIFY(!effect.incrementSwitchTouched);

    f.dhcp = false; // the page's own choice rules take it out again
    effect = DHCPCheck(f, AddressPages::PostConfiguration);
    QCOMPARE(f.address, QStringLiteral("BOOTP"));
    QVERIFY(!effect.fieldsChanged);
}

QTEST_GUILESS_MAIN(TstAddressRoutines)
#include "tst_address_routines.moc"
