#include "rules/summary_rows.h"
#include "settings/build_settings.h"

#include <QTest>

Q_DECLARE_METATYPE(PageId)

namespace {

using Values = QList<QPair<QString, QString>>; // alias -> save form

BuildSettings settingsFor(int mode, const Values& values) {
    BuildSettings s;
    s.setBuildMode(BuildMode(mode));
    for (const auto& [name, value] : values)
        s.setValue(name, value);
    return s;
}

// "LABEL=value|LABEL=value|...", in the grid's order.
QString texts(const QList<SummaryRow>& rows) {
    QStringList out;
    for (const SummaryRow& row : rows)
        out << row.label + QLatin1Char('=') + row.value;
    return out.join(QLatin1Char('|'));
}

const Values kMulticast{
    {"multicast.name", " client07 "}, {"multicast.ip", "10.0.0.5"}, {"multicast.mask", "255.255.0.0"}};
const Values kNetwareBoth{
    {"netware.map.on", "1"},   {"netware.map.drive", "12"},  {"netware.map.path", "\\\\NW\\Sys"},
    {"netware.login.on", "1"}, {"netware.login.drive", "6"}, {"netware.login.name", "IMAGER  "}};
const Values kMicrosoft{{"standalone.nos", "1"},         {"microsoft.login.name", "admin"},
                        {"microsoft.ip", "10.0.1.20"},   {"microsoft.mask", "255.255.255.0"},
                        {"microsoft.server.drive", "9"}, {"microsoft.server.share", "\\\\SRV\\D"},
                        {"microsoft.group", "LAB"},      {"microsoft.name", "WS1"}};
const Values kNonPnp{{"nic.pnp.off", "1"}, {"nic.irq", "10"}, {"nic.port", "340"}};

} // namespace

