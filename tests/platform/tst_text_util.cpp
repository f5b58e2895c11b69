#include "platform/text_util.h"

#include <QTest>

class TestTextUtil : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void trimTakesControlCharactersOffTheEnds_data();
    void trimTakesControlCharactersOffTheEnds();
};

void TestTextUtil::trimTakesControlCharactersOffTheEnds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("blanks") << QStringLiteral("  PC 1  ") << QStringLiteral("PC 1");
    QTest::newRow("tab, CR, LF, NUL") << QStringLiteral("\t\r\nPC\x01") + QChar(0) << QStringLiteral("PC");
    QTest::newRow("inner blanks kept") << QStringLiteral(" 10.  0. ") << QStringLiteral("10.  0.");
    QTest::newRow("only blanks") << QStringLiteral(" \t ") << QString();
    QTest::newRow("no-break space is text")
        << QStringLiteral(u"\u00A0x\u00A0") << QStringLiteral(u"\u00A0x\u00A0");
}

void TestTextUtil::trimTakesControlCharactersOffTheEnds() {
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(Trim(text), trimmed);
}

QTEST_GUILESS_MAIN(TestTextUtil)
#include "tst_text_util.moc"
