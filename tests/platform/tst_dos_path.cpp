#include "platform/dos_path.h"

#include <QTest>

class TestDosPath : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("drive");
        QTest::addColumn<bool>("hostAbsolute");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("drive root file") << "A:\\CONFIG.SYS"
                                         << "A" << false << QStringList{"CONFIG.SYS"};
        QTest::newRow("lower drive, no slash") << "a:x"
                                               << "A" << false << QStringList{"x"};
        QTest::newRow("mixed separators") << "C:/NICS\\NE2000.DOS"
                                          << "C" << false << QStringList{"NICS", "NE2000.DOS"};
        QTest::newRow("drive alone") << "B:"
                                     << "B" << false << QStringList{};
        QTest::newRow("trailing dots dropped") << "C:\\NET.\\LMHOSTS."
                                               << "C" << false << QStringList{"NET", "LMHOSTS"};
        QTest::newRow("doubled separators") << "A:\\\\NET\\\\X.INI\\"
                                            << "A" << false << QStringList{"NET", "X.INI"};
        QTest::newRow("dot and dot-dot") << "A:\\NET\\.\\..\\X"
                                         << "A" << false << QStringList{"X"};
        QTest::newRow("dot-dot stops at root") << "A:\\..\\X"
                                               << "A" << false << QStringList{"X"};
        QTest::newRow("host path") << "/opt/nics/ne2000.dos"
                                   << "" << true << QStringList{"opt", "nics", "ne2000.dos"};
        QTest::newRow("backslash root") << "\\delete.me"
                                        << "" << true << QStringList{"delete.me"};
        QTest::newRow("relative") << "nics\\ne2000.dos"
                                  << "" << false << QStringList{"nics", "ne2000.dos"};
        QTest::newRow("relative climbs") << "..\\..\\x"
                                         << "" << false << QStringList{"..", "..", "x"};
        QTest::newRow("digit is no drive") << "1:x"
                                           << "" << false << QStringList{"1:x"};
    }
    void parse() {
        QFETCH(QString, path);
        QFETCH(QString, drive);
        QFETCH(bool, hostAbsolute);
        QFETCH(QStringList, parts);
        const DosPath::Parsed parsed = DosPath::parse(path);
        QCOMPARE(parsed.drive.isNull() ? QString() : QString(parsed.drive), drive);
        QCOMPARE(parsed.hostAbsolute, hostAbsolute);
        QCOMPARE(parsed.parts, parts);
    }

    void fileNamePart_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("backslash") << "c:\\drivers\\NE2000.DOS"
                                   << "NE2000.DOS";
        QTest::newRow("slash") << "/opt/nics/ne2000.dos"
                               << "ne2000.dos";
        QTest::newRow("drive only") << "A:NE2000"
                                    << "NE2000";
        QTest::newRow("bare") << "netbind.com"
                              << "netbind.com";
        QTest::newRow("directory") << "C:\\NICS\\"
                                   << "";
        QTest::newRow("trailing dot kept") << "C:\\LMHOSTS."
                                           << "LMHOSTS.";
    }
    void fileNamePart() {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(DosPath::fileNamePart(path), name);
    }

    void normalizeName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("normalized");
        QTest::newRow("one dot") << "LMHOSTS."
                                 << "LMHOSTS";
        QTest::newRow("several dots") << "README..."
                                      << "README";
        QTest::newRow("inner dot kept") << "NET.CFG"
                                        << "NET.CFG";
        QTest::newRow("dot") << "."
                             << ".";
        QTest::newRow("dot-dot") << ".."
                                 << "..";
    }
    void normalizeName() {
        QFETCH(QString, name);
        QFETCH(QString, normalized);
        QCOMPARE(DosPath::normalizeName(name), normalized);
    }
};

QTEST_GUILESS_MAIN(TestDosPath)
#include "tst_dos_path.moc"
