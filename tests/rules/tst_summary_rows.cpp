#include "rules/summary_rows.h"
#include "settings/build_settings.h"

#include <QTest>

Q_DECLARE_METATYPE(PageId)

namespace {

using Values = QList<QPair<QString, QString>>; // value name -> save form

BuildSettings settingsFor(int mode, const Values& values) {
    BuildSettings s;
    s.setBuildMode(BuildMode(mode));
    for (const auto& [name, value] : values)
        s.setValue(name, value);
    return s;
}

QStringList texts(const QList<SummaryRow>& rows) {
    QStringList out;
    for (const SummaryRow& row : rows)
        out << row.label + QLatin1Char('=') + row.value;
    return out;
}

const Values kMulticast{
    {"TForm6.Edit3", " client07 "}, {"TForm6.Edit1", " 10.  0.  0.  5"}, {"TForm6.Edit2", "255.255.  0.  0"}};
const Values kNetwareBoth{
    {"TForm21.RadioButton4", "1"}, {"TForm21.ComboBox3", "12"}, {"TForm21.Edit2", "\\\\NWSRV\\Sys\\Images"},
    {"TForm21.RadioButton2", "1"}, {"TForm21.ComboBox2", "6"},  {"TForm21.Edit1", "IMAGER  "}};
const Values kMicrosoft{{"TForm9.ComboBox1", "1"},
                        {"TForm40.Edit6", "admin"},
                        {"TForm40.Edit1", "192.168.  1. 20"},
                        {"TForm40.Edit2", "255.255.255.  0"},
                        {"TForm40.ComboBox3", "9"},
                        {"TForm40.Edit4", "\\\\SRV\\D"},
                        {"TForm40.Edit5", "LAB"},
                        {"TForm40.Edit3", "WS1"}};
const Values kNonPnp{{"TForm7.RadioButton2", "1"}, {"TForm7.ComboBox1", "10"}, {"TForm7.ComboBox2", "340"}};

} // namespace

