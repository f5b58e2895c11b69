#include "platform/text_codec.h"

#include <QTest>

class TestTextCodec : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyByteSurvivesReadAndWrite();
    void decodesTheHighRange_data();
    void decodesTheHighRange();
    void writesQuestionMarkForTheRest_data();
    void writesQuestionMarkForTheRest();
};

void TestTextCodec::everyByteSurvivesReadAndWrite() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = TextCodec::fromCp1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(TextCodec::toCp1252(text), all);
}

void TestTextCodec::decodesTheHighRange_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("undefined 81") << 0x81 << 0x0081;
    QTest::newRow("low quote") << 0x82 << 0x201A;
    QTest::newRow("S caron") << 0x8A << 0x0160;
    QTest::newRow("undefined 8D") << 0x8D << 0x008D;
    QTest::newRow("undefined 8F") << 0x8F << 0x008F;
    QTest::newRow("undefined 90") << 0x90 << 0x0090;
    QTest::newRow("right quote") << 0x92 << 0x2019;
    QTest::newRow("em dash") << 0x97 << 0x2014;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("undefined 9D") << 0x9D << 0x009D;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("no-break space") << 0xA0 << 0x00A0;
    QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
}

void TestTextCodec::decodesTheHighRange() {
    QFETCH(int, byte);
    QFETCH(int, unicode);
    const QString text = TextCodec::fromCp1252(QByteArray(1, static_cast<char>(byte)));
    QCOMPARE(text, QString(QChar(unicode)));
}

void TestTextCodec::writesQuestionMarkForTheRest_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Cyrillic") << QStringLiteral(u"aжb") << QByteArray("a?b");
    QTest::newRow("C1 control that 1252 replaces") << QStringLiteral(u"\u0080\u009F") << QByteArray("??");
    QTest::newRow("outside the basic plane is one character")
        << QStringLiteral(u"x\U0001F600y") << QByteArray("x?y");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + u'z' << QByteArray("?z");
}

void TestTextCodec::writesQuestionMarkForTheRest() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(TextCodec::toCp1252(text), bytes);
}

QTEST_GUILESS_MAIN(TestTextCodec)
#include "tst_text_codec.moc"
