#include "gui/widgets/app_resources.h"
#include "gui/widgets/help_topics.h"
#include "gui/widgets/help_window.h"
#include "gui/widgets/qt_dialogs.h"
#include "recording_help.h"

#include <QDialog>
#include <QDir>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

// The help viewer and the topics compiled into the program.
class TestHelpWindow : public QObject {
    Q_OBJECT

    static QString readTopic(const QString& file) {
        QFile f(QStringLiteral(":/help/") + file);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    // Where a link to `href` stands in the browser's viewport.
    static QPoint linkPosition(QTextBrowser* browser, const QString& href) {
        for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.charFormat().anchorHref() != href)
                    continue;
                QTextCursor cursor(browser->document());
                cursor.setPosition(fragment.position() + 1);
                return browser->cursorRect(cursor).center();
            }
        }
        return {-1, -1};
    }

private Q_SLOTS:
    void initTestCase() { initAppResources(); }

    void contexts_data() {
        QTest::addColumn<int>("context");
        for (int context :
             {500, 501, 503, 504, 507, 508, 122, 509, 510, 511, 550, 551, 600, 601, 602, 610, 611, 612, 620})
            QTest::addRow("%d", context) << context;
    }

    // Each context number of a window has a topic of its own, which opens with its text.
    void contexts() {
        QFETCH(int, context);
        HelpWindow help;
        help.showContext(context);
        QVERIFY(help.isVisible());
        const HelpTopic& topic = HelpTopics::byContext(context);
        QCOMPARE(topic.context, context);
        QCOMPARE(help.currentTopicFile(), topic.file);
        QVERIFY(help.currentTopicFile() != HelpTopics::contents().file);
        QVERIFY(help.browser()->toPlainText().size() > 200);
    }

    void names_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::newRow("IDH_Welcome") << "IDH_Welcome"
                                     << "welcome.html";
        QTest::newRow("IDH_WhatsNew") << "IDH_WhatsNew"
                                      << "whats_new.html";
        QTest::newRow("IDH_GetStarted") << "IDH_GetStarted"
                                        << "getting_started.html";
        QTest::newRow("IDH_Multimode") << "IDH_Multimode"
                                       << "multicast_mode.html";
        QTest::newRow("IDH_Standalone") << "IDH_Standalone"
                                        << "standalone_mode.html";
        QTest::newRow("IDH_Batch") << "IDH_Batch"
                                   << "batch_mode.html";
        QTest::newRow("any letter case") << "idh_batch"
                                         << "batch_mode.html";
        QTest::newRow("unknown name") << "IDH_Nothing"
                                      << "welcome.html";
    }

    void names() {
        QFETCH(QString, name);
        QFETCH(QString, file);
        HelpWindow help;
        help.showTopic(name);
        QCOMPARE(help.currentTopicFile(), file);
        QListWidgetItem* current = help.findChild<QListWidget*>(QStringLiteral("TopicList"))->currentItem();
        QVERIFY(current);
        QCOMPARE(current->data(Qt::UserRole).toString(), file);
        QCOMPARE(help.windowTitle(),
                 QStringLiteral("Pellacore Bootwright Help - ") + help.browser()->documentTitle());
        QVERIFY(!help.browser()->documentTitle().isEmpty());
    }

    void unknownContextOpensContents() {
        HelpWindow help;
        help.showContext(9999);
        QCOMPARE(help.currentTopicFile(), HelpTopics::contents().file);
        help.showContext(0);
        QCOMPARE(help.currentTopicFile(), HelpTopics::contents().file);
    }

    // No two entries share a topic, every topic is compiled in, and every page compiled in is listed.
    void topicsAreDistinctAndComplete() {
        QSet<QString> files;
        QSet<int> contexts;
        for (const HelpTopic& topic : HelpTopics::all()) {
            QVERIFY2(!files.contains(topic.file), qPrintable(topic.file));
            files.insert(topic.file);
            if (topic.context) {
                QVERIFY(!contexts.contains(topic.context));
                contexts.insert(topic.context);
            }
            const QString html = readTopic(topic.file);
            QVERIFY2(!html.isEmpty(), qPrintable(topic.file));
            QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(topic.file));
        }
        const QStringList compiled = QDir(QStringLiteral(":/help")).entryList(QDir::Files);
        QCOMPARE(QSet<QString>(compiled.begin(), compiled.end()), files);
    }

    // Every link between topics names a topic that exists.
    void linksResolve() {
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        int links = 0;
        for (const HelpTopic& topic : HelpTopics::all()) {
            for (const QRegularExpressionMatch& m : href.globalMatch(readTopic(topic.file))) {
                const QString target = m.captured(1);
                if (target.startsWith(QLatin1String("https://")))
                    continue;
                QVERIFY2(QFile::exists(QStringLiteral(":/help/") + target),
                         qPrintable(topic.file + QStringLiteral(" links to ") + target));
                ++links;
            }
        }
        QVERIFY(links > 50);
    }

    void clickingALinkMovesAndBackReturns() {
        HelpWindow help;
        help.resize(900, 700);
        help.showTopic(QStringLiteral("IDH_Welcome"));
        QTextBrowser* browser = help.browser();
        auto* back = help.findChild<QToolButton*>(QStringLiteral("BackButton"));
        auto* forward = help.findChild<QToolButton*>(QStringLiteral("ForwardButton"));
        QVERIFY(!back->isEnabled());

        const QPoint at = linkPosition(browser, QStringLiteral("client_location.html"));
        QVERIFY(at.x() >= 0);
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
        QTRY_COMPARE(help.currentTopicFile(), QStringLiteral("client_location.html"));
        QVERIFY(back->isEnabled());

        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(help.currentTopicFile(), QStringLiteral("welcome.html"));
        QVERIFY(forward->isEnabled());
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(help.currentTopicFile(), QStringLiteral("client_location.html"));

        QTest::mouseClick(help.findChild<QToolButton*>(QStringLiteral("ContentsButton")), Qt::LeftButton);
        QCOMPARE(help.currentTopicFile(), QStringLiteral("welcome.html"));
    }

    void topicListOpensTopics() {
        HelpWindow help;
        help.showContext(500);
        auto* list = help.findChild<QListWidget*>(QStringLiteral("TopicList"));
        QCOMPARE(list->count(), HelpTopics::all().size());
        const QList<QListWidgetItem*> drives =
            list->findItems(QStringLiteral("Drives, diskette images and devices"), Qt::MatchExactly);
        QCOMPARE(drives.size(), 1);
        list->setCurrentItem(drives.first());
        Q_EMIT list->itemClicked(drives.first());
        QCOMPARE(help.currentTopicFile(), QStringLiteral("drives.html"));
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("A.img")));
    }

    // Closed as other viewers are: Esc, Ctrl+W.
    void closesFromTheKeyboard_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("Esc") << QKeySequence(Qt::Key_Escape);
        QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
    }
    void closesFromTheKeyboard() {
        QFETCH(QKeySequence, keys);
        HelpWindow help;
        help.showContext(500);
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QTest::keySequence(&help, keys);
        QVERIFY(!help.isVisible());
    }

    // Asked for from a modal window, the help comes up above it and takes the keys.
    void aboveAModalWindow() {
        HelpWindow help;
        QDialog modal;
        bool helpTookInput = false;
        QTimer::singleShot(0, &modal, [&] {
            help.showContext(500);
            helpTookInput = QApplication::activeModalWidget() == &help && help.isVisible();
            QTest::keyClick(&help, Qt::Key_Escape);
            modal.reject();
        });
        modal.exec();
        QVERIFY(helpTookInput);
        // Without a modal window it is a window like any other.
        help.showContext(500);
        QCOMPARE(help.windowModality(), Qt::NonModal);
    }

    // "Press F1 for help." in a box with a help topic: F1 opens it, as the box's Help button does.
    void f1InAMessageBox() {
        RecordingHelp help;
        QtDialogs dialogs(help);
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box && QTest::qWaitForWindowActive(box));
            QTest::keyClick(box, Qt::Key_F1);
            QTest::keyClick(box, Qt::Key_Return);
        });
        dialogs.message(QStringLiteral("Press F1 for help."), Dialogs::Icon::Information,
                        Dialogs::Buttons::Ok, 600);
        QCOMPARE(help.calls, QStringList{QStringLiteral("context:600")});
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_help_window.moc"
