#include "gui/widgets/hint_dialog.h"
#include "gui/widgets/user_prefs_dialog.h"
#include "modal_watcher.h"
#include "platform/profile_file.h"
#include "recording_help.h"
#include "scripted_dialogs.h"
#include "settings/preferences.h"
#include "test_env.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// The hint dialog, showHint() and the Hints dialog against a real PCBW.INI.
class TestHintDialog : public QObject {
    Q_OBJECT

    static QByteArray ini(const QTemporaryDir& dir) {
        return TestEnv::readHostFile(dir.path() + "/PCBW.INI");
    }
    static QString missingDir(const QTemporaryDir& dir) { return dir.path() + "/no/such/dir"; }

private Q_SLOTS:
    void dialogLooks() {
        HintDialog dialog;
        dialog.setHint(QStringLiteral(" ShowHint4 "), QStringLiteral("one"), QStringLiteral("two"),
                       QString());
        QCOMPARE(dialog.objectName(), QStringLiteral("TForm20"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Hint"));
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(dialog.label(1)->text(), QStringLiteral("one"));
        QCOMPARE(dialog.label(2)->text(), QStringLiteral("two"));
        QCOMPARE(dialog.label(3)->text(), QString());
        QVERIFY(dialog.label(1)->wordWrap());
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("HintEdit"));
        QVERIFY(edit->isReadOnly());
        QVERIFY(edit->isHidden());
        QCOMPARE(dialog.hintKey(), QStringLiteral("ShowHint4")); // blanks around the key removed
        QCOMPARE(dialog.dontShowBox()->text(), QStringLiteral("&Don't show this message again."));
        QVERIFY(!dialog.dontShowBox()->isChecked());
        QCOMPARE(dialog.okButton()->text(), QStringLiteral("&OK"));
    }

    void showHint_data() {
        QTest::addColumn<int>("hint");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("byFrame");
        QTest::addColumn<QByteArray>("file"); // PCBW.INI afterwards
        QTest::newRow("tick and OK") << 4 << true << false << QByteArray("[CONFIG]\r\nShowHint4=0\r\n");
        QTest::newRow("OK only") << 2 << false << false << QByteArray();
        QTest::newRow("tick, closed by the frame") << 5 << true << true << QByteArray();
    }

    void showHint() {
        QFETCH(int, hint);
        QFETCH(bool, tick);
        QFETCH(bool, byFrame);
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        ModalWatcher watcher;
        QStringList texts;
        QString key;
        watcher.then([&](QWidget* w) {
            auto* d = qobject_cast<HintDialog*>(w);
            texts << d->label(1)->text() << d->label(2)->text() << d->label(3)->text();
            key = d->hintKey();
            d->dontShowBox()->setChecked(tick);
            if (byFrame)
                d->close();
            else
                QTest::mouseClick(d->okButton(), Qt::LeftButton);
        });
        ::showHint(dialogs, dir.path(), hint, "first", "second", "third");
        QCOMPARE(watcher.seen(), QStringList{"TForm20"});
        QCOMPARE(texts, (QStringList{"first", "second", "third"}));
        QCOMPARE(key, Preferences::hintKey(hint));
        QCOMPARE(ini(dir), file);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void switchedOffHintIsNotShown_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("0") << QByteArray("0");
        QTest::newRow("lower-case section, blanks") << QByteArray("0 ");
    }

    void switchedOffHintIsNotShown() {
        QFETCH(QByteArray, value);
        QTemporaryDir dir;
        TestEnv::writeHostFile(dir.path() + "/PCBW.INI", "[config]\r\nShowHint1=" + value + "\r\n");
        ScriptedDialogs dialogs;
        ModalWatcher watcher;
        ::showHint(dialogs, dir.path(), 1, "a", "b", "c");
        QCOMPARE(watcher.seen(), QStringList());
    }

    void refusedWriteIsReported() {
        QTemporaryDir dir;
        const QString programDir = missingDir(dir);
        ScriptedDialogs dialogs;
        ModalWatcher watcher;
        auto tickAndOk = [](QWidget* w) {
            auto* d = qobject_cast<HintDialog*>(w);
            d->dontShowBox()->setChecked(true);
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        };
        watcher.then(tickAndOk);
        ::showHint(dialogs, programDir, 3, "a", QString(), QString());
        QCOMPARE(dialogs.texts().size(), 1);
        QVERIFY(dialogs.texts()[0].startsWith("Unable to write to " + Preferences(programDir).path() + "\n"));
        QCOMPARE(dialogs.shown().first().icon, Dialogs::Icon::Error);

        // Without a Dialogs port the refusal reaches the caller's handler boundary.
        watcher.then(tickAndOk);
        QVERIFY_THROWS_EXCEPTION(ProfileWriteError, ::showHint(programDir, 3, "a", QString(), QString()));
    }

    void prefsDialogLooks() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        RecordingHelp help;
        UserPrefsDialog prefs(dir.path(), dialogs, help);
        QCOMPARE(prefs.windowTitle(), QStringLiteral("Hints"));
        QCOMPARE(prefs.findChild<QGroupBox*>()->title(), QStringLiteral("Hints"));
        const QStringList captions{"Show \"Formatted Floppies Required\" hint", "Show \"Netware Logon\" hint",
                                   "Show \"Batch Diskette Update\" hint",
                                   "Show \"Client Boot Diskette Operation\" hint",
                                   "Show \"Multicast mode for Ethernet only\" hint"};
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(prefs.checkBox(i)->objectName(), QStringLiteral("CheckBox%1").arg(i));
            QCOMPARE(prefs.checkBox(i)->text(), captions.at(i - 1));
            QVERIFY(prefs.checkBox(i)->isChecked()); // no PCBW.INI: every hint on
        }
        QTest::keyClick(&prefs, Qt::Key_F1);
        QCOMPARE(help.calls, QStringList{"context:620"});
    }

    void prefsDone_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QList<bool>>("shownTicked");
        QTest::addColumn<int>("untick"); // 0: none
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("only the fifth unticked")
            << QByteArray() << QList<bool>{true, true, true, true, true} << 5
            << QByteArray(
                   "[CONFIG]\r\nShowHint1=1\r\nShowHint2=1\r\nShowHint3=1\r\nShowHint4=1\r\nShowHint5=0\r\n");
        QTest::newRow("switched-off hint shown unticked")
            << QByteArray("[CONFIG]\r\nShowHint4=0\r\nShowHint2=7\r\n")
            << QList<bool>{true, true, true, false, true} << 0
            << QByteArray(
                   "[CONFIG]\r\nShowHint4=0\r\nShowHint2=1\r\nShowHint1=1\r\nShowHint3=1\r\nShowHint5=1\r\n");
    }

    void prefsDone() {
        QFETCH(QByteArray, before);
        QFETCH(QList<bool>, shownTicked);
        QFETCH(int, untick);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        if (!before.isEmpty())
            TestEnv::writeHostFile(dir.path() + "/PCBW.INI", before);
        ScriptedDialogs dialogs;
        RecordingHelp help;
        UserPrefsDialog prefs(dir.path(), dialogs, help);
        prefs.show();
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(prefs.checkBox(i)->isChecked(), shownTicked.at(i - 1));
        if (untick)
            QTest::mouseClick(prefs.checkBox(untick), Qt::LeftButton);
        QTest::mouseClick(prefs.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        QCOMPARE(prefs.result(), int(QDialog::Accepted));
        QVERIFY(!prefs.isVisible());
        QCOMPARE(ini(dir), after);
    }

    void prefsClosedByFrameWritesNothing() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        RecordingHelp help;
        UserPrefsDialog prefs(dir.path(), dialogs, help);
        prefs.show();
        prefs.checkBox(2)->setChecked(false);
        prefs.close();
        QVERIFY(!QFile::exists(dir.path() + "/PCBW.INI"));
    }

    void prefsRefusedWriteStaysOpen() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        RecordingHelp help;
        UserPrefsDialog prefs(missingDir(dir), dialogs, help);
        prefs.show();
        QTest::mouseClick(prefs.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        QCOMPARE(dialogs.texts().size(), 1);
        QVERIFY(dialogs.texts()[0].startsWith("Unable to write to " + Preferences(missingDir(dir)).path() +
                                              "\n"));
        QCOMPARE(dialogs.shown().first().icon, Dialogs::Icon::Error);
        QVERIFY(prefs.isVisible());
    }

    // A hint switched off in its own dialog shows as unticked in the Hints dialog.
    void roundTrip() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        RecordingHelp help;
        ModalWatcher watcher;
        watcher.then([](QWidget* w) {
            auto* d = qobject_cast<HintDialog*>(w);
            d->dontShowBox()->setChecked(true);
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        });
        ::showHint(dialogs, dir.path(), 4, "Multicast client boot diskette operation.", QString(), QString());
        UserPrefsDialog prefs(dir.path(), dialogs, help);
        QVERIFY(!prefs.checkBox(4)->isChecked());
        QVERIFY(prefs.checkBox(3)->isChecked());
        ::showHint(dialogs, dir.path(), 4, "again", QString(), QString());
        QCOMPARE(watcher.seen(), QStringList{"TForm20"});
    }
};

QTEST_MAIN(TestHintDialog)
#include "tst_hint_dialog.moc"
