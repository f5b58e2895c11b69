#include "platform/dos_fs.h"
#include "rules/page_rules.h"
#include "settings/build_settings.h"
#include "test_env.h"

#include <QTemporaryDir>
#include <QTest>

// The pages' Next checks and BuildMode refinements over values, walked along a build's route as the
// command line walks it.
class TstPageRules : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString& rel) const { return m_dir.path() + QLatin1Char('/') + rel; }

    // Values that pass every page: a client program and a NIC driver that exist.
    BuildSettings passing(int mode, int nos) const {
        BuildSettings s;
        s.setBuildMode(BuildMode(mode));
        s.setIndex("TForm9.ComboBox1", nos);
        s.setText("TForm11.Edit1", path("client.exe"));
        s.setText("TForm4.Edit1", "Novell NE2000 Compatible");
        s.setText("TForm4.Edit2", path("ne2000.dos"));
        s.setText("TForm6.Edit3", "LAB1");
        s.setText("TForm6.Edit1", " 10.  0.  0.  5");
        s.setText("TForm6.Edit2", "255.255.255.  0");
        s.setText("TForm40.Edit3", "LAB-PC07");
        return s;
    }

private Q_SLOTS:
    void initTestCase() {
        TestEnv::writeHostFile(path("client.exe"), "client\r\n");
        TestEnv::writeHostFile(path("ne2000.dos"), "driver\r\n");
    }

    void routeRefinesBuildMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("nos");
        QTest::addColumn<int>("built");
        QTest::newRow("multicast") << 1 << 0 << 1;
        QTest::newRow("standalone, NetWare") << 2 << 0 << 2;
        QTest::newRow("standalone, Microsoft on server") << 2 << 1 << 3;
        QTest::newRow("standalone, Microsoft on floppy") << 2 << 2 << 3;
        QTest::newRow("standalone, no network") << 2 << 3 << 4;
        // Set outright, a Standalone mode is what it says, whatever the list shows.
        QTest::newRow("Microsoft outright") << 3 << 0 << 3;
        QTest::newRow("no network outright") << 4 << 0 << 4;
    }
    void routeRefinesBuildMode() {
        QFETCH(int, mode);
        QFETCH(int, nos);
        QFETCH(int, built);
        BuildSettings s = passing(mode, nos);
        DosFs fs;
        QCOMPARE(PageRules::checkRoute(s, fs), Check());
        QCOMPARE(BuildModes::number(s.buildMode()), built);
    }

    // Each refusal appears only on the routes that pass its page, first in the route's order.
    void routeMakesEachPagesCheck_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("nos");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("refusal");
        const QString noNic = "You must specify a NIC.";
        QTest::newRow("no client, no NIC") << 1 << 0 << "TForm11.Edit1"
                                           << ""
                                           << "You must specify the Pellacore Client location.";
        QTest::newRow("multicast, no NIC") << 1 << 0 << "TForm4.Edit1"
                                           << "" << noNic;
        QTest::newRow("NetWare, no NIC") << 2 << 0 << "TForm4.Edit1"
                                         << "" << noNic;
        QTest::newRow("Microsoft, no NIC") << 2 << 1 << "TForm4.Edit1"
                                           << "" << noNic;
        QTest::newRow("no network needs no NIC") << 2 << 3 << "TForm4.Edit1"
                                                 << ""
                                                 << "";
        QTest::newRow("NetWare, no frame") << 2 << 0 << "TForm21.ComboBox1"
                                           << "-1"
                                           << "You must specify a Frame Type.";
        QTest::newRow("Microsoft has no frame") << 2 << 1 << "TForm21.ComboBox1"
                                                << "-1"
                                                << "";
        QTest::newRow("NetWare, no port") << 2 << 0 << "TForm7.ComboBox2"
                                          << ""
                                          << "You must specify a valid IRQ and Port Address.";
        QTest::newRow("multicast, no name") << 1 << 0 << "TForm6.Edit3"
                                            << "Not Specified"
                                            << "You must specify a client name.";
        QTest::newRow("Microsoft ignores the Multicast name") << 2 << 2 << "TForm6.Edit3"
                                                              << ""
                                                              << "";
        QTest::newRow("no NOS") << 2 << 0 << "TForm9.ComboBox1"
                                << "-1"
                                << "You must specify a NOS.";
        QTest::newRow("Microsoft, address above 255")
            << 2 << 1 << "TForm40.Edit1"
            << "10.0.0.256"
            << "IP Address: 10.0.0.256 is no address. Each of its four numbers must be from 0 to 255.";
        // The host list's computer-name rule, in the page's words; the blanks around a name go.
        QTest::newRow("no computer name") << 2 << 1 << "TForm40.Edit3"
                                          << "  "
                                          << "You must specify a Computer Name.";
        QTest::newRow("computer name of 16") << 3 << 0 << "TForm40.Edit3"
                                             << "LAB-FLOOR2-PC-01"
                                             << "Computer Name: name \"LAB-FLOOR2-PC-01\" has 16 characters; "
                                                "a computer name has at most 15.";
        QTest::newRow("computer name of 15, blanks around") << 3 << 0 << "TForm40.Edit3"
                                                            << " LAB-FLOOR2-PC-1 "
                                                            << "";
        QTest::newRow("NetWare has no computer name") << 2 << 0 << "TForm40.Edit3"
                                                      << ""
                                                      << "";
        // The post-configuration address counts only when it is set there.
        QTest::newRow("post-configuration off") << 1 << 0 << "TForm99.Edit1"
                                                << "10.0.0.300"
                                                << "";
    }
    void routeMakesEachPagesCheck() {
        QFETCH(int, mode);
        QFETCH(int, nos);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, refusal);
        BuildSettings s = passing(mode, nos);
        s.setValue(name, value);
        if (name == QLatin1String("TForm11.Edit1"))
            s.setText("TForm4.Edit1", QString()); // the earlier page's refusal wins
        DosFs fs;
        const Check check = PageRules::checkRoute(s, fs);
        QCOMPARE(check ? check->text : QString(), refusal);
    }

    // A card chosen with one catalogue, shown with another: the shown catalogue decides.
    void nicSelectionFollowsTheCatalogue_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("catalogue"); // PCBWNICS.INI is there
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("driver");
        const QString ndis = "/opt/nics/NE2000.DOS";
        QTest::newRow("same card, its ODI driver") << "NE2000" << true << "NE2000"
                                                   << "/OPT/NICS/NE2000.COM";
        QTest::newRow("no such card: cleared") << "3Com" << true << ""
                                               << "";
        QTest::newRow("a driver browsed for stays") << "Other - Have Disk" << true << ndis << ndis;
        QTest::newRow("no catalogue to judge by") << "3Com" << false << ndis << ndis;
    }
    void nicSelectionFollowsTheCatalogue() {
        QFETCH(QString, entry);
        QFETCH(bool, catalogue);
        QFETCH(QString, selection);
        QFETCH(QString, driver);
        QTemporaryDir dir;
        TestEnv::writeHostFile(dir.filePath("PCBW.INI"), "[LOCATIONS]\r\nNICDriverPath=/opt/nics/\r\n");
        if (catalogue)
            TestEnv::writeHostFile(dir.filePath("PCBWNICS.INI"), "[NICS]\r\nNE2000=ne2000.com\r\n");
        BuildSettings s;
        s.setBuildMode(BuildMode::NetWare);
        s.setText("TForm4.Edit3", entry);
        s.setText("TForm4.Edit1",
                  entry == "Other - Have Disk" || !catalogue ? "/opt/nics/NE2000.DOS" : entry);
        s.setText("TForm4.Edit2", "/opt/nics/NE2000.DOS");
        PageRules::nicSelectionShow(s, dir.path());
        QCOMPARE(s.text("TForm4.Edit1"), selection);
        QCOMPARE(s.text("TForm4.Edit2"), driver);
    }

    void twoDiskettesOnlyForTheMicrosoftFloppyForm_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("nos");
        QTest::addColumn<bool>("two");
        QTest::newRow("Microsoft, client on floppy") << 3 << 2 << true;
        QTest::newRow("Microsoft, client on server") << 3 << 1 << false;
        QTest::newRow("the floppy item left on the list of a Multicast build") << 1 << 2 << false;
        QTest::newRow("before the route has made it Microsoft") << 2 << 2 << false;
    }
    void twoDiskettesOnlyForTheMicrosoftFloppyForm() {
        QFETCH(int, mode);
        QFETCH(int, nos);
        QFETCH(bool, two);
        QCOMPARE(PageRules::twoDiskettes(passing(mode, nos)), two);
    }

    // A driver given by its path alone counts as typed into the Selection field: the reverse of
    // leaving that field.
    void nicSelectionFromDriver_data() {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("expectedSelection");
        QTest::addColumn<QString>("expectedEntry");
        const QString other = "Other - Have Disk";
        QTest::newRow("driver alone") << ""
                                      << "/opt/nics/E100.DOS"
                                      << "/opt/nics/E100.DOS" << other;
        QTest::newRow("a chosen card stays") << "NE2000"
                                             << "/opt/nics/E100.DOS"
                                             << "NE2000"
                                             << "NE2000";
        QTest::newRow("the untouched driver field is no driver")
            << "" << BuildSettings().text("TForm4.Edit2") << ""
            << "NE2000";
    }
    void nicSelectionFromDriver() {
        QFETCH(QString, selection);
        QFETCH(QString, driver);
        BuildSettings s;
        s.setText("TForm4.Edit1", selection);
        s.setText("TForm4.Edit2", driver);
        s.setText("TForm4.Edit3", "NE2000");
        PageRules::nicSelectionFromDriver(s);
        QTEST(s.text("TForm4.Edit1"), "expectedSelection");
        QTEST(s.text("TForm4.Edit3"), "expectedEntry");
        QCOMPARE(s.text("TForm4.Edit2"), driver);
    }

    void refusalsCarryThePagesIcon() {
        BuildSettings s = passing(1, 0);
        s.setText("TForm7.ComboBox2", QString());
        DosFs fs;
        QCOMPARE(PageRules::checkRoute(s, fs)->icon, Dialogs::Icon::Error);
        s = passing(1, 0);
        s.setText("TForm4.Edit2", path("gone.dos"));
        const Check missing = PageRules::checkRoute(s, fs);
        QCOMPARE(missing,
                 Check(Refusal{"NIC driver " + path("gone.dos") + " not found.", Dialogs::Icon::Warning}));
    }
};

QTEST_GUILESS_MAIN(TstPageRules)
#include "tst_page_rules.moc"
