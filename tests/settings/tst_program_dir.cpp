#include "settings/program_dir.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// Each test gets an installation tree (<root>/prefix/bin holds the executable) and its own per-user
// configuration home.
class TestProgramDir : public QObject {
    Q_OBJECT

    QTemporaryDir* m_root = nullptr;
    QString m_exeDir;
    QString m_userDir;

    void shipCatalogues(const QString& dir, const QByteArray& tag) {
        TestEnv::writeHostFile(dir + "/PCBWNICM.INI", "[NICS]\r\nNE2000 " + tag + "=NE2000.DOS\r\n");
        TestEnv::writeHostFile(dir + "/PCBWNICS.INI", "[NICS]\r\nNE2000 " + tag + "=NE2000.COM\r\n");
    }

private Q_SLOTS:
    void init() {
        m_root = new QTemporaryDir;
        m_exeDir = m_root->path() + "/prefix/bin";
        QDir().mkpath(m_exeDir);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_root->path() + "/config"));
        m_userDir = m_root->path() + "/config/bootwright";
    }
    void cleanup() {
        delete m_root;
        m_root = nullptr;
    }

    void portableWhenPcbwIniStandsBesideTheProgram() {
        TestEnv::writeHostFile(m_exeDir + "/PCBW.INI", "[CONFIG]\r\n");
        shipCatalogues(m_root->path() + "/prefix/share/bootwright", "shipped");
        QCOMPARE(ProgramDir::locate(m_exeDir), m_exeDir);
        QVERIFY(!QFileInfo::exists(m_userDir));
        // A relative or untidy executable path names the same directory.
        QCOMPARE(ProgramDir::locate(m_exeDir + "/../bin/"), m_exeDir);
    }

    void perUserDirectoryIsCreatedAndSeeded() {
        const QString shipped = m_root->path() + "/prefix/share/bootwright";
        shipCatalogues(shipped, "shipped");
        QCOMPARE(ProgramDir::locate(m_exeDir), m_userDir);
        QVERIFY(QFileInfo(m_userDir).isDir());
        for (const char* name : {"PCBWNICM.INI", "PCBWNICS.INI"}) {
            QCOMPARE(TestEnv::readHostFile(m_userDir + "/" + name),
                     TestEnv::readHostFile(shipped + "/" + name));
            QVERIFY(QFileInfo(m_userDir + "/" + name).isWritable());
        }
        QCOMPARE(QDir(m_userDir).entryList(QDir::Files), QStringList({"PCBWNICM.INI", "PCBWNICS.INI"}));
        QVERIFY(!QFileInfo::exists(m_userDir + "/PCBW.INI")); // the preferences are the user's to make
    }

    void seedingNeverOverwrites() {
        shipCatalogues(m_root->path() + "/prefix/share/bootwright", "shipped");
        TestEnv::writeHostFile(m_userDir + "/PCBWNICM.INI", "[NICS]\r\nMy own card=MINE.DOS\r\n");
        QCOMPARE(ProgramDir::locate(m_exeDir), m_userDir);
        QCOMPARE(TestEnv::readHostFile(m_userDir + "/PCBWNICM.INI"),
                 QByteArray("[NICS]\r\nMy own card=MINE.DOS\r\n"));
        QVERIFY(TestEnv::readHostFile(m_userDir + "/PCBWNICS.INI").contains("NE2000 shipped"));

        // A later start with a newer installation keeps the user's copies.
        shipCatalogues(m_root->path() + "/prefix/share/bootwright", "newer");
        ProgramDir::locate(m_exeDir);
        QVERIFY(TestEnv::readHostFile(m_userDir + "/PCBWNICS.INI").contains("NE2000 shipped"));
    }

    void firstSourceWins_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("beside");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("both") << true << true << QByteArray("installed");
        QTest::newRow("installed only") << true << false << QByteArray("installed");
        QTest::newRow("beside only") << false << true << QByteArray("beside");
    }
    void firstSourceWins() {
        QFETCH(bool, installed);
        QFETCH(bool, beside);
        QFETCH(QByteArray, expected);
        if (installed)
            shipCatalogues(m_root->path() + "/prefix/share/bootwright", "installed");
        if (beside)
            shipCatalogues(m_exeDir + "/share/bootwright", "beside");
        ProgramDir::locate(m_exeDir);
        QVERIFY(
            TestEnv::readHostFile(m_userDir + "/PCBWNICM.INI").contains(QByteArray("NE2000 " + expected)));
    }

    void catalogueSourcesInOrder() {
        const QStringList sources = ProgramDir::catalogueSources(m_exeDir + "/");
        QVERIFY(sources.size() >= 3);
        QCOMPARE(sources[0], m_root->path() + "/prefix/share/bootwright");
        QCOMPARE(sources[1], m_exeDir + "/share/bootwright");
        QCOMPARE(sources.last(), QStringLiteral("/usr/share/bootwright"));
    }

    void buildTreeFindsItsCatalogues() {
        // The build copies the catalogues to <build>/share/bootwright, the programs sit in <build>/src.
        const QString exeDir = QFileInfo(QStringLiteral(BW_CLI_PATH)).absolutePath();
        const QString shipped = QDir::cleanPath(exeDir + "/../share/bootwright");
        QVERIFY(QFileInfo::exists(shipped + "/PCBWNICM.INI"));
        QCOMPARE(ProgramDir::catalogueSources(exeDir).first(), shipped);
    }
};

QTEST_GUILESS_MAIN(TestProgramDir)
#include "tst_program_dir.moc"
