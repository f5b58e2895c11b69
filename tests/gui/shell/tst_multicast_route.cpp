// The whole Multicast route as a user takes it: from the main window through every page to a
// finished diskette, twice, with the second diskette's name and address advanced.

#include "route_driver.h"
#include "settings/config_store.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QTreeWidget>

class TestMulticastRouteGui : public RouteDriver {
    Q_OBJECT
private:
    QString dirB;

    // From the main window to the build page; the Multicast client page is filled only the first time.
    void passWizard(bool firstTime, bool driveA) {
        startMulticastRoute(firstTime);
        if (firstTime) {
            retype(control<QLineEdit>("TForm6", "Edit1"), QStringLiteral("192.168.1.10"));
            retype(control<QLineEdit>("TForm6", "Edit2"), QStringLiteral("255.255.255.0"));
            retype(control<QLineEdit>("TForm6", "Edit3"), QStringLiteral("lab-pc07"));
            QVERIFY(control<QCheckBox>("TForm6", "CheckBox1")->isChecked());
            clickChoice(control<QCheckBox>("TForm6", "CheckBox2"));
            QVERIFY(control<QCheckBox>("TForm6", "CheckBox2")->isChecked());
        }
        next(PageId::MulticastClient);

        expectShown(PageId::PostConfiguration);
        next(PageId::PostConfiguration);

        expectShown(PageId::Summary);
        next(PageId::Summary);

        expectShown(PageId::DisketteLocation);
        clickChoice(control<QRadioButton>("TForm2", driveA ? "RadioButton1" : "RadioButton2"));
        next(PageId::DisketteLocation);
        expectShown(PageId::Build);
    }

private Q_SLOTS:
    void init() {
        setUp();
        dirB = fx->path(QStringLiteral("diskb"));
        writeIni(0, "A=A.img\r\nB=diskb\r\n");
        // The directory diskette is formatted with system files; the image is blank.
        for (const QString& name : kSystemFiles)
            TestEnv::writeHostFile(dirB + QLatin1Char('/') + name.toLower(), "system file");
        QVERIFY(TestEnv::makeBlankImage(image));
    }
    void cleanup() { tearDown(); }

