#include "gui/shell/main_window.h"
#include "gui/widgets/hint_dialog.h"
#include "main_window_lookup.h"
#include "modal_watcher.h"
#include "platform/profile_file.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The main window's commands: where they lead, the hints they show and the dialogs they open.
class TestMainWindowCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayPacing(0); }

    void createCommands_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<int>("modeBefore");
        QTest::addColumn<int>("expectedMode");
        QTest::newRow("button multicast") << "BitBtn1" << 2 << 1;
        QTest::newRow("button standalone") << "BitBtn2" << 1 << 2;
        QTest::newRow("menu multicast") << "MulticastDiskettes1" << 2 << 1;
        // A loaded Multicast configuration does not decide the kind: the command does.
        QTest::newRow("menu standalone after multicast") << "StandaloneDiskettes1" << 1 << 2;
        QTest::newRow("menu standalone from mode 4") << "StandaloneDiskettes1" << 4 << 2;
    }

    void createCommands() {
        QFETCH(QString, trigger);
        QFETCH(int, modeBefore);
        QFETCH(int, expectedMode);
        GuiFixture f(kAllHintsOff);
        ModalWatcher watcher;
        MainWindow* w = mainWindow(f);
        f.wizard->showMain();
        f.wizard->setBuildMode(BuildMode(modeBefore));
        if (auto* button = w->findChild<QPushButton*>(trigger))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            w->findChild<QAction*>(trigger)->trigger();
        QCOMPARE(BuildModes::number(f.wizard->buildMode()), expectedMode);
        QVERIFY(page(f, PageId::ClientLocation)->isVisible());
        QVERIFY(!w->isVisible());
        QCOMPARE(watcher.seen(), QStringList()); // ShowHint1 is 0: no hint
        QVERIFY(f.dialogs.shown().isEmpty());
    }

    void formattedFloppiesHint_data() {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("byFrame");
        QTest::addColumn<QString>("stored"); // ShowHint1 afterwards; empty: not written
        QTest::newRow("ticked, OK") << true << false << "0";
        QTest::newRow("not ticked, OK") << false << false << "";
        QTest::newRow("ticked, closed by the frame") << true << true << "";
    }

    void formattedFloppiesHint() {
        QFETCH(bool, tick);
        QFETCH(bool, byFrame);
        QFETCH(QString, stored);
        GuiFixture f; // no PCBW.INI: every hint is on
        ModalWatcher watcher;
        QStringList texts;
        QString key;
        watcher.then([&](QWidget* w) {
            auto* hint = qobject_cast<HintDialog*>(w);
            QVERIFY(hint);
            for (int i = 1; i <= 3; ++i)
                texts << hint->findChild<QLabel*>(QStringLiteral("Label%1").arg(i))->text();
            key = hint->findChild<QLineEdit*>(QStringLiteral("HintEdit"))->text();
            hint->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(tick);
            if (byFrame)
                hint->close();
            else
                QTest::mouseClick(hint->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        });
        f.wizard->showMain();
        QTest::mouseClick(mainWindow(f)->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);

        QCOMPARE(watcher.seen(), QStringList{"TForm20"});
        QCOMPARE(key, QStringLiteral("ShowHint1"));
        QCOMPARE(texts,
                 (QStringList{
                     "Before running the Bootwright it is necessary to prepare the number of 1.44MB floppies "
                     "you wish to build Client diskettes for.",
                     "Preparation includes formatting with system files (format a: /s or formatting from Win "
                     "95/98 with the Copy System Files box checked) and copying that same operating system's "
                     "EMM386.EXE and HIMEM.SYS files to the floppy.",
                     "We recommend always using Windows 95/98 for formatting and system files which will "
                     "give Pellacore more memory and fewer errors."}));
        QCOMPARE(ProfileFile(f.path("PCBW.INI")).readString("CONFIG", "ShowHint1"), stored);
        QCOMPARE(f.wizard->buildMode(), BuildMode::NetWare);
        QVERIFY(page(f, PageId::ClientLocation)->isVisible());
    }

    void batchShowsHintThenBatchWindow() {
        GuiFixture f;
        ModalWatcher watcher;
        QStringList texts;
        bool mainHiddenDuringBatch = false;
        watcher.then([&](QWidget* w) {
            for (int i = 1; i <= 3; ++i)
                texts << w->findChild<QLabel*>(QStringLiteral("Label%1").arg(i))->text();
            QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("HintEdit"))->text(),
                     QStringLiteral("ShowHint3"));
            QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        });
        watcher.then([&](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Batch Diskette Update"));
            mainHiddenDuringBatch = !mainWindow(f)->isVisible();
            QTest::keyClick(w, Qt::Key_F1);
            qobject_cast<QDialog*>(w)->reject();
        });
        f.wizard->showMain();
        action(f, "BatchDisketteUpdate1")->trigger();

        QCOMPARE(watcher.seen(), (QStringList{"TForm20", "TForm26"}));
        QCOMPARE(
            texts,
            (QStringList{"Batch Diskette Update is designed to update Multicast Client Disks that have "
                         "already been created.",
                         "Create a \"master\" Multicast diskette with the most common parameters. Make the "
                         "number of copies you need for all similar workstations (with a disk copy "
                         "program) and then use Batch Diskette Update to give them each a unique IP "
                         "Address and Client Name.",
                         ""}));
        QVERIFY(mainHiddenDuringBatch);
        QVERIFY(mainWindow(f)->isVisible());
        QCOMPARE(f.help.calls, QStringList{"context:602"});
    }

    void batchWithoutHint() {
        GuiFixture f(kAllHintsOff);
        ModalWatcher watcher;
        f.wizard->showMain();
        QTest::mouseClick(mainWindow(f)->findChild<QPushButton*>(QStringLiteral("BitBtn3")), Qt::LeftButton);
        QCOMPARE(watcher.seen(), QStringList{"TForm26"});
        QVERIFY(mainWindow(f)->isVisible());
    }

    void loadPreviousConfiguration() {
        GuiFixture f(kAllHintsOff);
        f.wizard->showMain();
        f.wizard->setBuildMode(BuildMode::NetWare);
        action(f, "LoadPreviousConfiguration1")->trigger();
        QVERIFY(page(f, PageId::LoadConfiguration)->isVisible());
        QVERIFY(!mainWindow(f)->isVisible());
        QCOMPARE(f.wizard->buildMode(), BuildMode::NetWare);
    }

    void exitClosesMainWindow() {
        GuiFixture f(kAllHintsOff);
        f.wizard->showMain();
        QSignalSpy closed(mainWindow(f), &MainWindow::closed);
        action(f, "Exit1")->trigger();
        QVERIFY(!mainWindow(f)->isVisible());
        QCOMPARE(closed.size(), 1);
    }

    void aboutBox() {
        GuiFixture f(kAllHintsOff);
        ModalWatcher watcher;
        QString title;
        QStringList labels;
        watcher.then([&](QWidget* w) {
            title = w->windowTitle();
            for (QLabel* label : w->findChildren<QLabel*>())
                labels << label->text();
            QTest::keyClick(w, Qt::Key_F1);
            QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
        });
        f.wizard->showMain();
        action(f, "About1")->trigger();
        QCOMPARE(watcher.seen(), QStringList{"TAbout"});
        QCOMPARE(title, QStringLiteral("About"));
        QVERIFY(labels.contains("This program builds bootable client diskettes for use with Pellacore."));
        QVERIFY(labels.contains(QStringLiteral("Pellacore Bootwright for Linux, version ") +
                                QStringLiteral(BW_VERSION)));
        QCOMPARE(f.help.calls, QStringList{"context:601"});
    }

    void hintsDialogFromMenu() {
        GuiFixture f("[CONFIG]\r\nShowHint4=0\r\n");
        ModalWatcher watcher;
        QList<bool> ticks;
        watcher.then([&](QWidget* w) {
            for (int i = 1; i <= 5; ++i)
                ticks << w->findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(i))->isChecked();
            qobject_cast<QDialog*>(w)->reject();
        });
        action(f, "Hints1")->trigger();
        QCOMPARE(watcher.seen(), QStringList{"TUserPrefs"});
        QCOMPARE(ticks, (QList<bool>{true, true, true, false, true}));
    }
};

QTEST_MAIN(TestMainWindowCommands)
#include "tst_main_window_commands.moc"
