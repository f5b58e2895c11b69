#include "gui/widgets/guarded_application.h"
#include "platform/io_error.h"
#include "platform/profile_file.h"
#include "scripted_dialogs.h"

#include <QtTest>

// The program's general handler: an exception at an event handler's boundary becomes an error box
// and the program goes on.
class TestGuardedApplication : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reportsAndGoesOn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("input/output error")
            << 0 << "Could not write A:\\AUTOEXEC.BAT (/tmp/A.img): disk full";
        QTest::newRow("refused profile write") << 1 << "Unable to write to /tmp/x/PCBW.INI";
        QTest::newRow("anything else") << 2 << "An unexpected error stopped the operation in progress.";
    }

    void reportsAndGoesOn() {
        QFETCH(int, kind);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        const bool handled = GuardedApplication::deliver(
            [&]() -> bool {
                if (kind == 0)
                    throw IoError(message);
                if (kind == 1)
                    throw ProfileWriteError(QStringLiteral("/tmp/x/PCBW.INI"));
                throw 42;
            },
            &dialogs);
        QVERIFY(!handled);
        QCOMPARE(dialogs.texts(), QStringList{message});
        QCOMPARE(dialogs.shown().first().icon, Dialogs::Icon::Error);
        QCOMPARE(dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
        // The next event is delivered as usual.
        QVERIFY(GuardedApplication::deliver([] { return true; }, &dialogs));
        QCOMPARE(dialogs.shown().size(), 1);
    }
};

QTEST_MAIN(TestGuardedApplication)
#include "tst_guarded_application.moc"
