#include "gui/shell/main_window.h"
#include "gui/shell/startup_check.h"
#include "main_window_lookup.h"

#include <QAction>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QtTest>

namespace {

const QString kWindowHint = QStringLiteral("\nYou can press F1 for help at any time.");

// A menu as text: items by caption, "-" for a separator, a submenu as "caption>".
QStringList menuItems(const QMenu* menu) {
    QStringList items;
    for (const QAction* action : menu->actions())
        items << (action->isSeparator() ? QStringLiteral("-")
                  : action->menu()      ? action->text() + QLatin1Char('>')
                                        : action->text());
    return items;
}

void hover(QWidget* w) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(w, &enter);
}

void leave(QWidget* w) {
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(w, &event);
}

} // namespace

// The main window's texts, menus, hints and help.
class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayPacing(0); }

    void windowAndTexts() {
        GuiFixture f(kAllHintsOff);
        MainWindow* w = mainWindow(f);
        QVERIFY(w);
        QCOMPARE(w->objectName(), QStringLiteral("TForm1"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Pellacore Bootwright"));
        QCOMPARE(w->centralWidget()->size(), QSize(509, 361));
        QCOMPARE(w->hintLabel()->objectName(), QStringLiteral("Label1"));
        QCOMPARE(
            w->hintLabel()->text(),
            QStringLiteral("Welcome to the Pellacore Bootwright.\nYou can press F1 for help at any time."));
        QVERIFY(w->hintLabel()->wordWrap());
        QVERIFY(w->hintLabel()->alignment() & Qt::AlignHCenter);
        QCOMPARE(f.wizard->buildMode(), BuildMode::Multicast);
    }

    void buttons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("longHint");
        QTest::newRow("BitBtn1")
            << "BitBtn1"
            << "Create Multicast Diskettes"
            << "Multicast mode can be used anywhere that either: \n1) an NT 4.0 server or greater "
               "is being used or 2) there is a Windows 95 or Windows NT workstation on the "
               "network where the Controller software can be installed and used.";
        QTest::newRow("BitBtn2")
            << "BitBtn2"
            << "Create Standalone Diskettes"
            << "Standalone mode can be used when you will not be running the Controller or you "
               "want to pull from a CD-ROM.  Multicast mode is the recommended mode of operation.";
        QTest::newRow("BitBtn3")
            << "BitBtn3"
            << "Batch Diskette Update"
            << "\nBatch update is used to increment IP Address and client name on already "
               "existing client diskettes.";
    }

    void buttons() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, longHint);
        GuiFixture f(kAllHintsOff);
        auto* button = mainWindow(f)->findChild<QPushButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->size(), QSize(145, 81));
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->toolTip(), caption);
        QCOMPARE(button->statusTip(), longHint);
        QCOMPARE(button->contextMenuPolicy(), Qt::CustomContextMenu);
    }

    void hintsRouteToLabel_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("expected");
        QTest::newRow("BitBtn2")
            << "BitBtn2"
            << "Standalone mode can be used when you will not be running the Controller or you "
               "want to pull from a CD-ROM.  Multicast mode is the recommended mode of operation.";
        QTest::newRow("BitBtn3")
            << "BitBtn3"
            << "\nBatch update is used to increment IP Address and client name on already "
               "existing client diskettes.";
        QTest::newRow("picture") << "Image1" << kWindowHint;
        QTest::newRow("window") << "TForm1" << kWindowHint;
    }

    void hintsRouteToLabel() {
        QFETCH(QString, control);
        QFETCH(QString, expected);
        GuiFixture f(kAllHintsOff);
        MainWindow* w = mainWindow(f);
        w->show();
        QWidget* target = control == w->objectName() ? w : w->findChild<QWidget*>(control);
        QVERIFY(target);
        hover(target);
        QCOMPARE(w->hintLabel()->text(), expected);
        // Leaving a control puts the window's own hint back: the mouse is over the window then.
        leave(target);
        QCOMPARE(w->hintLabel()->text(), kWindowHint);
    }

    void hintsHaveNoToolTipWithoutShortPart() {
        GuiFixture f(kAllHintsOff);
        MainWindow* w = mainWindow(f);
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Image1"))->toolTip(), QString());
        QCOMPARE(w->toolTip(), QString());
        // A status tip from anywhere in the window lands in the label.
        QStatusTipEvent tip(QStringLiteral("some long hint"));
        QCoreApplication::sendEvent(w->findChild<QWidget*>(QStringLiteral("Panel2")), &tip);
        QCOMPARE(w->hintLabel()->text(), QStringLiteral("some long hint"));
    }

    void menus_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("File") << "File1"
                              << "&File" << QStringList{"&Load Previous Configuration",
                                                        "Load &Host List...",
                                                        "&Close Host List",
                                                        "&Try a Diskette...",
                                                        "-",
                                                        "&Exit                     Alt-F4"};
        QTest::newRow("Create") << "Create1"
                                << "&Create"
                                << QStringList{"&Multicast Diskettes", "&Standalone Diskettes", "-",
                                               "&Batch Diskette Update"};
        QTest::newRow("Help") << "Help1"
                              << "&Help"
                              << QStringList{"&Contents                 F1",
                                             "&What's New",
                                             "&Getting Started",
                                             "-",
                                             "&Larkmoor on the Web...>",
                                             "-",
                                             "&Hints",
                                             "-",
                                             "&About"};
        QTest::newRow("Web") << "LarkmooronWeb1"
                             << "&Larkmoor on the Web..."
                             << QStringList{"Homepage", "Pellacore Home", "Frequently Asked Questions",
                                            "The Larkmoor Store"};
    }

    void menus() {
        QFETCH(QString, menu);
        QFETCH(QString, title);
        QFETCH(QStringList, items);
        GuiFixture f(kAllHintsOff);
        auto* m = mainWindow(f)->findChild<QMenu*>(menu);
        QVERIFY(m);
        QCOMPARE(m->title(), title);
        QCOMPARE(menuItems(m), items);
    }

    void menuBarOrder() {
        GuiFixture f(kAllHintsOff);
        QStringList titles;
        for (QAction* a : mainWindow(f)->menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"&File", "&Create", "&Help"}));
    }

    void itemNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("load") << "LoadPreviousConfiguration1"
                              << "&Load Previous Configuration";
        QTest::newRow("exit") << "Exit1"
                              << "&Exit                     Alt-F4";
        QTest::newRow("multicast") << "MulticastDiskettes1"
                                   << "&Multicast Diskettes";
        QTest::newRow("standalone") << "StandaloneDiskettes1"
                                    << "&Standalone Diskettes";
        QTest::newRow("batch") << "BatchDisketteUpdate1"
                               << "&Batch Diskette Update";
        QTest::newRow("contents") << "Contents1"
                                  << "&Contents                 F1";
        QTest::newRow("new") << "WhatsNew1"
                             << "&What's New";
        QTest::newRow("started") << "GettingStarted1"
                                 << "&Getting Started";
        QTest::newRow("hints") << "Hints1"
                               << "&Hints";
        QTest::newRow("about") << "About1"
                               << "&About";
    }

    void itemNames() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        GuiFixture f(kAllHintsOff);
        QAction* a = mainWindow(f)->findChild<QAction*>(name);
        QVERIFY2(a, qPrintable(name));
        QCOMPARE(a->text(), caption);
    }

    void helpCommands_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("call");
        QTest::newRow("contents") << "Contents1"
                                  << "topic:IDH_Welcome";
        QTest::newRow("what's new") << "WhatsNew1"
                                    << "topic:IDH_WhatsNew";
        QTest::newRow("getting started") << "GettingStarted1"
                                         << "topic:IDH_GetStarted";
        QTest::newRow("what's this 1") << "WhatsThis1"
                                       << "topic:IDH_Multimode";
        QTest::newRow("what's this 2") << "WhatsThis2"
                                       << "topic:IDH_Standalone";
        QTest::newRow("what's this 3") << "WhatsThis3"
                                       << "topic:IDH_Batch";
        QTest::newRow("homepage") << "Homepage1"
                                  << "url:https://www.larkmoor.example/";
        QTest::newRow("product") << "PellacoreHome1"
                                 << "url:https://www.larkmoor.example/pellacore/";
        QTest::newRow("faq") << "FrequentlyAskedQuestions1"
                             << "url:https://www.larkmoor.example/support/faq/";
        QTest::newRow("store") << "TheLarkmoorStore1"
                               << "url:https://store.larkmoor.example/";
    }

    void helpCommands() {
        QFETCH(QString, item);
        QFETCH(QString, call);
        GuiFixture f(kAllHintsOff);
        QAction* a = mainWindow(f)->findChild<QAction*>(item);
        QVERIFY2(a, qPrintable(item));
        a->trigger();
        QCOMPARE(f.help.calls, QStringList{call});
    }

    void whatsThisMenuBelongsToItsButton_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("1") << 1;
        QTest::newRow("2") << 2;
        QTest::newRow("3") << 3;
    }

    void whatsThisMenuBelongsToItsButton() {
        QFETCH(int, number);
        GuiFixture f(kAllHintsOff);
        auto* button = mainWindow(f)->findChild<QPushButton*>(QStringLiteral("BitBtn%1").arg(number));
        auto* popup = button->findChild<QMenu*>(QStringLiteral("PopupMenu%1").arg(number));
        QVERIFY(popup);
        QCOMPARE(menuItems(popup), QStringList{"&What's this?"});
    }

    void f1OpensContext500() {
        GuiFixture f(kAllHintsOff);
        f.wizard->showMain();
        QTest::keyClick(mainWindow(f)->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::Key_F1);
        QCOMPARE(f.help.calls, QStringList{"context:500"});
    }

    // An unreadable PCBW.INI stops the wizard with its name, instead of defaults in its place.
    void unreadableSettingsStopTheStart() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("PCBW.INI"));
        ScriptedDialogs dialogs;
        QVERIFY(!StartupCheck::settingsReadable(dir.path(), dialogs));
        QCOMPARE(dialogs.texts().size(), 1);
        QVERIFY(
            dialogs.texts()[0].startsWith("Cannot read " + dir.filePath("PCBW.INI") + ": it is a folder"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