// The summary's rows and where each leads, from the values alone; the page test checks only that
// the grids show them and a double-click follows them.
class TstSummaryRows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void operation_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Values>("values");
        QTest::addColumn<QStringList>("rows");
        const QStringList multicast{"MODE=Multicast", "CLIENT NAME=client07", "IP ADDRESS=10.  0.  0.  5",
                                    "SUB NET MASK=255.255.  0.  0", "NIC DRIVER=NIC Driver Name"};
        QTest::newRow("multicast, plug and play")
            << 1 << kMulticast << multicast + QStringList{"HARDWARE=Plug and Play"};
        QTest::newRow("multicast, not plug and play")
            << 1 << kMulticast + kNonPnp
            << multicast + QStringList{"HARDWARE=Non-PnP", "IRQ=10", "IO PORT=340"};
        QTest::newRow("netware, no login, no mapping, not plug and play")
            << 2 << Values{{"TForm7.RadioButton2", "1"}, {"TForm21.ComboBox1", "2"}}
            << QStringList{"MODE=Standalone",
                           "NOS=Novell Netware 3.12 or higher",
                           "FRAME TYPE=Ethernet_II",
                           "NIC DRIVER=NIC Driver Name",
                           "HARDWARE=Non-PnP",
                           "IRQ=5",
                           "IO PORT=300"};
        QTest::newRow("netware, login and mapping") << 2 << kNetwareBoth
                                                    << QStringList{"MODE=Standalone",
                                                                   "NOS=Novell Netware 3.12 or higher",
                                                                   "FRAME TYPE=Ethernet_802.2",
                                                                   "MAP DRIVE=M:\\\\NWSRV\\Sys\\Images",
                                                                   "LOGIN DRIVE=G:",
                                                                   "LOGIN NAME=IMAGER",
                                                                   "NIC DRIVER=NIC Driver Name",
                                                                   "HARDWARE=Plug and Play"};
        QTest::newRow("netware, login only")
            << 2 << Values{{"TForm21.RadioButton2", "1"}, {"TForm21.Edit1", "IMAGER"}}
            << QStringList{"MODE=Standalone",           "NOS=Novell Netware 3.12 or higher",
                           "FRAME TYPE=Ethernet_802.2", "LOGIN DRIVE=F:",
                           "LOGIN NAME=IMAGER",         "NIC DRIVER=NIC Driver Name",
                           "HARDWARE=Plug and Play"};
        const QStringList microsoftHead{"MODE=Standalone",
                                        "NOS=Microsoft TCP/IP - Pellacore Client on Server",
                                        "LOGIN NAME=admin",
                                        "IP ADDRESS=192.168.  1. 20",
                                        "SUB NET MASK=255.255.255.  0",
                                        "SERVER DRIVE=J:\\\\SRV\\D"};
        const QStringList microsoftTail{"COMPUTER NAME=WS1", "NIC DRIVER=NIC Driver Name",
                                        "HARDWARE=Plug and Play"};
        QTest::newRow("microsoft, workgroup")
            << 3 << kMicrosoft << microsoftHead + QStringList{"WORKGROUP=LAB"} + microsoftTail;
        QTest::newRow("microsoft, domain") << 3 << kMicrosoft + Values{{"TForm40.RadioButton11", "1"}}
                                           << microsoftHead + QStringList{"DOMAIN=LAB"} + microsoftTail;
        QTest::newRow("no network ignores the IRQ choice")
            << 4 << Values{{"TForm4.Edit1", "NE2000 Compatible"}, {"TForm7.RadioButton2", "1"}}
            << QStringList{"NIC=NE2000 Compatible", "HARDWARE=None"};
    }
    void operation() {
        QFETCH(int, mode);
        QFETCH(Values, values);
        QFETCH(QStringList, rows);
        QCOMPARE(texts(SummaryRows::operation(settingsFor(mode, values))), rows);
    }

    void postConfiguration_data() {
        QTest::addColumn<Values>("values");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("everything as the image")
            << Values{}
            << QStringList{"COMPUTER NAME=Same as Image", "WORKGROUP/DOMAIN=Same as Image",
                           "LOGIN NAME=Same as Image", "IP ADDRESS=Same as Image",
                           "SUB NET MASK=Same as Image"};
        QTest::newRow("every value set, domain")
            << Values{{"TForm99.Edit3", "PC12"},     {"TForm99.RadioButton11", "1"},
                      {"TForm99.Edit5", "CORP"},     {"TForm99.Edit6", "jo"},
                      {"TForm99.RadioButton3", "1"}, {"TForm99.Edit1", " 10.  1.  1.  1"},
                      {"TForm99.RadioButton5", "1"}, {"TForm99.Edit2", "255.255.  0.  0"}}
            << QStringList{"COMPUTER NAME=PC12", "DOMAIN=CORP", "LOGIN NAME=jo", "IP ADDRESS=10.  1.  1.  1",
                           "SUB NET MASK=255.255.  0.  0"};
        // An address or mask left to the image reads so, whatever its field still holds.
        QTest::newRow("workgroup, address fields not set")
            << Values{{"TForm99.RadioButton9", "1"},
                      {"TForm99.Edit5", "LAB"},
                      {"TForm99.Edit1", " 10.  1.  1.  1"}}
            << QStringList{"COMPUTER NAME=Same as Image", "WORKGROUP=LAB", "LOGIN NAME=Same as Image",
                           "IP ADDRESS=Same as Image", "SUB NET MASK=Same as Image"};
    }
    void postConfiguration() {
        QFETCH(Values, values);
        QFETCH(QStringList, rows);
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
    void everyOperationRowLeadsSomewhere_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Values>("values");
        QTest::newRow("multicast") << 1 << kNonPnp;
        QTest::newRow("netware") << 2 << kNetwareBoth + kNonPnp;
        QTest::newRow("microsoft, domain") << 3 << kNonPnp + Values{{"TForm40.RadioButton11", "1"}};
        QTest::newRow("microsoft, workgroup") << 3 << Values{};
        QTest::newRow("no network") << 4 << Values{};
    }
    void everyOperationRowLeadsSomewhere() {
        QFETCH(int, mode);
        QFETCH(Values, values);
        for (const SummaryRow& row : SummaryRows::operation(settingsFor(mode, values)))
            QVERIFY2(SummaryRows::operationTarget(row.label, BuildMode(mode)), qPrintable(row.label));
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
