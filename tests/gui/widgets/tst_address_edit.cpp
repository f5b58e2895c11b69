#include "gui/widgets/address_edit.h"

#include <QClipboard>
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
    void keyboardFocusSelectsTheField();
    void pasteFillsTheField();
    void doubleClickSelectsTheAddress();
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
    // Typed as people type an address: a dot or a third digit moves on, groups stand right-aligned.
    QTest::newRow("home, then an address") << zero << 0 << "192.168.1.20" << 0 << "192.168.  1. 20";
    QTest::newRow("into the blank field") << blank << 0 << "10.1.2.3" << 0 << " 10.  1.  2.  3";
    QTest::newRow("selected, dotted") << zero << -1 << "10.1.2.3" << 0 << " 10.  1.  2.  3";
    QTest::newRow("twelve digits skip the dots") << zero << -1 << "192168001005" << 0 << "192.168.001.005";
    QTest::newRow("too many digits") << blank << -1 << "1234567890123456" << 0 << "123.456.789.012";
    QTest::newRow("over a typed address")
        << QStringLiteral("192.168.  1. 20") << -1 << "10.0.0.7" << 0 << " 10.  0.  0.  7";
    QTest::newRow("a dot after three digits moves once")
        << blank << 0 << "255.255.0.0" << 0 << "255.255.  0.  0";
    QTest::newRow("into the last group") << zero << 13 << "5" << 0 << "  0.  0.  0.  5";
    QTest::newRow("at the end") << zero << 15 << "7" << 0 << "  0.  0.  0.  7";
    QTest::newRow("typing from a group's start retypes it")
        << QStringLiteral("  0. 92.  0.  0") << 5 << "1" << 0 << "  0.  1.  0.  0";
    QTest::newRow("home over a full address")
        << QStringLiteral("255.  0.  0.  0") << 0 << "255255255" << 0 << "255.255.255.  0";
    QTest::newRow("a digit after others")
        << QStringLiteral("  0.  0.  0.  9") << 15 << "2" << 0 << "  0.  0.  0. 92";
    QTest::newRow("leading zeros typed stay") << blank << 0 << "001" << 0 << "001.   .   .   ";
    QTest::newRow("letters refused") << zero << 0 << "ab-x" << 0 << zero;
    QTest::newRow("backspace") << QStringLiteral(" 10.  0.  0. 25") << 15 << "" << int(Qt::Key_Backspace)
                               << " 10.  0.  0.  2";
    QTest::newRow("backspace over a dot")
        << QStringLiteral(" 10.  0.  0. 25") << 12 << "" << int(Qt::Key_Backspace) << " 10.  0.   . 25";
    QTest::newRow("delete") << QStringLiteral(" 10.  0.  0.125") << 12 << "" << int(Qt::Key_Delete)
                            << " 10.  0.  0. 25";
    QTest::newRow("delete all") << QStringLiteral(" 10.  0.  0.  5") << -1 << "" << int(Qt::Key_Delete)
                                << blank;
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
    // The mask is really back: typing places digits again, letters are refused.
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("7x"));
    QCOMPARE(edit.value(), QStringLiteral("  7.   .   .   "));
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

void TestAddressEditWidget::keyboardFocusSelectsTheField() {
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* edit = new AddressEdit(&window);
    edit->setAddress(QStringLiteral("192.168.  1. 20"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), edit->displayText());
    QTest::keyClicks(edit, QStringLiteral("10.0.0.1"));
    QCOMPARE(edit->value(), QStringLiteral(" 10.  0.  0.  1"));
}

// Qt's word would be one group: typing an address over "168" gave 192.10.1.25.
void TestAddressEditWidget::doubleClickSelectsTheAddress() {
    struct Field : AddressEdit {
        using AddressEdit::cursorRect; // where a character stands, to click on it
    } edit;
    edit.setAddress(QStringLiteral("192.168.  1. 20"));
    edit.QWidget::show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.setCursorPosition(5); // in 168
    QTest::mouseDClick(edit.windowHandle(), Qt::LeftButton, {}, edit.cursorRect().center());
    QTest::keyClicks(&edit, QStringLiteral("10.1.2.25"));
    QCOMPARE(edit.value(), QStringLiteral(" 10.  1.  2. 25"));
}

void TestAddressEditWidget::pasteFillsTheField() {
    AddressEdit edit;
    QGuiApplication::clipboard()->setText(QStringLiteral(" 10.1.2.3\n"));
    edit.setCursorPosition(6);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.value(), QStringLiteral(" 10.  1.  2.  3"));
    // Not an address: the field keeps what it had.
    QGuiApplication::clipboard()->setText(QStringLiteral("ten"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.value(), QStringLiteral(" 10.  1.  2.  3"));
}

QTEST_MAIN(TestAddressEditWidget)
#include "tst_address_edit.moc"
