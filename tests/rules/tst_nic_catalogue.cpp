#include "rules/nic_catalogue.h"
#include "test_env.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray kMulticast =
    "[NICS]\r\n3Com EtherLink III=elnk3.dos\r\nNovell NE2000=ne2000.dos\r\nNo Driver=\r\n";
const QByteArray kNetware = "; NetWare ODI drivers\r\n[NICS]\r\nNE2000 ODI=ne2000.com\r\n[OTHER]\r\nX=Y\r\n";

} // namespace

class TestNicCatalogue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entriesByMode_data();
    void entriesByMode();
    void browseEntryListedOnce();
    void driverPath_data();
    void driverPath();
};

void TestNicCatalogue::entriesByMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("withFiles");
    QTest::addColumn<QStringList>("expected");
    const QString other = QStringLiteral("Other - Have Disk");
    QTest::newRow("multicast") << 1 << true
                               << QStringList{"3Com EtherLink III", "Novell NE2000", "No Driver", other};
    QTest::newRow("netware") << 2 << true << QStringList{"NE2000 ODI", other};
    QTest::newRow("microsoft") << 3 << true
                               << QStringList{"3Com EtherLink III", "Novell NE2000", "No Driver", other};
    QTest::newRow("no network") << 4 << true << QStringList{other};
    QTest::newRow("multicast, no file") << 1 << false << QStringList{other};
    QTest::newRow("netware, no file") << 2 << false << QStringList{other};
}

void TestNicCatalogue::entriesByMode() {
    QFETCH(int, mode);
    QFETCH(bool, withFiles);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    if (withFiles) {
        TestEnv::writeHostFile(dir.filePath(QStringLiteral("PCBWNICM.INI")), kMulticast);
        TestEnv::writeHostFile(dir.filePath(QStringLiteral("PCBWNICS.INI")), kNetware);
    }
    const NicCatalogue catalogue(dir.path(), BuildMode(mode));
    QCOMPARE(catalogue.entries(), expected);
    QCOMPARE(catalogue.entries(), expected); // read again, nothing piles up
}

void TestNicCatalogue::browseEntryListedOnce() {
    QTemporaryDir dir;
    TestEnv::writeHostFile(dir.filePath(QStringLiteral("PCBWNICM.INI")),
                           "[nics]\r\nother - have disk=x.dos\r\nCard=card.dos\r\n");
    QCOMPARE(NicCatalogue(dir.path(), BuildMode::Multicast).entries(),
             (QStringList{"Card", "Other - Have Disk"}));
}

void TestNicCatalogue::driverPath_data() {
    QTest::addColumn<QByteArray>("pcbw");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");
    const QByteArray nics = "[Locations]\r\nNicDriverPath=C:\\nics\\\r\n";
    QTest::newRow("lower-case driver") << nics << 1 << "Novell NE2000"
                                       << "C:\\NICS\\NE2000.DOS";
    QTest::newRow("key matched in any case") << nics << 3 << "NOVELL ne2000"
                                             << "C:\\NICS\\NE2000.DOS";
    QTest::newRow("netware catalogue") << nics << 2 << "NE2000 ODI"
                                       << "C:\\NICS\\NE2000.COM";
    QTest::newRow("netware entry in multicast mode") << nics << 1 << "NE2000 ODI"
                                                     << "C:\\NICS\\ERROR";
    // No network has no list of its own; an entry is looked up where Multicast looks.
    QTest::newRow("no network") << nics << 4 << "3Com EtherLink III"
                                << "C:\\NICS\\ELNK3.DOS";
    QTest::newRow("browse entry") << nics << 1 << "Other - Have Disk"
                                  << "C:\\NICS\\ERROR";
    QTest::newRow("empty value") << nics << 1 << "No Driver"
                                 << "C:\\NICS\\";
    QTest::newRow("no directory") << QByteArray() << 1 << "Novell NE2000"
                                  << "NE2000.DOS";
    // Joined as stored: the directory brings its own separator.
    QTest::newRow("directory without separator")
        << QByteArray("[LOCATIONS]\r\nNICDriverPath=/opt/nics\r\n") << 1 << "Novell NE2000"
        << "/OPT/NICSNE2000.DOS";
}

void TestNicCatalogue::driverPath() {
    QFETCH(QByteArray, pcbw);
    QFETCH(int, mode);
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    TestEnv::writeHostFile(dir.filePath(QStringLiteral("PCBWNICM.INI")), kMulticast);
    TestEnv::writeHostFile(dir.filePath(QStringLiteral("PCBWNICS.INI")), kNetware);
    if (!pcbw.isEmpty())
        TestEnv::writeHostFile(dir.filePath(QStringLiteral("PCBW.INI")), pcbw);
    QCOMPARE(NicCatalogue(dir.path(), BuildMode(mode)).driverPath(entry), expected);
}

QTEST_GUILESS_MAIN(TestNicCatalogue)
#include "tst_nic_catalogue.moc"
