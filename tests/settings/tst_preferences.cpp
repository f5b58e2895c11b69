#include "platform/profile_file.h"
#include "settings/preferences.h"
#include "test_env.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestPreferences : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void noFileReadsDefaults() {
        QTemporaryDir dir;
        const Preferences prefs(dir.path());
        QCOMPARE(prefs.path(), dir.path() + "/PCBW.INI");
        for (int hint = 1; hint <= 5; ++hint)
            QVERIFY(prefs.showHint(hint));
        QCOMPARE(prefs.nicDriverPath(), QString());
        QCOMPARE(prefs.novellDriverPath(), QString());
        QCOMPARE(prefs.microsoftDriverPath(), QString());
        QCOMPARE(prefs.client(), QStringLiteral("XXX"));
        QVERIFY(!QFileInfo::exists(prefs.path())); // reading creates nothing
    }

    void hintKeys() {
        QCOMPARE(Preferences::hintKey(1), QStringLiteral("ShowHint1"));
        QCOMPARE(Preferences::hintKey(5), QStringLiteral("ShowHint5"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Preferences::hintKey(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Preferences::hintKey(6));
    }

    void switchedOffHintReadsBack() {
        QTemporaryDir dir;
        Preferences prefs(dir.path());
        prefs.setShowHint(4, false);
        QVERIFY(!prefs.showHint(4));
        for (int hint : {1, 2, 3, 5})
            QVERIFY(prefs.showHint(hint));
        // A second accessor on the same directory sees it: nothing is held in memory.
        QVERIFY(!Preferences(dir.path()).showHint(4));
        QVERIFY(TestEnv::readHostFile(prefs.path()).contains("ShowHint4=0"));

        prefs.setShowHint(4, true);
        QVERIFY(prefs.showHint(4));
        QVERIFY(TestEnv::readHostFile(prefs.path()).contains("ShowHint4=1"));
    }

    void switchValue_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("shown");
        QTest::newRow("0") << QByteArray("ShowHint3=0") << false;
        QTest::newRow("1") << QByteArray("ShowHint3=1") << true;
        QTest::newRow("other number") << QByteArray("ShowHint3=2") << true;
        QTest::newRow("lower-case key") << QByteArray("showhint3=0") << false;
        QTest::newRow("missing") << QByteArray("ShowHint2=0") << true;
    }
    void switchValue() {
        QFETCH(QByteArray, line);
        QFETCH(bool, shown);
        QTemporaryDir dir;
        TestEnv::writeHostFile(dir.path() + "/PCBW.INI", "[Config]\r\n" + line + "\r\n");
        QCOMPARE(Preferences(dir.path()).showHint(3), shown);
    }

    void handWrittenLocations() {
        QTemporaryDir dir;
        TestEnv::writeHostFile(dir.path() + "/PCBW.INI", "[CONFIG]\r\n"
                                                         "ShowHint1=1\r\n"
                                                         "[Locations]\r\n"
                                                         "NicDriverPath=C:\\PCBW\\NICS\\\r\n"
                                                         "NovellDriverPath=/opt/pcbw/novell/\r\n"
                                                         "MicrosoftDriverPath=/opt/pcbw/ms\r\n"
                                                         "Client=/home/pella/client.exe\r\n");
        const Preferences prefs(dir.path());
        QCOMPARE(prefs.nicDriverPath(), QStringLiteral("C:\\PCBW\\NICS\\"));
        QCOMPARE(prefs.novellDriverPath(), QStringLiteral("/opt/pcbw/novell/"));
        // Kept as stored: builds append file names directly, and a missing separator is the user's to fix.
        QCOMPARE(prefs.microsoftDriverPath(), QStringLiteral("/opt/pcbw/ms"));
        QCOMPARE(prefs.client(), QStringLiteral("/home/pella/client.exe"));

        // Every read goes to the file: a change made behind the program's back is seen at once.
        TestEnv::writeHostFile(prefs.path(), "[LOCATIONS]\r\nNICDriverPath=D:\\NICS\r\n");
        QCOMPARE(prefs.nicDriverPath(), QStringLiteral("D:\\NICS"));
        QCOMPARE(prefs.client(), QStringLiteral("XXX"));
    }

    void clientIsWrittenBesideTheLocations() {
        QTemporaryDir dir;
        TestEnv::writeHostFile(dir.path() + "/PCBW.INI", "[Locations]\r\nNICDriverPath=/opt/nics/\r\n");
        Preferences prefs(dir.path());
        prefs.setClient("/srv/pella/client.exe");
        QCOMPARE(prefs.client(), QStringLiteral("/srv/pella/client.exe"));
        QCOMPARE(prefs.nicDriverPath(), QStringLiteral("/opt/nics/"));
    }

    void refusedWriteNamesTheFile() {
        QTemporaryDir dir;
        const QString missing = dir.path() + "/no/such/dir";
        Preferences prefs(missing);
        try {
            prefs.setShowHint(1, false);
            QFAIL("the write was not refused");
        } catch (const ProfileWriteError& e) {
            QVERIFY(
                QString::fromStdString(e.what()).startsWith("Unable to write to " + missing + "/PCBW.INI\n"));
        }
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
