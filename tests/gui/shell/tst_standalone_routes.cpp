// The Standalone routes as a user takes them: from the main window's "Create Standalone Diskettes"
// through every page to a finished diskette, one test per server NOS.

#include "gui/widgets/hint_dialog.h"
#include "route_driver.h"

class TestStandaloneRoutesGui : public RouteDriver {
    Q_OBJECT
private Q_SLOTS:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void netWare() {
        writeIni(2);
        QStringList hint;
        watcher->then([&](QWidget* w) {
            auto* dialog = qobject_cast<HintDialog*>(w);
            QVERIFY(dialog);
            hint << dialog->hintKey() << dialog->label(1)->text() << dialog->label(2)->text()
                 << dialog->label(3)->text();
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });

        startRoute(kNetWare, PageId::NetWare);
        choose(control<QComboBox>("TForm21", "ComboBox1"), QStringLiteral("Ethernet_II"));
        clickChoice(control<QRadioButton>("TForm21", "RadioButton2"));
        QVERIFY(control<QLineEdit>("TForm21", "Edit1")->isVisible());
        choose(control<QComboBox>("TForm21", "ComboBox2"), QStringLiteral("G:"));
        retype(control<QLineEdit>("TForm21", "Edit1"), QStringLiteral("IMAGER  "));
        clickChoice(control<QRadioButton>("TForm21", "RadioButton4"));
        QVERIFY(control<QLineEdit>("TForm21", "Edit2")->isVisible());
        choose(control<QComboBox>("TForm21", "ComboBox3"), QStringLiteral("J:"));
        retype(control<QLineEdit>("TForm21", "Edit2"), QStringLiteral("\\\\IMGSRV\\SYS\\IMAGES"));
        next(PageId::NetWare);
        QCOMPARE(watcher->seen(), QStringList{"TForm20"});
        QCOMPARE(hint, (QStringList{"ShowHint2",
                                    "On your network, create a login under \"IMAGER\" with rights to the "
                                    "directory where Pellacore images will be stored.  Do not specify a "
                                    "password for this login.",
                                    "", ""}));

        expectShown(PageId::NicSelection);
        pickNic(QStringLiteral("NE2000 ODI"));
        next(PageId::NicSelection);

        expectShown(PageId::NicParameters);
        clickChoice(control<QRadioButton>("TForm7", "RadioButton2"));
        choose(control<QComboBox>("TForm7", "ComboBox1"), QStringLiteral("10"));
        retype(control<QComboBox>("TForm7", "ComboBox2")->lineEdit(), QStringLiteral("340"));
        next(PageId::NicParameters);

        finishRoute({"MODE=Standalone", "NOS=" + kNetWare, "FRAME TYPE=Ethernet_II",
                     "MAP DRIVE=J:\\\\IMGSRV\\SYS\\IMAGES", "LOGIN DRIVE=G:", "LOGIN NAME=IMAGER",
                     nicDriverRow("ne2000.com"), "HARDWARE=Non-PnP", "IRQ=10", "IO PORT=340"});
        QTRY_VERIFY_WITH_TIMEOUT(fx->wizard->form(PageId::Main)->isVisible(), 20000);
        QCOMPARE(fx->dialogs.texts(), QStringList{kComplete});
        QCOMPARE(fx->dialogs.shown().last().buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(watcher->seen().size(), 1);

        expectCleanImage(image);
        QStringList files = kSystemFiles;
        files << "AUTOEXEC.BAT"
              << "CONFIG.SYS"
              << "NET.CFG"
              << "CLIENT.EXE"
              << "NE2000.COM";
        files << kNetWareFiles;
        QCOMPARE(listing(image), sorted(files));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/AUTOEXEC.BAT")),
                 QByteArray("@ECHO OFF\r\n"
                            "REM [AUTOEXEC.BAT : Created by PCBW 12/7/2026]\r\n"
                            "prompt $p$g\r\n"
                            "lh LSL.COM\r\n"
                            "lh NE2000.COM\r\n"
                            "lh IPXODI.COM\r\n"
                            "lh VLM.EXE\r\n"
                            "G:LOGIN IMAGER  \r\n"
                            "A:\r\n"
                            "MAP J:=\\\\IMGSRV\\SYS\\IMAGES\r\n"
                            "A:\r\n"
                            "lh client.exe\r\n"));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/NET.CFG")),
                 netWareNetCfg({"   INT 10", "   PORT 340"}, "Ethernet_II", "G"));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/CONFIG.SYS")), kNetWareConfigSys);
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/NE2000.COM")), QByteArray("driver ne2000.com"));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/RSA.VLM")), QByteArray("netware RSA.VLM"));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/CLIENT.EXE")),
                 QByteArray("Pellacore client program"));
    }

    void microsoftClientOnServer() {
        startRoute(kOnServer, PageId::MicrosoftStandalone);
        QCOMPARE(fx->wizard->buildMode(), BuildMode::Microsoft);
        auto* tabs = control<QTabWidget>("TForm40", "PageControl1");
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("IP Address / Sub Net Mask"));
        retype(control<QLineEdit>("TForm40", "Edit6"), QStringLiteral("imager"));
        showTab("TForm40", QStringLiteral("IP Address / Sub Net Mask"));
        retype(control<QLineEdit>("TForm40", "Edit1"), QStringLiteral("10.1.2.30"));
        retype(control<QLineEdit>("TForm40", "Edit2"), QStringLiteral("255.255.0.0"));
        showTab("TForm40", QStringLiteral("Server Drive"));
        choose(control<QComboBox>("TForm40", "ComboBox3"), QStringLiteral("K:"));
        retype(control<QLineEdit>("TForm40", "Edit4"), QStringLiteral("\\\\IMGSRV\\IMAGES "));
        showTab("TForm40", QStringLiteral("Computer Name"));
        retype(control<QLineEdit>("TForm40", "Edit3"), QStringLiteral(" LAB-PC07 "));
        showTab("TForm40", QStringLiteral("Workgroup / Domain"));
        clickChoice(control<QRadioButton>("TForm40", "RadioButton11"));
        QCOMPARE(control<QLabel>("TForm40", "Label1")->text(), QStringLiteral("Domain Name"));
        retype(control<QLineEdit>("TForm40", "Edit5"), QStringLiteral("SALES"));
        enter(PageId::MicrosoftStandalone);

        expectShown(PageId::NicSelection);
        pickNic(QStringLiteral("NE2000 Compatible"));
        next(PageId::NicSelection);
        expectShown(PageId::NicParameters);
        QVERIFY(control<QRadioButton>("TForm7", "RadioButton1")->isChecked());
        next(PageId::NicParameters);

        finishRoute({"MODE=Standalone", "NOS=" + kOnServer, "LOGIN NAME=imager", "IP ADDRESS=10.  1.  2. 30",
                     "SUB NET MASK=255.255.  0.  0", "SERVER DRIVE=K:\\\\IMGSRV\\IMAGES", "DOMAIN=SALES",
                     "COMPUTER NAME=LAB-PC07", nicDriverRow("ne2000.dos"), "HARDWARE=Plug and Play"});
        QTRY_VERIFY_WITH_TIMEOUT(fx->wizard->form(PageId::Main)->isVisible(), 20000);
        QCOMPARE(fx->dialogs.texts(), QStringList{kComplete});
        QVERIFY(fx->dialogs.fileRequests().isEmpty());
        QVERIFY(watcher->seen().isEmpty());

        expectCleanImage(image);
        QCOMPARE(listing(image), microsoftFirstDiskette());
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/CONFIG.SYS")), kMicrosoftConfigSys);
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/AUTOEXEC.BAT")),
                 dosText(kMicrosoftAutoexecHead +
                         QStringList{"net use K: \\\\IMGSRV\\IMAGES", "lh K:client.exe"}));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/NET/PROTOCOL.INI")),
                 microsoftProtocolIni("NE2000", {},
                                      {"SUBNETMASK0=255 255 0 0", "IPADDRESS0=10 1 2 30", "DisableDHCP=1"}));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/NET/SYSTEM.INI")),
                 microsoftSystemIni("LAB-PC07", "A:", "imager", "SALES", "SALES", "NE2000.DOS"));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/NET/LMHOSTS")), QByteArray("microsoft LMHOSTS"));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/NET/NE2000.DOS")), QByteArray("driver ne2000.dos"));
    }

    void microsoftClientOnFloppy() {
        const QString second = fx->path(QStringLiteral("lab second.img"));
        fx->dialogs.answerFile(second);
        QStringList firstAtTheBox;
        fx->dialogs.onMessage([&](const ScriptedDialogs::Shown& box) {
            if (box.text == QLatin1String("Insert Disk #2..."))
                firstAtTheBox = listing(image);
        });

        startRoute(kOnFloppy, PageId::MicrosoftStandalone);
        retype(control<QLineEdit>("TForm40", "Edit6"), QStringLiteral("imager"));
        showTab("TForm40", QStringLiteral("IP Address / Sub Net Mask"));
        clickChoice(control<QRadioButton>("TForm40", "RadioButton16"));
        QCOMPARE(control<QLineEdit>("TForm40", "Edit1")->text(), QStringLiteral("DHCP"));
        QVERIFY(!control<QLineEdit>("TForm40", "Edit2")->isEnabled());
        showTab("TForm40", QStringLiteral("Computer Name"));
        retype(control<QLineEdit>("TForm40", "Edit3"), QStringLiteral("LAB-PC08"));
        showTab("TForm40", QStringLiteral("Workgroup / Domain"));
        QVERIFY(control<QRadioButton>("TForm40", "RadioButton9")->isChecked());
        retype(control<QLineEdit>("TForm40", "Edit5"), QStringLiteral("LAB"));
        next(PageId::MicrosoftStandalone);

        expectShown(PageId::NicSelection);
        pickNic(QStringLiteral("NE2000 Compatible"));
        next(PageId::NicSelection);
        expectShown(PageId::NicParameters);
        clickChoice(control<QRadioButton>("TForm7", "RadioButton2"));
        choose(control<QComboBox>("TForm7", "ComboBox1"), QStringLiteral("11"));
        next(PageId::NicParameters);

        finishRoute({"MODE=Standalone", "NOS=" + kOnFloppy, "LOGIN NAME=imager", "IP ADDRESS=DHCP",
                     "SUB NET MASK=DHCP", "SERVER DRIVE=I:\\\\IMAGESRV\\D", "WORKGROUP=LAB",
                     "COMPUTER NAME=LAB-PC08", nicDriverRow("ne2000.dos"), "HARDWARE=Non-PnP", "IRQ=11",
                     "IO PORT=300"});
        QTRY_VERIFY_WITH_TIMEOUT(fx->wizard->form(PageId::Main)->isVisible(), 20000);
        QCOMPARE(fx->dialogs.texts(), (QStringList{"Insert Disk #2...", kComplete}));
        QCOMPARE(fx->dialogs.fileRequests().size(), 1);
        const ScriptedDialogs::FileRequest request = fx->dialogs.fileRequests().first();
        // An image to write into, not one to replace: no "replace?" question.
        QCOMPARE(request.kind, ScriptedDialogs::FileRequest::Kind::Diskette);
        QCOMPARE(request.title, QStringLiteral("Second Diskette"));
        QCOMPARE(request.initialDir, fx->dir.path());
        QCOMPARE(request.suggestedName, QStringLiteral("A-2.img"));

        // The first diskette was complete when the second was asked for, and stayed so.
        QCOMPARE(firstAtTheBox, microsoftFirstDiskette());
        QCOMPARE(listing(image), microsoftFirstDiskette());
        QCOMPARE(listing(second), (QStringList{"AUTOEXEC.BAT", "CLIENT.EXE"}));
        expectCleanImage(image);
        expectCleanImage(second);

        const QByteArray autoexec =
            dosText(kMicrosoftAutoexecHead + QStringList{"net use I: \\\\IMAGESRV\\D", "echo off",
                                                         "echo Please insert DISK2 with CLIENT.EXE on it...",
                                                         "pause", "lh client.exe"});
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/AUTOEXEC.BAT")), autoexec);
        QCOMPARE(TestEnv::mtype(second, QStringLiteral("::/AUTOEXEC.BAT")), autoexec);
        QCOMPARE(TestEnv::mtype(second, QStringLiteral("::/CLIENT.EXE")),
                 QByteArray("Pellacore client program"));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/CONFIG.SYS")), kMicrosoftConfigSys);
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/NET/PROTOCOL.INI")),
                 microsoftProtocolIni("NE2000", {"INTERRUPT = 11", "IOBASE = 0x300"}, {"DisableDHCP=0"}));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/NET/SYSTEM.INI")),
                 microsoftSystemIni("LAB-PC08", "A:", "imager", "LAB", "0", "NE2000.DOS"));
    }

    void noNetwork() {
        bool networkLabelShown = true;
        fx->dialogs.answer(Dialogs::Button::No);
        fx->dialogs.onMessage([&](const ScriptedDialogs::Shown&) {
            networkLabelShown =
                !page(PageId::Build)->findChild<QLabel*>(QStringLiteral("Label4"))->isHidden();
        });

        startRoute(kNoNetwork, PageId::Summary);
        QCOMPARE(fx->wizard->buildMode(), BuildMode::NoNetwork);
        finishRoute({"NIC=", "HARDWARE=None"});
        QTRY_COMPARE_WITH_TIMEOUT(quitCalls, 1, 20000);
        QCOMPARE(fx->dialogs.texts(), QStringList{kComplete});
        QVERIFY(!networkLabelShown);
        QVERIFY(watcher->seen().isEmpty());

        expectCleanImage(image);
        QCOMPARE(listing(image),
                 sorted(kSystemFiles + QStringList{"AUTOEXEC.BAT", "CONFIG.SYS", "CLIENT.EXE"}));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/CONFIG.SYS")), kNoNetworkConfigSys);
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/AUTOEXEC.BAT")), kNoNetworkAutoexec);
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/CLIENT.EXE")),
                 QByteArray("Pellacore client program"));
    }
};

QTEST_MAIN(TestStandaloneRoutesGui)
#include "tst_standalone_routes.moc"
