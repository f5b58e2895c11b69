// A host list in the wizard as a user meets it: loaded from the File menu with the keyboard, shown
// with its problems, then taken host by host by the Multicast client page through real builds, by
// the Microsoft standalone page and by the batch.

#include "cli_fixture.h"
#include "gui/pages/host_list_window.h"
#include "route_driver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QMenu>

class TestHostListRoute : public RouteDriver {
    Q_OBJECT
private:
    QString list;

    QWidget* mainWindow() const { return fx->wizard->form(PageId::Main); }
    QAction* closeItem() const { return mainWindow()->findChild<QAction*>(QStringLiteral("CloseHostList1")); }

    // File, Load Host List... from the keyboard; `inWindow` handles the list's window.
    void loadWithKeys(const QByteArray& csv, std::function<void(HostListWindow*)> inWindow) {
        TestEnv::writeHostFile(list, csv);
        fx->dialogs.answerFile(list);
        watcher->then([inWindow](QWidget* w) {
            auto* window = qobject_cast<HostListWindow*>(w);
            QVERIFY(window);
            inWindow(window);
            // Whatever the handler did not end, Escape does.
            if (window->isVisible())
                QTest::keyClick(window, Qt::Key_Escape);
        });
        QMenu* file = openFileMenu();
        QVERIFY(file);
        QTest::keyClick(file, Qt::Key_H);
        QTRY_VERIFY(!file->isVisible());
        QCOMPARE(watcher->seen().value(watcher->seen().size() - 1), QStringLiteral("HostListWindow"));
    }

    // Alt+F, as a user opens the File menu; nullptr when it did not open.
    QMenu* openFileMenu() {
        mainWindow()->activateWindow();
        if (!QTest::qWaitForWindowActive(mainWindow()))
            return nullptr;
        QTest::keyClick(mainWindow(), Qt::Key_F, Qt::AltModifier);
        auto* file = mainWindow()->findChild<QMenu*>(QStringLiteral("File1"));
        return QTest::qWaitFor([file] { return file->isVisible(); }, 2000) ? file : nullptr;
    }

    static QStringList row(QTableWidget* table, int r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->item(r, c)->text();
        return cells;
    }

    // From the main window to the build page; the Multicast client page shows `host`.
    void passWizard(bool firstTime, const QString& name, const QString& address, const QString& line) {
        startMulticastRoute(firstTime);
        QCOMPARE(control<QLineEdit>("TForm6", "Edit3")->text(), name);
        QCOMPARE(control<QLineEdit>("TForm6", "Edit1")->displayText(), address);
        QCOMPARE(control<QLabel>("TForm6", "HostLine")->text(), line);
        QVERIFY(control<QLabel>("TForm6", "HostLine")->isVisible());
        // Back and Next again: the same host, none skipped.
        QTest::mouseClick(page(PageId::MulticastClient)->backButton(), Qt::LeftButton);
        next(PageId::NicParameters);
        QCOMPARE(control<QLineEdit>("TForm6", "Edit3")->text(), name);
        next(PageId::MulticastClient);
        next(PageId::PostConfiguration);
        next(PageId::Summary);
        next(PageId::DisketteLocation);
        expectShown(PageId::Build);
    }

private Q_SLOTS:
    void init() {
        setUp();
        list = fx->path(QStringLiteral("lab.csv"));
    }
    void cleanup() { tearDown(); }

