#include "gui/widgets/address_edit.h"

#include <QtTest>

namespace {

// While the mask is on, the text is the 15-character form: dots at 4, 8 and 12, digits or blanks
// elsewhere.
bool isFifteenCharacterForm(const QString& text) {
    if (text.size() != 15)
        return false;
    for (int i = 0; i < 15; ++i) {
        const bool dot = i == 3 || i == 7 || i == 11;
        if (dot != (text[i] == QLatin1Char('.')))
            return false;
        if (!dot && text[i] != QLatin1Char(' ') && !text[i].isDigit())
            return false;
    }
    return true;
}

} // namespace

class TestAddressEditWidget : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithDefaultAddress();
    void typing_data();
    void typing();
    void wordAndAddressRoundTrip_data();
    void wordAndAddressRoundTrip();
    void setValue_data();
    void setValue();
};

void TestAddressEditWidget::startsWithDefaultAddress() {
    AddressEdit edit;
    QVERIFY(edit.isMasked());
    QCOMPARE(edit.value(), QStringLiteral("  0.  0.  0.  0"));
}

void TestAddressEditWidget::typing_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("cursor"); // -1: the whole field selected
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("key"); // one more key after the text, 0 for none
    QTest::addColumn<QString>("expected");
    const QString zero = QStringLiteral("  0.  0.  0.  0");
    const QString blank = QStringLiteral("   .   .   .   ");
    QTest::newRow("over the default") << zero << 0 << "192" << 0 << "192.  0.  0.  0";
    // A dot moves on to the next group; each digit stays where it was typed.
    QTest::newRow("dotted, groups left-filled") << blank << 0 << "192.168.1.5" << 0 << "192.168.1  .5  ";
    QTest::newRow("selected, dotted") << zero << -1 << "10.1.2.3" << 0 << "10 .1  .2  .3  ";
    QTest::newRow("twelve digits skip the dots") << zero << -1 << "192168001005" << 0 << "192.168.001.005";
    QTest::newRow("too many digits") << blank << -1 << "1234567890123456" << 0 << "123.456.789.012";
    QTest::newRow("into the last group") << zero << 13 << "5" << 0 << "  0.  0.  0. 50";
    QTest::newRow("letters refused") << zero << 0 << "ab-x" << 0 << zero;
    QTest::newRow("backspace leaves a blank")
        << QStringLiteral(" 10.  0.  0.  5") << 15 << "" << int(Qt::Key_Backspace) << " 10.  0.  0.   ";
    QTest::newRow("delete all") << QStringLiteral(" 10.  0.  0.  5") << -1 << "" << int(Qt::Key_Delete)
                                << blank;
    QTest::newRow("nothing after the end") << zero << 15 << "7" << 0 << zero;
}

void TestAddressEditWidget::typing() {
    QFETCH(QString, start);
    QFETCH(int, cursor);
    QFETCH(QString, keys);
    QFETCH(int, key);
    QFETCH(QString, expected);
    AddressEdit edit;
    edit.setAddress(start);
    if (cursor < 0)
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    else
        edit.setCursorPosition(cursor);
    QTest::keyClicks(&edit, keys);
    if (key != 0)
        QTest::keyClick(&edit, Qt::Key(key));
    QCOMPARE(edit.value(), expected);
    QVERIFY(isFifteenCharacterForm(edit.value()));
}

void TestAddressEditWidget::wordAndAddressRoundTrip_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("address");
    QTest::newRow("DHCP, default") << "DHCP"
                                   << "  0.  0.  0.  0";
    QTest::newRow("BOOTP, blank") << "BOOTP"
                                  << "   .   .   .   ";
    QTest::newRow("DHCP, typed layout") << "DHCP"
                                        << "1  .2  .10 .5  ";
    QTest::newRow("DHCP, nines") << "DHCP"
                                 << "999.999.999.999";
}

void TestAddressEditWidget::wordAndAddressRoundTrip() {
    QFETCH(QString, word);
    QFETCH(QString, address);
    AddressEdit edit;
    edit.setAddress(address);
    QCOMPARE(edit.value(), address);
    edit.setWord(word);
    QVERIFY(!edit.isMasked());
    QCOMPARE(edit.value(), word);
    edit.setAddress(address);
    QVERIFY(edit.isMasked());
    QCOMPARE(edit.value(), address);
    // The mask is really back: typing places digits again.
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, QStringLiteral("7x"));
    QCOMPARE(edit.value(), QStringLiteral("7") + address.mid(1));
}

void TestAddressEditWidget::setValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("masked");
    QTest::newRow("masked form") << " 10.  0.  0.  5"
                                 << " 10.  0.  0.  5" << true;
    QTest::newRow("empty is the blank field") << ""
                                              << "   .   .   .   " << true;
    QTest::newRow("plain address") << "10.0.0.5"
                                   << " 10.  0.  0.  5" << true;
    QTest::newRow("plain, full groups") << "192.168.100.254"
                                        << "192.168.100.254" << true;
    QTest::newRow("word") << "DHCP"
                          << "DHCP" << false;
    QTest::newRow("five groups is no address") << "1.2.3.4.5"
                                               << "1.2.3.4.5" << false;
}

void TestAddressEditWidget::setValue() {
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(bool, masked);
    AddressEdit edit;
    edit.setWord(QStringLiteral("BOOTP"));
    edit.setValue(text);
    QCOMPARE(edit.value(), value);
    QCOMPARE(edit.isMasked(), masked);
}

QTEST_MAIN(TestAddressEditWidget)
#include "tst_address_edit.moc"