    void twoDiskettesInARow() {
        // First diskette: drive A:, a blank image.
        passWizard(true, true);
        QTRY_VERIFY_WITH_TIMEOUT(fx->wizard->form(PageId::Main)->isVisible(), 20000);
        QCOMPARE(fx->dialogs.texts(),
                 (QStringList{systemFileWarning("HIMEM.SYS"), systemFileWarning("EMM386.EXE"),
                              systemFileWarning("COMMAND.COM"), kComplete}));
        QCOMPARE(fx->dialogs.shown().first().helpContext, 600);
        QVERIFY(!page(PageId::Build)->isVisible());

        expectCleanImage(image);
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/WATTCP.CFG")),
                 QByteArray("[CLIENT DISKETTE OPERATION]\r\nMY_IP=192.168.1.10\r\nHOSTNAME=LAB-PC07\r\n"
                            "NETMASK=255.255.255.0\r\n"));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/client.exe")),
                 QByteArray("Pellacore client program"));

        // Second diskette: the same route again, drive B:, a directory; name and address advance.
        fx->dialogs.clear();
        fx->dialogs.answer(Dialogs::Button::No);
        passWizard(false, false);
        QCOMPARE(summaryRows(), (QStringList{"MODE=Multicast", "CLIENT NAME=lab-pc8",
                                             "IP ADDRESS=192.168.  1.011", "SUB NET MASK=255.255.255.  0",
                                             nicDriverRow("ne2000.dos"), "HARDWARE=Plug and Play"}));
        QTRY_COMPARE_WITH_TIMEOUT(quitCalls, 1, 20000);
        QCOMPARE(fx->dialogs.texts(), QStringList{kComplete});

        QCOMPARE(TestEnv::readHostFile(dirB + QStringLiteral("/WATTCP.CFG")),
                 QByteArray("[CLIENT DISKETTE OPERATION]\r\nMY_IP=192.168.1.011\r\nHOSTNAME=LAB-PC8\r\n"
                            "NETMASK=255.255.255.0\r\n"));
        QCOMPARE(QDir(dirB).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
                 (QStringList{"AUTOEXEC.BAT", "client.exe", "command.com", "CONFIG.SYS", "dis_pkt9.dos",
                              "emm386.exe", "himem.sys", "NE2000.DOS", "netbind.com", "protman.dos",
                              "protman.exe", "PROTOCOL.INI", "WATTCP.CFG"}));
        // The first diskette was left as it was.
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/WATTCP.CFG")).contains("HOSTNAME=LAB-PC07"), true);
    }

    // Only a diskette built advances the name and the address: Back then Next, a jump back from the
    // summary and a configuration loaded after a diskette show them as they are.
    void passingThePageAgainKeepsItsValues() {
        auto* name = control<QLineEdit>("TForm6", "Edit3");
        startMulticastRoute(true);
        retype(control<QLineEdit>("TForm6", "Edit1"), QStringLiteral("10.1.0.5"));
        retype(name, QStringLiteral("CFG5"));
        clickChoice(control<QCheckBox>("TForm6", "CheckBox2"));
        const BuildSettings saved = fx->wizard->collect();
        next(PageId::MulticastClient);
        QTest::mouseClick(page(PageId::PostConfiguration)->backButton(), Qt::LeftButton);
        QCOMPARE(name->text(), QStringLiteral("CFG5"));
        next(PageId::MulticastClient);
        next(PageId::PostConfiguration);
        auto* grid = control<QTableWidget>("TForm8", "StringGrid1");
        const int row = int(summaryRows().indexOf(QStringLiteral("CLIENT NAME=CFG5")));
        doubleClick(grid->viewport(), grid->visualRect(grid->model()->index(row, 1)).center());
        QCOMPARE(name->text(), QStringLiteral("CFG5"));
        buildFromMulticastPage();
        QVERIFY(TestEnv::mtype(image, "::/WATTCP.CFG").contains("MY_IP=10.1.0.5\r\nHOSTNAME=CFG5\r\n"));

        QCOMPARE(ConfigStore(fx->dir.path()).save("Lab CFG5", saved, [] { return false; }).status,
                 ConfigStore::SaveResult::Status::Saved);
        fx->wizard->form(PageId::Main)->findChild<QAction*>("LoadPreviousConfiguration1")->trigger();
        auto* list = fx->wizard->form(PageId::LoadConfiguration)->findChild<QTreeWidget*>();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(0)).center());
        next(PageId::LoadConfiguration);
        startMulticastRoute(false);
        QCOMPARE(name->text(), QStringLiteral("CFG5"));
    }

    void netWareAfterMulticastTakesTheOdiDriver() {
        // Both catalogues list the card under the same name: NDIS driver for Multicast, ODI for NetWare.
        TestEnv::writeHostFile(fx->path(QStringLiteral("PCBWNICS.INI")),
                               "[NICS]\r\nNE2000 Compatible=ne2000.com\r\n");
        passWizard(true, true);
        QTRY_VERIFY_WITH_TIMEOUT(fx->wizard->form(PageId::Main)->isVisible(), 20000);
        QVERIFY(TestEnv::mtype(image, QStringLiteral("::/NE2000.DOS")).startsWith("driver"));

        // The NetWare diskette, the NIC page passed as it stands.
        QVERIFY(TestEnv::makeBlankImage(image));
        startRoute(kNetWare, PageId::NetWare);
        next(PageId::NetWare);
        expectShown(PageId::NicSelection);
        QCOMPARE(control<QLineEdit>("TForm4", "Edit1")->text(), QStringLiteral("NE2000 Compatible"));
        next(PageId::NicSelection);
        next(PageId::NicParameters);
        expectShown(PageId::Summary);
        QVERIFY(summaryRows().contains(nicDriverRow("ne2000.com")));
        next(PageId::Summary);
        next(PageId::DisketteLocation);
        QTRY_VERIFY_WITH_TIMEOUT(fx->wizard->form(PageId::Main)->isVisible(), 20000);
        expectCleanImage(image);
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/NE2000.COM")), QByteArray("driver ne2000.com"));
        QVERIFY(!listing(image).contains(QStringLiteral("NE2000.DOS")));
    }
};

QTEST_MAIN(TestMulticastRouteGui)
#include "tst_multicast_route.moc"