    void windowMarksEachRowsProblems() {
        loadWithKeys(
            "name,address,mac\n"
            "LAB1,10.0.2.11,00:1a:2b:3c:4d:01\n"
            "LAB 2,10.0.2.12,\n"
            "LAB3,10.0.2.300,00:1a:2b:3c:4d:01\n",
            [](HostListWindow* w) {
                auto* table = w->findChild<QTableWidget*>(QStringLiteral("HostTable"));
                QCOMPARE(table->rowCount(), 3);
                QCOMPARE(row(table, 0), (QStringList{"2", "LAB1", "10.0.2.11", "", "00:1a:2b:3c:4d:01", ""}));
                // A good client name that no computer may have: marked, not refused.
                QCOMPARE(row(table, 1).last(),
                         QStringLiteral("not on Microsoft diskettes: name \"LAB 2\" holds \" \" (U+0020), "
                                        "which a computer name cannot hold (letters, digits and "
                                        "!@#$%^&()-_'{}.~ only)"));
                QCOMPARE(row(table, 2).last(),
                         QStringLiteral("address 10.0.2.300 has a group above 255 (300); MAC "
                                        "00:1a:2b:3c:4d:01 is also on line 2"));
                QVERIFY(table->item(2, 1)->background() != table->item(0, 1)->background());
                QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Summary"))->text(),
                         QStringLiteral("2 problems: correct the list and load it again."));
                QVERIFY(!w->findChild<QPushButton*>(QStringLiteral("UseButton"))->isEnabled());
                // Enter does not take a list with problems.
                QTest::keyClick(table, Qt::Key_Return);
                QVERIFY(w->isVisible());
            });
        QVERIFY(!fx->wizard->hosts().active());
        QCOMPARE(fx->dialogs.fileRequests().value(0).filter,
                 QStringLiteral("Host lists|*.csv|All Files|*.*"));
        // The next load opens where this list was.
        loadWithKeys("name,address\nLAB1,10.0.2.11\n", [](HostListWindow*) {});
        QCOMPARE(fx->dialogs.fileRequests().value(1).initialDir, QFileInfo(list).absolutePath());
    }

    void multicastPageTakesTheNextHostPerDiskette() {
        loadWithKeys("name,address,mask\n"
                     "LAB1,10.0.2.11,255.255.255.0\n"
                     "LAB2,10.0.2.12,255.255.255.0\n"
                     "LAB3,10.0.2.13,255.255.255.0\n",
                     [](HostListWindow* w) {
                         QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Summary"))->text(),
                                  QStringLiteral("3 diskettes, one per host."));
                         QTest::keyClick(w->findChild<QTableWidget*>(QStringLiteral("HostTable")),
                                         Qt::Key_Return);
                     });
        QVERIFY(fx->wizard->hosts().active());

        passWizard(true, "LAB1", " 10.  0.  2. 11", "Host 1 of 3: LAB1");
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow()->isVisible(), 20000);
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/WATTCP.CFG")),
                 QByteArray("[CLIENT DISKETTE OPERATION]\r\nMY_IP=10.0.2.11\r\nHOSTNAME=LAB1\r\n"
                            "NETMASK=255.255.255.0\r\n"));

        passWizard(false, "LAB2", " 10.  0.  2. 12", "Host 2 of 3: LAB2");
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow()->isVisible(), 20000);
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/WATTCP.CFG")),
                 QByteArray("[CLIENT DISKETTE OPERATION]\r\nMY_IP=10.0.2.12\r\nHOSTNAME=LAB2\r\n"
                            "NETMASK=255.255.255.0\r\n"));
        expectCleanImage(image);

        // Closing the list gives the page back its increments: the name numbering goes on from LAB2.
        QMenu* file = openFileMenu();
        QVERIFY(file);
        QVERIFY(closeItem()->isEnabled());
        QTest::keyClick(file, Qt::Key_C);
        QTRY_VERIFY(!file->isVisible());
        QVERIFY(!fx->wizard->hosts().active());
        QVERIFY(!closeItem()->isEnabled());
        fx->wizard->go(mainWindow(), PageId::MulticastClient);
        QCOMPARE(control<QLineEdit>("TForm6", "Edit3")->text(), QStringLiteral("LAB3"));
        QVERIFY(!control<QLabel>("TForm6", "HostLine")->isVisible());
    }

    // A correction made on the page stays for that host's diskette and the host line names it; once
    // every host has its diskette, Next offers to close the list instead of building one twice.
    void correctionStaysAndTheListEndsWithAnOffer() {
        loadWithKeys("name,address\nLAB1,10.0.2.11\nLAB2,10.0.2.12\n", [](HostListWindow* w) {
            QTest::keyClick(w->findChild<QTableWidget*>(QStringLiteral("HostTable")), Qt::Key_Return);
        });
        auto* name = control<QLineEdit>("TForm6", "Edit3");
        auto* line = control<QLabel>("TForm6", "HostLine");
        startMulticastRoute(true);
        retype(name, QStringLiteral("LABX"));
        clickChoice(control<QCheckBox>("TForm6", "CheckBox2")); // Auto-Increment, for after the list
        next(PageId::MulticastClient);
        QTest::mouseClick(page(PageId::PostConfiguration)->backButton(), Qt::LeftButton);
        QCOMPARE(line->text(), QStringLiteral("Host 1 of 2: LAB1 (changed for this diskette: name LABX)"));
        buildFromMulticastPage();
        QVERIFY(TestEnv::mtype(image, "::/WATTCP.CFG").contains("MY_IP=10.0.2.11\r\nHOSTNAME=LABX\r\n"));
        startMulticastRoute(false);
        buildFromMulticastPage();

        startMulticastRoute(false);
        QCOMPARE(line->text(), QStringLiteral("Every host of lab.csv has its diskette (2 of 2)."));
        fx->dialogs.clear();
        fx->dialogs.answer(Dialogs::Button::No);
        next(PageId::MulticastClient);
        QVERIFY(fx->wizard->hosts().active());
        // Yes: the list is closed and the page shows what the next diskette gets.
        next(PageId::MulticastClient);
        expectShown(PageId::MulticastClient);
        QCOMPARE(fx->dialogs.shown().size(), 2);
        QCOMPARE(fx->dialogs.shown().first().icon, Dialogs::Icon::Warning);
        QVERIFY(fx->dialogs.texts().first().endsWith("Close the host list (File, Close Host List) and go on "
                                                     "with this page's Auto-Increment and Auto Assign?"));
        QVERIFY(!fx->wizard->hosts().active() && !line->isVisible());
        QCOMPARE(name->text(), QStringLiteral("LAB3"));
        QCOMPARE(control<QLineEdit>("TForm6", "Edit1")->displayText(), QStringLiteral(" 10.  0.  2.013"));
    }

    void microsoftPageRefusesANameNoComputerHas() {
        loadWithKeys("name,address\nLAB 1,10.0.2.11\n", [](HostListWindow* w) {
            QTest::keyClick(w->findChild<QTableWidget*>(QStringLiteral("HostTable")), Qt::Key_Return);
        });
        fx->wizard->setBuildMode(BuildMode::Microsoft);
        fx->wizard->go(mainWindow(), PageId::MicrosoftStandalone);
        QCOMPARE(control<QLineEdit>("TForm40", "Edit3")->text(), QStringLiteral("LAB 1"));
        QCOMPARE(control<QLineEdit>("TForm40", "Edit1")->displayText(), QStringLiteral(" 10.  0.  2. 11"));
        QCOMPARE(control<QLabel>("TForm40", "HostLine")->text(), QStringLiteral("Host 1 of 1: LAB 1"));
        fx->dialogs.clear();
        next(PageId::MicrosoftStandalone);
        QCOMPARE(fx->dialogs.texts(),
                 QStringList{list +
                             ":2: name \"LAB 1\" holds \" \" (U+0020), which a computer name cannot hold "
                             "(letters, digits and !@#$%^&()-_'{}.~ only)"});
        expectShown(PageId::MicrosoftStandalone);
    }

    void batchGivesEachDisketteTheNextHost() {
        loadWithKeys("name,address\nLAB1,10.0.2.11\nLAB2,10.0.2.12\n", [](HostListWindow* w) {
            QTest::keyClick(w->findChild<QTableWidget*>(QStringLiteral("HostTable")), Qt::Key_Return);
        });
        const QString second = fx->path(QStringLiteral("copy2.img"));
        for (const QString& copy : {image, second})
            QVERIFY(CliFixture::makeImageDiskette(copy, CliFixture::sampleWattcp()));
        fx->dialogs.clear();
        fx->dialogs.answerFile(second); // the next diskette's image
        QString lineAfter;
        watcher->then([&](QWidget* w) {
            QCOMPARE(qobject_cast<QLineEdit*>(w->findChild<QWidget*>(QStringLiteral("Edit3")))->text(),
                     QStringLiteral("LAB1"));
            QCOMPARE(w->findChild<QLabel*>(QStringLiteral("HostLine"))->text(),
                     QStringLiteral("Host 1 of 2: LAB1"));
            QTest::keyClick(w->findChild<QPushButton*>(QStringLiteral("Button2")), Qt::Key_Space);
            lineAfter = w->findChild<QLabel*>(QStringLiteral("HostLine"))->text();
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QTest::mouseClick(mainWindow()->findChild<QPushButton*>(QStringLiteral("BitBtn3")), Qt::LeftButton);
        QCOMPARE(watcher->seen().last(), QStringLiteral("TForm26"));
        QCOMPARE(
            fx->dialogs.texts().last(),
            QStringLiteral("Update Successful.\rDisk IP Address is: 10.0.2.12\rDisk Client Name is: LAB2\r\r"
                           "Every host of the host list has its diskette."));
        QCOMPARE(lineAfter, QStringLiteral("Every host of lab.csv has its diskette (2 of 2)."));
        QVERIFY(TestEnv::mtype(image, "::/WATTCP.CFG").contains("MY_IP=10.0.2.11\r\nHOSTNAME=LAB1\r\n"));
        QVERIFY(TestEnv::mtype(second, "::/WATTCP.CFG").contains("MY_IP=10.0.2.12\r\nHOSTNAME=LAB2\r\n"));
    }
};

QTEST_MAIN(TestHostListRoute)
#include "tst_host_list_route.moc"
