#include "build_messages.h"
#include "gui/pages/build_page.h"
#include "gui_fixture.h"
#include "standalone_harness.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <sys/stat.h>

namespace {

const QString kInsertDisk2 = QStringLiteral("Insert Disk #2...");

// What the first diskette of a Client on Floppy build holds, besides what was on it before.
QStringList firstDisketteFiles() {
    QStringList files{"AUTOEXEC.BAT",   "CONFIG.SYS",       "NET/",
                      "NET/NE2000.DOS", "NET/PROTOCOL.INI", "NET/SYSTEM.INI"};
    for (const QString& name : kMicrosoftFiles)
        files << QStringLiteral("NET/") + name;
    return files;
}

// Some block device of this machine, to stand for a floppy drive; empty when there is none.
QString anyBlockDevice() {
    for (const QString& name : QDir(QStringLiteral("/dev")).entryList(QDir::System | QDir::NoDotAndDotDot)) {
        const QString path = QStringLiteral("/dev/") + name;
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISBLK(st.st_mode))
            return path;
    }
    return {};
}

// Points a symbolic link somewhere else.
bool repoint(const QString& link, const QString& target) {
    QFile::remove(link);
    return QFile::link(target, link);
}

} // namespace

class TestBuildPage : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GuiFixture> fx;
    QString disk;
    int quitCalls = 0;
    QStringList trace; // "status|visible ticks" at each status text

    BuildPage* page() const { return fx->wizard->form<BuildPage>(PageId::Build); }
    QPushButton* back() const { return page()->findChild<QPushButton*>(QStringLiteral("Button1")); }
    QPushButton* cancel() const { return page()->findChild<QPushButton*>(QStringLiteral("Button3")); }
    QLabel* label(const QString& name) const { return page()->findChild<QLabel*>(name); }
    QTimer* timer() const { return page()->findChild<QTimer*>(QStringLiteral("Timer1")); }
    QString ticks() const {
        QString shown;
        for (int i = 2; i <= 5; ++i)
            if (!label(QStringLiteral("Image%1").arg(i))->isHidden())
                shown += QString::number(i);
        return shown;
    }
    QWidget* form(PageId id) const { return fx->wizard->form(id); }
    bool asked() const {
        return fx->dialogs.texts().contains(kComplete) || fx->dialogs.texts().contains(kCanceled);
    }

    // Clicks a button from inside the run's next wait, where a user's click lands.
    void clickSoon(QPushButton* button) {
        QMetaObject::invokeMethod(
            button, [button] { QTest::mouseClick(button, Qt::LeftButton); }, Qt::QueuedConnection);
    }
    // A Microsoft "Client on Floppy" build with drive A: standing for driveA (relative to the
    // program directory); the network client files lie in their own directory.
    void microsoftFloppy(const QString& driveA) {
        const QString ms = fx->path(QStringLiteral("msclient/"));
        TestEnv::writeHostFile(
            fx->path(QStringLiteral("PCBW.INI")),
            kAllHintsOff + "[DRIVES]\r\nA=" + driveA.toUtf8() +
                "\r\n[LOCATIONS]\r\nNICDriverPath=" + fx->path(QStringLiteral("nics/")).toUtf8() +
                "\r\nMicrosoftDriverPath=" + ms.toUtf8() + "\r\n");
        for (const QString& name : kMicrosoftFiles)
            TestEnv::writeHostFile(ms + name, "client file " + name.toLatin1());
        fx->control<QComboBox>(QStringLiteral("TForm9"), QStringLiteral("ComboBox1"))->setCurrentIndex(2);
        fx->wizard->setBuildMode(BuildMode::Microsoft);
    }
    void startBuild() {
        fx->wizard->go(nullptr, PageId::Build);
        QVERIFY(page()->isVisible());
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<GuiFixture>();
        disk = fx->path(QStringLiteral("disk"));
        const QString nics = fx->path(QStringLiteral("nics/"));
        const QString client = fx->path(QStringLiteral("icc/client.exe"));
        QDir().mkpath(disk);
        TestEnv::writeHostFile(fx->path(QStringLiteral("PCBW.INI")),
                               kAllHintsOff +
                                   "[DRIVES]\r\nA=disk\r\nB=missing/none.img\r\n[LOCATIONS]\r\n"
                                   "NICDriverPath=" +
                                   nics.toUtf8() + "\r\n");
        for (const char* name : {"ne2000.dos", "netbind.com", "dis_pkt9.dos", "protman.exe", "protman.dos"})
            TestEnv::writeHostFile(nics + QLatin1String(name), QByteArray("driver ") + name);
        TestEnv::writeHostFile(client, "client program");
        for (const char* name : {"himem.sys", "emm386.exe", "command.com"})
            TestEnv::writeHostFile(disk + QLatin1Char('/') + QLatin1String(name), "system file");
        fx->control<QLineEdit>(QStringLiteral("TForm11"), QStringLiteral("Edit1"))->setText(client);
        fx->control<QLineEdit>(QStringLiteral("TForm4"), QStringLiteral("Edit2"))
            ->setText(nics + "ne2000.dos");

        quitCalls = 0;
        page()->setQuitHandler([this] { ++quitCalls; });
        trace.clear();
        connect(page(), &BuildPage::statusShown, this,
                [this](const QString& text) { trace << text + '|' + ticks(); });
        timer()->setInterval(10);
    }
    void cleanup() { fx.reset(); }

    void designState() {
        QCOMPARE(page()->windowTitle(), QStringLiteral("Create Client Diskette"));
        QCOMPARE(label("Label5")->text(), QStringLiteral("Client Diskette is being created."));
        const QStringList sections{"Verify Floppy Diskette", "Creating Configuration Files",
                                   "Copying Pellacore Client", "Copying Network Drivers"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(label(QStringLiteral("Label%1").arg(i + 1))->text(), sections[i]);
            QVERIFY(label(QStringLiteral("Label%1").arg(i + 1))->font().bold());
            QCOMPARE(label(QStringLiteral("Image%1").arg(i + 2))->size(), QSize(15, 15));
        }
        QCOMPARE(ticks(), QStringLiteral("2"));
        QCOMPARE(back()->text(), QStringLiteral("< &Back"));
        QVERIFY(!back()->isEnabled());
        QCOMPARE(cancel()->text(), QStringLiteral("&Cancel"));
        QVERIFY(cancel()->isEnabled());
        QVERIFY(page()->nextButton()->isHidden());
        auto* gauge = page()->findChild<QProgressBar*>(QStringLiteral("gauge_Progress"));
        QCOMPARE(gauge->minimum(), 0);
        QCOMPARE(gauge->maximum(), 100);
        QCOMPARE(gauge->value(), 0);
        QCOMPARE(label("panel_Status")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(label("panel_Status")->frameShadow(), QFrame::Sunken);
    }

    // The run starts about a second after the page comes up, once per showing.
    void startsOneSecondAfterShowing() {
        timer()->setInterval(1000);
        startBuild();
        QVERIFY(timer()->isActive());
        QCOMPARE(timer()->interval(), 1000);
        QVERIFY(fx->dialogs.shown().isEmpty());
        QTRY_VERIFY(asked());
        QCOMPARE(fx->dialogs.texts(), QStringList{kComplete});
    }

    void completeRun() {
        auto* gauge = page()->findChild<QProgressBar*>(QStringLiteral("gauge_Progress"));
        QSignalSpy gauges(gauge, &QProgressBar::valueChanged);
        QStringList atQuestion;
        fx->dialogs.onMessage([&](const ScriptedDialogs::Shown&) {
            atQuestion << label("panel_Status")->text() << ticks() << QString::number(gauge->value())
                       << QString::number(back()->isEnabled()) << QString::number(cancel()->isEnabled());
        });
        startBuild();
        QTRY_VERIFY(asked());

        QCOMPARE(trace, (QStringList{" |2", " Creating CONFIG.SYS...|23", " Creating AUTOEXEC.BAT...|23",
                                     " Creating WATTCP.CFG...|23", " Creating PROTOCOL.INI...|23",
                                     " Copying Pellacore Client file...|234", " Copying NIC Driver...|2345",
                                     " Copying NETBIND.COM...|2345", " Copying DIS_PKT9.DOS...|2345",
                                     " Copying PROTMAN.EXE...|2345", " Copying PROTMAN.DOS...|2345",
                                     " Verifying diskette...|2345", "Done. |2345"}));
        QList<int> values;
        for (const QList<QVariant>& args : gauges)
            values << args.first().toInt();
        QCOMPARE(values, (QList<int>{25, 50, 75, 100, 0, 100, 20, 40, 60, 80, 100}));
        QCOMPARE(atQuestion, (QStringList{"Done. ", "2345", "100", "0", "1"}));
        QCOMPARE(fx->dialogs.shown().last().buttons, Dialogs::Buttons::YesNo);
        QVERIFY(QFileInfo::exists(disk + "/WATTCP.CFG"));
        QVERIFY(!QFileInfo::exists(disk + "/delete.me"));

        // Yes: back to the main window; hiding put the page back into its starting look.
        QVERIFY(!page()->isVisible());
        QVERIFY(form(PageId::Main)->isVisible());
        QCOMPARE(ticks(), QStringLiteral("2"));
        QVERIFY(!back()->isEnabled());
        QVERIFY(cancel()->isEnabled());
        QCOMPARE(gauge->value(), 100);
        QCOMPARE(quitCalls, 0);
    }

    void finalQuestion_data() {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("toMain");
        QTest::newRow("complete, Yes") << true << int(Dialogs::Button::Yes) << QStringList{kComplete} << true;
        QTest::newRow("complete, No") << true << int(Dialogs::Button::No) << QStringList{kComplete} << false;
        QTest::newRow("canceled, Yes")
            << false << int(Dialogs::Button::Yes) << QStringList{kFloppy, kCanceled} << true;
        QTest::newRow("canceled, No")
            << false << int(Dialogs::Button::No) << QStringList{kFloppy, kCanceled} << false;
    }
    void finalQuestion() {
        QFETCH(bool, writable);
        QFETCH(int, answer);
        QFETCH(QStringList, messages);
        QFETCH(bool, toMain);
        if (!writable) { // B: stands for an image in a directory that does not exist
            fx->control<QRadioButton>(QStringLiteral("TForm2"), QStringLiteral("RadioButton2"))
                ->setChecked(true);
            fx->dialogs.answer(Dialogs::Button::Ok);
        }
        fx->dialogs.answer(Dialogs::Button(answer));
        startBuild();
        QTRY_VERIFY(asked());
        QStringList firstLines;
        for (const QString& text : fx->dialogs.texts())
            firstLines << text.section(QLatin1Char('\r'), 0, 0);
        QCOMPARE(firstLines, messages);
        QCOMPARE(form(PageId::Main)->isVisible(), toMain);
        QCOMPARE(page()->isVisible(), !toMain); // No leaves the ending of the program to the quit handler
        QCOMPARE(quitCalls, toMain ? 0 : 1);
        if (!writable)
            QCOMPARE(trace.last(), QStringLiteral("Done. |23"));
    }

    void cancelBeforeStart() {
        timer()->setInterval(1000);
        startBuild();
        QTest::mouseClick(cancel(), Qt::LeftButton);
        QVERIFY(back()->isEnabled());
        QVERIFY(!cancel()->isEnabled());
        QTRY_VERIFY(asked());
        // Nothing was touched on the diskette: not even the write test ran.
        QCOMPARE(fx->dialogs.texts(), QStringList{kCanceled});
        QCOMPARE(QDir(disk).entryList(QDir::Files, QDir::Name),
                 (QStringList{"command.com", "emm386.exe", "himem.sys"}));
        QVERIFY(form(PageId::Main)->isVisible());
    }

    void cancelDuringRun() {
        QStringList atQuestion;
        fx->dialogs.onMessage([&](const ScriptedDialogs::Shown&) {
            atQuestion << QString::number(back()->isEnabled()) << QString::number(cancel()->isEnabled());
        });
        connect(page(), &BuildPage::statusShown, this, [this](const QString& text) {
            if (text == QLatin1String(" Creating AUTOEXEC.BAT..."))
                clickSoon(cancel());
        });
        startBuild();
        QTRY_VERIFY(asked());
        QCOMPARE(fx->dialogs.texts(), QStringList{kCanceled});
        QCOMPARE(atQuestion, (QStringList{"1", "0"}));
        // The step in progress finished; the later ones skipped themselves.
        QVERIFY(QFileInfo::exists(disk + "/AUTOEXEC.BAT"));
        QVERIFY(!QFileInfo::exists(disk + "/WATTCP.CFG"));
        QCOMPARE(trace.last(), QStringLiteral("Done. |2345"));
        QVERIFY(form(PageId::Main)->isVisible());
        QVERIFY(cancel()->isEnabled());
    }

    void backAfterCancelWaitsForTheRun_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes") << int(Dialogs::Button::Yes);
        QTest::newRow("No") << int(Dialogs::Button::No);
    }
    void backAfterCancelWaitsForTheRun() {
        QFETCH(int, answer);
        QStringList atQuestion;
        fx->dialogs.answer(Dialogs::Button(answer));
        fx->dialogs.onMessage([&](const ScriptedDialogs::Shown&) {
            atQuestion << QString::number(page()->isVisible())
                       << QString::number(form(PageId::DisketteLocation)->isVisible())
                       << QString::number(back()->isEnabled());
        });
        connect(page(), &BuildPage::statusShown, this, [this](const QString& text) {
            if (text == QLatin1String(" Creating AUTOEXEC.BAT...")) {
                clickSoon(cancel());
                clickSoon(back());
            }
        });
        startBuild();
        QTRY_VERIFY(asked());
        QCOMPARE(fx->dialogs.texts(), QStringList{kCanceled});
        QCOMPARE(atQuestion, (QStringList{"1", "0", "0"}));
        const bool yes = Dialogs::Button(answer) == Dialogs::Button::Yes;
        QCOMPARE(page()->isVisible(), !yes);
        QCOMPARE(form(PageId::DisketteLocation)->isVisible(), yes);
        QVERIFY(!form(PageId::Main)->isVisible());
        QCOMPARE(quitCalls, yes ? 0 : 1);
    }

    void backAfterCancelBeforeStart() {
        timer()->setInterval(1000);
        startBuild();
        QTest::mouseClick(cancel(), Qt::LeftButton);
        QTest::mouseClick(back(), Qt::LeftButton);
        QVERIFY(!page()->isVisible());
        QVERIFY(form(PageId::DisketteLocation)->isVisible());
        QVERIFY(!timer()->isActive());
        QVERIFY(!back()->isEnabled());
        QVERIFY(cancel()->isEnabled());
        QVERIFY(fx->dialogs.shown().isEmpty());
    }

    void ioErrorShownAndPageStays() {
        // The NIC driver on drive B:, whose image is no diskette at all: reading it fails.
        TestEnv::writeHostFile(fx->path("missing/none.img"), QByteArray(4096, 'x'));
        fx->control<QLineEdit>(QStringLiteral("TForm4"), QStringLiteral("Edit2"))->setText("B:\\NE2000.DOS");
        startBuild();
        QTRY_VERIFY(!fx->dialogs.shown().isEmpty());
        const ScriptedDialogs::Shown box = fx->dialogs.shown().last();
        QCOMPARE(fx->dialogs.shown().size(), 1);
        QCOMPARE(box.icon, Dialogs::Icon::Error);
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
        QVERIFY2(box.text.contains(QLatin1String("none.img")), qPrintable(box.text));
        QVERIFY(!QFileInfo::exists(disk + "/CONFIG.SYS"));
        QCOMPARE(trace.last(), QStringLiteral(" |2"));

        QVERIFY(page()->isVisible());
        QVERIFY(cancel()->isEnabled());
        QVERIFY(!back()->isEnabled());
        // Coming back to the window does not start a second run.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(page(), &activate);
        QVERIFY(!timer()->isActive());

        QTest::mouseClick(cancel(), Qt::LeftButton);
        QVERIFY(back()->isEnabled());
        QTest::mouseClick(back(), Qt::LeftButton);
        QVERIFY(form(PageId::DisketteLocation)->isVisible());
        QVERIFY(!page()->isVisible());
        QCOMPARE(quitCalls, 0);
    }

    // The network label follows BuildMode, and a cancelled run before keeps it up.
    void networkLabelForNoNetwork() {
        fx->wizard->setBuildMode(BuildMode::NoNetwork);
        timer()->setInterval(1000);
        startBuild();
        QVERIFY(label("Label4")->isHidden());
        QTest::mouseClick(cancel(), Qt::LeftButton);
        QTRY_VERIFY(asked());
        fx->wizard->setBuildMode(BuildMode::NoNetwork);
        startBuild();
        QVERIFY(!label("Label4")->isHidden());
        QTest::mouseClick(cancel(), Qt::LeftButton);
        QTRY_COMPARE(fx->dialogs.texts().size(), 2);
    }

    // Client on Floppy onto an image or a directory: the page asks where the second diskette is,
    // so that it does not land on the first one.
    void secondDiskette_data() {
        QTest::addColumn<QString>("driveA");     // A= in PCBW.INI
        QTest::addColumn<QString>("answer");     // picked in the file dialog; empty: cancelled
        QTest::addColumn<QString>("initialDir"); // the dialog's folder
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("second"); // where the second diskette's files went
        QTest::newRow("image, another image") << "A.img"
                                              << "second.img"
                                              << ""
                                              << "A-2.img"
                                              << "second.img";
        QTest::newRow("image in a folder") << "floppies/lab.img"
                                           << "floppies/lab-2.img"
                                           << "floppies"
                                           << "lab-2.img"
                                           << "floppies/lab-2.img";
        QTest::newRow("image, name without extension") << "A.img"
                                                       << "second"
                                                       << ""
                                                       << "A-2.img"
                                                       << "second.img";
        QTest::newRow("image, cancelled") << "A.img"
                                          << ""
                                          << ""
                                          << "A-2.img"
                                          << "A.img";
        QTest::newRow("directory, an image") << "disk"
                                             << "second.img"
                                             << ""
                                             << "disk-2.img"
                                             << "second.img";
        QTest::newRow("directory, a directory") << "disk"
                                                << "disk2"
                                                << ""
                                                << "disk-2.img"
                                                << "disk2";
        QTest::newRow("directory, cancelled") << "disk"
                                              << ""
                                              << ""
                                              << "disk-2.img"
                                              << "disk";
    }
    void secondDiskette() {
        QFETCH(QString, driveA);
        QFETCH(QString, answer);
        QFETCH(QString, initialDir);
        QFETCH(QString, suggested);
        QFETCH(QString, second);
        const QString first = fx->path(driveA);
        const bool image = driveA.endsWith(QLatin1String(".img"));
        if (image) {
            QDir().mkpath(QFileInfo(first).absolutePath());
            QVERIFY(TestEnv::makeBlankImage(first));
        }
        QDir().mkpath(fx->path(QStringLiteral("disk2")));
        microsoftFloppy(driveA);
        if (!answer.isEmpty())
            fx->dialogs.answerFile(fx->path(answer));
        QStringList onFirstAtTheBox;
        QByteArray firstAtTheBox; // the image's bytes, or a folder's AUTOEXEC.BAT
        fx->dialogs.onMessage([&](const ScriptedDialogs::Shown& box) {
            if (box.text == kInsertDisk2) {
                onFirstAtTheBox = listing(first);
                firstAtTheBox = image ? TestEnv::readHostFile(first) : diskFile(first, "AUTOEXEC.BAT");
            }
        });

        startBuild();
        QTRY_VERIFY(asked());

        QStringList expected;
        if (image)
            expected << systemFileWarning("HIMEM.SYS") << systemFileWarning("EMM386.EXE")
                     << systemFileWarning("COMMAND.COM");
        expected << kInsertDisk2 << (answer.isEmpty() ? kCanceled : kComplete);
        QCOMPARE(fx->dialogs.texts(), expected);
        QCOMPARE(fx->dialogs.fileRequests().size(), 1);
        const ScriptedDialogs::FileRequest request = fx->dialogs.fileRequests().first();
        // An image drive asks for an image to write into (no "replace?"), a folder drive for a folder.
        QCOMPARE(request.kind, image ? ScriptedDialogs::FileRequest::Kind::Diskette
                                     : ScriptedDialogs::FileRequest::Kind::Folder);
        QCOMPARE(request.title, QStringLiteral("Second Diskette"));
        QCOMPARE(request.initialDir, initialDir.isEmpty() ? fx->dir.path() : fx->path(initialDir));
        if (image)
            QCOMPARE(request.suggestedName, suggested);

        QStringList firstFiles = firstDisketteFiles();
        if (!image)
            firstFiles << "COMMAND.COM"
                       << "EMM386.EXE"
                       << "HIMEM.SYS";
        firstFiles.sort();
        QCOMPARE(onFirstAtTheBox, firstFiles);
        const QString secondPath = fx->path(second);
        if (secondPath == first) {
            // Cancelled: no second diskette, and the first one exactly as it was read back.
            QCOMPARE(listing(first), firstFiles);
            QCOMPARE(image ? TestEnv::readHostFile(first) : diskFile(first, "AUTOEXEC.BAT"), firstAtTheBox);
            QVERIFY(!QFileInfo::exists(fx->path(QFileInfo(first).completeBaseName() + "-2.img")));
        } else {
            QCOMPARE(listing(first), firstFiles);
            QCOMPARE(listing(secondPath), (QStringList{"AUTOEXEC.BAT", "CLIENT.EXE"}));
            const QByteArray autoexec = diskFile(first, QStringLiteral("AUTOEXEC.BAT"));
            QVERIFY(autoexec.endsWith("echo off\r\necho Please insert DISK2 with CLIENT.EXE on it...\r\n"
                                      "pause\r\nlh client.exe\r\n"));
            QCOMPARE(diskFile(secondPath, QStringLiteral("AUTOEXEC.BAT")), autoexec);
            QCOMPARE(diskFile(secondPath, QStringLiteral("CLIENT.EXE")), QByteArray("client program"));
        }
        for (const QString& path : {first, secondPath}) {
            QByteArray report;
            if (path.endsWith(QLatin1String(".img")))
                QVERIFY2(TestEnv::fsckClean(path, &report), report.constData());
        }
    }

    // A floppy device takes the second diskette itself: nothing is asked and the run goes on through
    // the drive. A block device of the machine stands behind the drive only while the page decides,
    // then the link points back to a directory that takes the files.
    void secondDisketteOnAFloppyDevice() {
        const QString device = anyBlockDevice();
        if (device.isEmpty())
            QSKIP("no block device on this machine");
        const QString link = fx->path(QStringLiteral("fd0"));
        QVERIFY(repoint(link, disk));
        microsoftFloppy(QStringLiteral("fd0"));
        fx->dialogs.onMessage([&](const ScriptedDialogs::Shown& box) {
            if (box.text == kInsertDisk2)
                QVERIFY(repoint(link, device));
        });
        int autoexecs = 0;
        connect(page(), &BuildPage::statusShown, this, [&](const QString& text) {
            if (text == QLatin1String(" Creating AUTOEXEC.BAT...") && ++autoexecs == 2)
                QVERIFY(repoint(link, disk));
        });
        startBuild();
        QTRY_VERIFY(asked());
        QCOMPARE(fx->dialogs.texts(), (QStringList{kInsertDisk2, kComplete}));
        QVERIFY(fx->dialogs.fileRequests().isEmpty());
        QCOMPARE(autoexecs, 2);
        QCOMPARE(TestEnv::readHostFile(disk + QStringLiteral("/client.exe")), QByteArray("client program"));
    }

    // The one-diskette form has no second diskette to ask for.
    void clientOnServerAsksNothing() {
        microsoftFloppy(QStringLiteral("disk"));
        fx->control<QComboBox>(QStringLiteral("TForm9"), QStringLiteral("ComboBox1"))->setCurrentIndex(1);
        startBuild();
        QTRY_VERIFY(asked());
        QCOMPARE(fx->dialogs.texts(), QStringList{kComplete});
        QVERIFY(fx->dialogs.fileRequests().isEmpty());
        QVERIFY(!QFileInfo::exists(disk + QStringLiteral("/client.exe")));
    }

    void helpContext() {
        startBuild();
        QTest::keyClick(page(), Qt::Key_F1);
        QCOMPARE(fx->help.calls, QStringList{"context:511"});
        QTRY_VERIFY(asked());
    }
};

QTEST_MAIN(TestBuildPage)
#include "tst_build_page.moc"