// The summary's rows and where each leads, from the values alone; the page test checks only that
// the grids show them and a double-click follows them.
class TstSummaryRows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void operation_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Values>("values");
        QTest::addColumn<QString>("rows");
        const QString multicast = "MODE=Multicast|CLIENT NAME=client07|IP ADDRESS=10.  0.  0.  5|"
                                  "SUB NET MASK=255.255.  0.  0|NIC DRIVER=NIC Driver Name|";
        const QString netware =
            "MODE=Standalone|NOS=Novell Netware 3.12 or higher|FRAME TYPE=Ethernet_802.2|";
        const QString microsoft = "MODE=Standalone|NOS=Microsoft TCP/IP - Pellacore Client on Server|"
                                  "LOGIN NAME=admin|IP ADDRESS=10.  0.  1. 20|SUB NET MASK=255.255.255.  0|"
                                  "SERVER DRIVE=J:\\\\SRV\\D|%1=LAB|COMPUTER NAME=WS1|"
                                  "NIC DRIVER=NIC Driver Name|HARDWARE=Plug and Play";
        QTest::newRow("multicast, plug and play") << 1 << kMulticast << multicast + "HARDWARE=Plug and Play";
        QTest::newRow("multicast, not plug and play")
            << 1 << kMulticast + kNonPnp << multicast + "HARDWARE=Non-PnP|IRQ=10|IO PORT=340";
        QTest::newRow("netware, no login, no mapping, not plug and play")
            << 2 << Values{{"nic.pnp.off", "1"}, {"netware.frame", "2"}}
            << "MODE=Standalone|NOS=Novell Netware 3.12 or higher|FRAME TYPE=Ethernet_II|"
               "NIC DRIVER=NIC Driver Name|HARDWARE=Non-PnP|IRQ=5|IO PORT=300";
        QTest::newRow("netware, login and mapping")
            << 2 << kNetwareBoth
            << netware + "MAP DRIVE=M:\\\\NW\\Sys|LOGIN DRIVE=G:|LOGIN NAME=IMAGER|"
                         "NIC DRIVER=NIC Driver Name|HARDWARE=Plug and Play";
        QTest::newRow("netware, login only")
            << 2 << Values{{"netware.login.on", "1"}, {"netware.login.name", "IMAGER"}}
            << netware + "LOGIN DRIVE=F:|LOGIN NAME=IMAGER|NIC DRIVER=NIC Driver Name|HARDWARE=Plug and Play";
        QTest::newRow("microsoft, workgroup") << 3 << kMicrosoft << microsoft.arg("WORKGROUP");
        QTest::newRow("microsoft, domain")
            << 3 << kMicrosoft + Values{{"microsoft.group.domain", "1"}} << microsoft.arg("DOMAIN");
        QTest::newRow("no network ignores the IRQ choice")
            << 4 << Values{{"nic.selection", "NE2000 Compatible"}, {"nic.pnp.off", "1"}}
            << "NIC=NE2000 Compatible|HARDWARE=None";
    }
    void operation() {
        QFETCH(int, mode);
        QFETCH(Values, values);
        QFETCH(QString, rows);
        QCOMPARE(texts(SummaryRows::operation(settingsFor(mode, values))), rows);
    }

    void postConfiguration_data() {
        QTest::addColumn<Values>("values");
        QTest::addColumn<QString>("rows");
        QTest::newRow("everything as the image")
            << Values{}
            << "COMPUTER NAME=Same as Image|WORKGROUP/DOMAIN=Same as Image|LOGIN NAME=Same as Image|"
               "IP ADDRESS=Same as Image|SUB NET MASK=Same as Image";
        QTest::newRow("every value set, domain")
            << Values{{"post.name", "PC12"},     {"post.group.domain", "1"},  {"post.group", "CORP"},
                      {"post.login.name", "jo"}, {"post.ip.set", "1"},        {"post.ip", "10.1.1.1"},
                      {"post.mask.set", "1"},    {"post.mask", "255.255.0.0"}}
            << "COMPUTER NAME=PC12|DOMAIN=CORP|LOGIN NAME=jo|IP ADDRESS=10.  1.  1.  1|SUB NET MASK=255.255. "
               " 0.  0";
        // An address or mask left to the image reads so, whatever its field still holds.
        QTest::newRow("workgroup, address fields not set")
            << Values{{"post.group.workgroup", "1"}, {"post.group", "LAB"}, {"post.ip", "10.1.1.1"}}
            << "COMPUTER NAME=Same as Image|WORKGROUP=LAB|LOGIN NAME=Same as Image|IP ADDRESS=Same as Image|"
               "SUB NET MASK=Same as Image";
    }
    void postConfiguration() {
        QFETCH(Values, values);
        QFETCH(QString, rows);
        QCOMPARE(texts(SummaryRows::postConfiguration(settingsFor(1, values))), rows);
    }

    void operationTarget_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("mode");
        QTest::addColumn<PageId>("page");
        QTest::addColumn<QString>("tab"); // "none": the row leads nowhere
        using P = PageId;
        QTest::newRow("MODE") << "MODE" << 3 << P::Main << "";
        QTest::newRow("IO PORT") << "IO PORT" << 1 << P::NicParameters << "";
        QTest::newRow("NOS") << "NOS" << 2 << P::StandaloneParameters << "";
        QTest::newRow("NIC") << "NIC" << 4 << P::NicSelection << "";
        QTest::newRow("NIC DRIVER") << "NIC DRIVER" << 2 << P::NicSelection << "";
        QTest::newRow("IP ADDRESS, multicast") << "IP ADDRESS" << 1 << P::MulticastClient << "";
        QTest::newRow("LOGIN NAME, netware") << "LOGIN NAME" << 2 << P::NetWare << "";
        QTest::newRow("MAP DRIVE") << "MAP DRIVE" << 2 << P::NetWare << "";
        QTest::newRow("LOGIN NAME, microsoft") << "LOGIN NAME" << 3 << P::MicrosoftStandalone << "Login Name";
        QTest::newRow("SUB NET MASK, microsoft")
            << "SUB NET MASK" << 3 << P::MicrosoftStandalone << "IP Address / Sub Net Mask";
        QTest::newRow("SERVER DRIVE") << "SERVER DRIVE" << 3 << P::MicrosoftStandalone << "Server Drive";
        QTest::newRow("DOMAIN") << "DOMAIN" << 3 << P::MicrosoftStandalone << "Workgroup / Domain";
        QTest::newRow("COMPUTER NAME") << "COMPUTER NAME" << 3 << P::MicrosoftStandalone << "Computer Name";
        // A label of another mode's page, or the empty space below the rows, leads nowhere.
        QTest::newRow("CLIENT NAME, netware") << "CLIENT NAME" << 2 << P::Main << "none";
        QTest::newRow("LOGIN NAME, multicast") << "LOGIN NAME" << 1 << P::Main << "none";
        QTest::newRow("below the rows") << "" << 1 << P::Main << "none";
    }
    void operationTarget() {
        QFETCH(QString, label);
        QFETCH(int, mode);
        QFETCH(PageId, page);
        QFETCH(QString, tab);
        const std::optional<SummaryTarget> target = SummaryRows::operationTarget(label, BuildMode(mode));
        QCOMPARE(bool(target), tab != QLatin1String("none"));
        if (target) {
            QCOMPARE(target->page, page);
            QCOMPARE(target->tab, tab);
        }
    }

    // Whatever the values, every row the summary lists leads back to a page.
    void everyOperationRowLeadsSomewhere() {
        const QList<QPair<int, Values>> cases{{1, kNonPnp},
                                              {2, kNetwareBoth + kNonPnp},
                                              {3, kNonPnp + Values{{"microsoft.group.domain", "1"}}},
                                              {3, {}},
                                              {4, {}}};
        for (const auto& [mode, values] : cases) {
            for (const SummaryRow& row : SummaryRows::operation(settingsFor(mode, values)))
                QVERIFY2(SummaryRows::operationTarget(row.label, BuildMode(mode)), qPrintable(row.label));
        }
    }

    void postConfigurationTarget_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("tab");
        QTest::newRow("COMPUTER NAME") << "COMPUTER NAME"
                                       << "Computer Name";
        QTest::newRow("WORKGROUP/DOMAIN") << "WORKGROUP/DOMAIN"
                                          << "Workgroup / Domain";
        QTest::newRow("WORKGROUP") << "WORKGROUP"
                                   << "Workgroup / Domain";
        QTest::newRow("DOMAIN") << "DOMAIN"
                                << "Workgroup / Domain";
        QTest::newRow("LOGIN NAME") << "LOGIN NAME"
                                    << "Login Name";
        QTest::newRow("IP ADDRESS") << "IP ADDRESS"
                                    << "IP Address";
        QTest::newRow("SUB NET MASK") << "SUB NET MASK"
                                      << "Sub Net Mask";
        QTest::newRow("no label: the page as it was") << ""
                                                      << "";
    }
    void postConfigurationTarget() {
        QFETCH(QString, label);
        QFETCH(QString, tab);
        const SummaryTarget target = SummaryRows::postConfigurationTarget(label);
        QCOMPARE(target.page, PageId::PostConfiguration);
        QCOMPARE(target.tab, tab);
    }
};

QTEST_MAIN(TstSummaryRows)
#include "tst_summary_rows.moc"
