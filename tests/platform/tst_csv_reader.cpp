#include "platform/csv_reader.h"

#include <QTest>

// Each record as "LINE: field|field" and, when its quoting is broken, " ! what".
class TestCsvReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsRecords_data();
    void readsRecords();
};

void TestCsvReader::readsRecords_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("records");
    QTest::newRow("blanks around fields, every line break")
        << QStringLiteral(" a , b\r\nc,d\re,f\ng,") << QStringList{"1: a|b", "2: c|d", "3: e|f", "4: g|"};
    QTest::newRow("notes and blank lines skipped, lines still counted")
        << QStringLiteral("# note\n\n  \t\na,b\n  # indented note\nc") << QStringList{"4: a|b", "6: c"};
    QTest::newRow("quoted comma, doubled quote, line break")
        << QStringLiteral("\"x, \"\"y\"\"\",\"1\r\n2\"\nz") << QStringList{"1: x, \"y\"|1\n2", "3: z"};
    QTest::newRow("quote never closed")
        << QStringLiteral("a,\"b\nc")
        << QStringList{"1: a|b\nc ! the quote that opens field 2 is never closed"};
    QTest::newRow("text after the closing quote")
        << QStringLiteral("\"a\"b,c")
        << QStringList{"1: ab|c ! text after the closing quote of field 1 (a quote inside a quoted field is "
                       "written twice)"};
    QTest::newRow("quote inside an unquoted field")
        << QStringLiteral("a,b\"c")
        << QStringList{"1: a|b\"c ! a quote inside field 2, which does not start with one (put the field in "
                       "quotes and write the quote twice)"};
}

void TestCsvReader::readsRecords() {
    QFETCH(QString, text);
    QFETCH(QStringList, records);
    CsvReader reader(text);
    QStringList read;
    while (reader.skipToRecord()) {
        const CsvRecord record = reader.next();
        read << QStringLiteral("%1: %2").arg(QString::number(record.line), record.fields.join(u'|')) +
                    (record.error.isEmpty() ? QString() : QStringLiteral(" ! ") + record.error);
    }
    QCOMPARE(read, records);
}

QTEST_GUILESS_MAIN(TestCsvReader)
#include "tst_csv_reader.moc"
