#include "rules/host_list.h"
#include "rules/host_queue.h"
#include "rules/show_steps.h"
#include "settings/build_settings.h"

#include <QStringEncoder>
#include <QTest>

// Host lists as people write them: every kind of mistake reported at its line, the CSV forms that
// editors and spreadsheets save, and what the address pages make of a host.
class TstHostList : public QObject {
    Q_OBJECT

    static const QByteArray& good() {
        static const QByteArray csv = "name,address,mask,mac\n"
                                      "LAB1,10.0.0.1,255.255.255.0,00:1a:2b:3c:4d:01\n";
        return csv;
    }

private Q_SLOTS:
    void problems_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<bool>("computerNames");
        QTest::addColumn<QStringList>("expected");
        const QString header = "lab.csv:1: ";

        QTest::newRow("good") << good() << true << QStringList();
        QTest::newRow("any column order, any case, no mask or mac")
            << QByteArray("Address , NAME\n10.0.0.1,LAB1\n") << true << QStringList();
        QTest::newRow("comments, blank lines, CR LF")
            << QByteArray("# lab 2\r\n\r\nname,address\r\n  # moved\r\n \r\nLAB1,10.0.0.1\r\n") << false
            << QStringList();
        QTest::newRow("empty file") << QByteArray() << false
                                    << QStringList{header +
                                                   "no header row: the first row names the columns, such as "
                                                   "name,address,mask,mac"};
        QTest::newRow("header only") << QByteArray("name,address\n") << false
                                     << QStringList{header + "no hosts below the header"};
        // The rows are not judged without both columns: each would repeat the header's problem.
        QTest::newRow("unknown and missing column")
            << QByteArray("name,adress\nLAB1,10.0.0.1\n") << false
            << QStringList{header + "column \"adress\" is none of name, address, mask, mac",
                           header + "the header names no column \"address\""};
        QTest::newRow("column twice") << QByteArray("name,address,Name\nLAB1,10.0.0.1,X\n") << false
                                      << QStringList{header + "column \"name\" is named twice"};
        QTest::newRow("fields and columns differ")
            << QByteArray("name,address\nLAB1,10.0.0.1,extra\n") << false
            << QStringList{"lab.csv:2: 3 fields, but the header names 2 columns"};
        QTest::newRow("quote never closed")
            << QByteArray("name,address\nLAB1,10.0.0.1\n\"LAB2,10.0.0.2\nLAB3,10.0.0.3\n") << false
            << QStringList{"lab.csv:3: the quote that opens field 1 is never closed"};
        QTest::newRow("text after the closing quote")
            << QByteArray("name,address\n\"LAB\"1,10.0.0.1\n") << false
            << QStringList{"lab.csv:2: text after the closing quote of field 1 (a quote inside a quoted "
                           "field is written twice)"};
        QTest::newRow("quote inside an unquoted field")
            << QByteArray("name,address\nLA\"B1,10.0.0.1\n") << false
            << QStringList{"lab.csv:2: a quote inside field 1, which does not start with one (put the field "
                           "in quotes and write the quote twice)"};
        QTest::newRow("a quoted line break counts as a line")
            << QByteArray("name,address\n\"LAB\n1\",10.0.0.1\nLAB2,10.0.0.999\n") << false
            << QStringList{"lab.csv:2: name \"LAB\\x0A1\" holds the control character U+000A",
                           "lab.csv:4: address 10.0.0.999 has a group above 255 (999)"};
        QTest::newRow("control characters written as \\xNN")
            << QByteArray("name,address,mac,\x1b[2J\nLAB\x1b[2J1,10.0.0.\x01,00:1a\x07,x\n") << true
            << QStringList{
                   header + "column \"\\x1B[2J\" is none of name, address, mask, mac",
                   "lab.csv:2: name \"LAB\\x1B[2J1\" holds the control character U+001B",
                   "lab.csv:2: address \"10.0.0.\\x01\" is no dotted address such as 10.0.0.5",
                   "lab.csv:2: MAC \"00:1a\\x07\" is not six hex pairs between \":\" or \"-\", such as "
                   "00:1a:2b:3c:4d:5e"};
        QTest::newRow("a name holding %2 given twice")
            << QByteArray("name,address\nA%2,10.0.0.1\na%2,10.0.0.2\n") << true
            << QStringList{"lab.csv:3: name a%2 is also on line 2"};
        QTest::newRow("no name") << QByteArray("name,address\n ,10.0.0.1\n") << false
                                 << QStringList{"lab.csv:2: no name"};
        QTest::newRow("the page's placeholder")
            << QByteArray("name,address\nNot Specified,10.0.0.1\n") << false
            << QStringList{"lab.csv:2: name \"Not Specified\" is what the page shows when no name is given"};
        QTest::newRow("slash") << QByteArray("name,address\nlab/1,10.0.0.1\n") << false
                               << QStringList{"lab.csv:2: name \"lab/1\" holds \"/\": {name} puts it into a "
                                              "file's name"};
        QTest::newRow("names that are folders or options")
            << QByteArray("name,address\n.,10.0.0.1\n..,10.0.0.2\n-rf,10.0.0.3\n...,10.0.0.4\n") << true
            << QStringList{"lab.csv:2: name \".\" is no file's name: {name} would make it a folder",
                           "lab.csv:3: name \"..\" is no file's name: {name} would make it a folder",
                           "lab.csv:4: name \"-rf\" starts with \"-\", which programs take for an option"};
        QTest::newRow("client name in capitals outside Windows-1252")
            << QByteArray("name,address\n\xc2\xb5PC,10.0.0.1\n") << false
            << QStringList{QString::fromUtf8("lab.csv:2: name \"\xc2\xb5PC\" holds \"\xce\x9c\" (U+039C) in "
                                             "capitals, which WATTCP.CFG (Windows-1252) cannot hold")};
        QTest::newRow("a blank is a client name's, not a computer name's")
            << QByteArray("name,address\nLAB 1,10.0.0.1\n") << false << QStringList();
        QTest::newRow("computer name with a blank")
            << QByteArray("name,address\nLAB 1,10.0.0.1\n") << true
            << QStringList{
                   "lab.csv:2: name \"LAB 1\" holds \" \" (U+0020), which a computer name cannot hold "
                   "(letters, digits and !@#$%^&()-_'{}.~ only)"};
        QTest::newRow("computer name too long")
            << QByteArray("name,address\nLAB-FLOOR2-PC-001,10.0.0.1\n") << true
            << QStringList{"lab.csv:2: name \"LAB-FLOOR2-PC-001\" has 17 characters; a computer name has at "
                           "most 15"};
        QTest::newRow("no address") << QByteArray("name,address\nLAB1,\n") << false
                                    << QStringList{"lab.csv:2: no address"};
        QTest::newRow("address of three groups")
            << QByteArray("name,address\nLAB1,10.0.1\n") << false
            << QStringList{"lab.csv:2: address \"10.0.1\" is no dotted address such as 10.0.0.5"};
        QTest::newRow("group above 255") << QByteArray("name,address\nLAB1,10.0.256.1\n") << false
                                         << QStringList{"lab.csv:2: address 10.0.256.1 has a group above 255 "
                                                        "(256)"};
        QTest::newRow("address 0.0.0.0")
            << QByteArray("name,address\nLAB1,000.0.0.0\n") << false
            << QStringList{"lab.csv:2: address 000.0.0.0 is no client's address"};
        QTest::newRow("mask left out, mask above 255")
            << QByteArray("name,address,mask\nLAB1,10.0.0.1,\nLAB2,10.0.0.2,255.255.255.300\n") << false
            << QStringList{"lab.csv:2: no mask (a list with a mask column gives every row one)",
                           "lab.csv:3: mask 255.255.255.300 has a group above 255 (300)"};
        QTest::newRow("addresses, masks and MACs that are no client's")
            << QByteArray("name,address,mask,mac\nA,255.255.255.255,255.0.255.0,ff:FF:ff:ff:ff:ff\n"
                          "B,224.0.0.1,10.0.0.2,00-00-00-00-00-00\nC,239.255.255.255,255.255.255.254,\n"
                          "D,223.255.255.255,255.255.255.255,00:00:00:00:00:01\n")
            << false
            << QStringList{"lab.csv:2: address 255.255.255.255 is the broadcast address, no client's",
                           "lab.csv:2: mask 255.0.255.0 is no mask: its ones must come first, in one run, "
                           "such as 255.255.255.0",
                           "lab.csv:2: MAC ff:FF:ff:ff:ff:ff is no card's: it is the broadcast address",
                           "lab.csv:3: address 224.0.0.1 is a multicast group (224.0.0.0 to "
                           "239.255.255.255), no client's",
                           "lab.csv:3: mask 10.0.0.2 is no mask: its ones must come first, in one run, such "
                           "as 255.255.255.0",
                           "lab.csv:3: MAC 00-00-00-00-00-00 is no card's: it is the null address",
                           "lab.csv:4: address 239.255.255.255 is a multicast group (224.0.0.0 to "
                           "239.255.255.255), no client's"};
        // Read as Windows-1252 whole, the UTF-8 line would become "CafÃ©" without a word.
        QTest::newRow("UTF-8 and Windows-1252 lines")
            << QByteArray("# M\xfcller\nname,address\nB,10.0.0.1\nCaf\xc3\xa9,10.0.0.2\n") << false
            << QStringList{"lab.csv:4: this line is UTF-8 and line 1 is Windows-1252: save the list in one "
                           "encoding, UTF-8"};
        QTest::newRow("UTF-16 with half a character")
            << QByteArray("\xff\xfen\0a\0m\0e\0\x00\xdc", 12) << false
            << QStringList{header + "the list starts as UTF-16 but is not UTF-16 throughout"};
        QTest::newRow("UTF-16 without a byte order mark")
            << QByteArray("n\0a\0m\0e\0,\0a\0d\0d\0r\0e\0s\0s\0\n\0", 26) << false
            << QStringList{header + "the list is UTF-16 without a byte order mark: save it as UTF-8, or as "
                                    "UTF-16 with one"};
        QTest::newRow("MAC of five pairs")
            << QByteArray("name,address,mac\nLAB1,10.0.0.1,00:1a:2b:3c:4d\n") << false
            << QStringList{
                   "lab.csv:2: MAC \"00:1a:2b:3c:4d\" is not six hex pairs between \":\" or \"-\", such "
                   "as 00:1a:2b:3c:4d:5e"};
        QTest::newRow("MAC with mixed separators")
            << QByteArray("name,address,mac\nLAB1,10.0.0.1,00:1a-2b:3c:4d:5e\n") << false
            << QStringList{
                   "lab.csv:2: MAC \"00:1a-2b:3c:4d:5e\" is not six hex pairs between \":\" or \"-\", "
                   "such as 00:1a:2b:3c:4d:5e"};
        QTest::newRow("the same name, address and MAC written otherwise")
            << QByteArray("name,address,mac\n"
                          "LAB1,10.0.0.1,00:1A:2B:3C:4D:5E\n"
                          "LAB2,10.0.0.2,\n"
                          "lab1,010.000.000.002,00-1a-2b-3c-4d-5e\n")
            << false
            << QStringList{"lab.csv:4: name lab1 is also on line 2",
                           "lab.csv:4: address 010.000.000.002 is also on line 3",
                           "lab.csv:4: MAC 00-1a-2b-3c-4d-5e is also on line 2"};
        QTest::newRow("every problem of every row, in line order")
            << QByteArray("name,address\nLAB1,10.0.0.1\n,10.0.0.300\nLAB3,10.0.0.1\n") << false
            << QStringList{"lab.csv:3: no name", "lab.csv:3: address 10.0.0.300 has a group above 255 (300)",
                           "lab.csv:4: address 10.0.0.1 is also on line 2"};
    }

    void problems() {
        QFETCH(QByteArray, csv);
        QFETCH(bool, computerNames);
        QFETCH(QStringList, expected);
        const HostList list = HostList::parse(csv, QStringLiteral("lab.csv"));
        QCOMPARE(list.report(computerNames ? HostList::Names::ComputerName : HostList::Names::ClientName),
                 expected);
    }

    void values_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("first"); // name, address, mask, mac as read
        QTest::newRow("quoted comma and doubled quote")
            << QByteArray("name,address,mac\n\"Lab, \"\"A\"\"\", 10.0.0.1 ,\"00:1A:2b:3c:4d:5e\"\n")
            << QStringList{"Lab, \"A\"", "10.0.0.1", "", "00:1A:2b:3c:4d:5e"};
        QTest::newRow("UTF-8 with byte order mark")
            << QByteArray("\xef\xbb\xbfname,address\nCaf\xc3\xa9,10.0.0.1\n")
            << QStringList{QString::fromUtf8("Caf\xc3\xa9"), "10.0.0.1", "", ""};
        QTest::newRow("Windows-1252")
            << QByteArray("name,address\nCaf\xe9 \x80,10.0.0.1\n")
            << QStringList{QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac"), "10.0.0.1", "", ""};
        const QString utf16 = QString::fromUtf8("name,address\n\xc3\xa9,1.2.3.4");
        for (const auto order : {QStringEncoder::Utf16LE, QStringEncoder::Utf16BE})
            QTest::newRow(order == QStringEncoder::Utf16LE ? "UTF-16 LE" : "UTF-16 BE")
                << QByteArray(QStringEncoder(order, QStringEncoder::Flag::WriteBom).encode(utf16))
                << QStringList{QString::fromUtf8("\xc3\xa9"), "1.2.3.4", "", ""};
        QTest::newRow("last line without a line break")
            << QByteArray("address,name\r10.0.0.1,LAB1") << QStringList{"LAB1", "10.0.0.1", "", ""};
    }

    void values() {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, first);
        const HostList list = HostList::parse(csv, QStringLiteral("lab.csv"));
        QCOMPARE(list.size(), 1);
        const Host& host = list.hosts().first();
        QCOMPARE((QStringList{host.name, host.address, host.mask, host.mac}), first);
        QCOMPARE(host.line, 2);
    }

    void fieldForms() {
        const Host host{2, "LAB1", "010.000.000.005", "255.255.255.0", "00:1A:2B:3C:4D:5E"};
        // Leading zeros would be read as octal by some DOS stacks: the groups go in as numbers.
        QCOMPARE(host.addressField(), QStringLiteral(" 10.  0.  0.  5"));
        QCOMPARE(host.maskField(), QStringLiteral("255.255.255.  0"));
        QCOMPARE(host.macKey(), QStringLiteral("00-1a-2b-3c-4d-5e"));
        const Host bad{3, "LAB2", "10.0.0.256", "", "00:1a"};
        QVERIFY(bad.addressField().isNull());
        QVERIFY(bad.maskField().isNull());
        QVERIFY(bad.macKey().isEmpty());
    }

    void queueGivesEachHostOnceItsDisketteIsMade() {
        HostQueue queue;
        QVERIFY(!queue.current());
        QCOMPARE(queue.line(), QString());
        queue.load(HostList::parse("name,address\nLAB1,10.0.0.1\nLAB2,10.0.0.2\n", "/tmp/lab.csv"));
        QCOMPARE(queue.line(), QStringLiteral("Host 1 of 2: LAB1"));
        // Shown again without a build (Back, then Next): the same host, not put in again until
        // loaded values replace it.
        queue.taken(PageId::MulticastClient);
        QVERIFY(!queue.due(PageId::MulticastClient));
        QCOMPARE(queue.current()->name, QStringLiteral("LAB1"));
        queue.valuesReplaced();
        QVERIFY(queue.due(PageId::MulticastClient));
        queue.taken(PageId::MulticastClient);
        // A NetWare diskette built meanwhile is not LAB1's.
        queue.built(BuildMode::NetWare);
        queue.built(BuildMode::Microsoft);
        QCOMPARE(queue.current()->name, QStringLiteral("LAB1"));
        queue.built(BuildMode::Multicast);
        QCOMPARE(queue.line(), QStringLiteral("Host 2 of 2: LAB2"));
        // A build that no page took a host for uses none.
        queue.built(BuildMode::Multicast);
        QCOMPARE(queue.position(), 2);
        queue.advance();
        QVERIFY(!queue.current());
        QCOMPARE(queue.line(), QStringLiteral("Every host of lab.csv has its diskette (2 of 2)."));
        queue.close();
        QVERIFY(!queue.active());
        QCOMPARE(queue.line(), QString());
    }

    // The host line names what the fields hold where it differs from the host; the field's form of
    // an address (blanks, leading zeros) is no difference, nor a mask the host leaves to the page.
    void lineNamesChanges_data() {
        QTest::addColumn<bool>("maskListed");
        QTest::addColumn<QString>("fields"); // name|address|mask
        QTest::addColumn<QString>("changes");
        QTest::newRow("leading zeros") << true << "LAB1|010.000.002.011|255.255.255.000"
                                       << "";
        QTest::newRow("name emptied, address")
            << true << "| 10.  0.  2. 99|255.255.255.  0"
            << " (changed for this diskette: name (empty), address 10.0.2.99)";
        QTest::newRow("mask") << true << "LAB1| 10.  0.  2. 11|255.255.  0.  0"
                              << " (changed for this diskette: mask 255.255.0.0)";
        QTest::newRow("no mask listed") << false << "LAB1| 10.  0.  2. 11|255.255.  0.  0"
                                        << "";
    }
    void lineNamesChanges() {
        QFETCH(bool, maskListed);
        QFETCH(QString, fields);
        HostQueue queue;
        queue.load(HostList::parse(maskListed ? "name,address,mask\nLAB1,10.0.2.11,255.255.255.0\n"
                                              : "name,address\nLAB1,10.0.2.11\n",
                                   "/tmp/lab.csv"));
        const AddressPage& page = AddressPages::MulticastClient;
        const QStringList values = fields.split(u'|');
        BuildSettings shown;
        shown.setText(page.nameField, values[0]);
        shown.setText(page.addressField, values[1]);
        shown.setText(page.maskField, values[2]);
        QFETCH(QString, changes);
        QCOMPARE(queue.line(shown, page), QStringLiteral("Host 1 of 1: LAB1") + changes);
    }

    void takeHost_data() {
        QTest::addColumn<bool>("microsoft");
        QTest::addColumn<bool>("dhcpBefore");
        QTest::addColumn<QString>("mask"); // the host's
        QTest::addColumn<QString>("expectedMask");
        QTest::newRow("multicast, mask given") << false << false << "255.255.0.0"
                                               << "255.255.  0.  0";
        QTest::newRow("multicast, DHCP left, page's mask kept") << false << true << ""
                                                                << "255.255.255.  0";
        QTest::newRow("microsoft, DHCP left") << true << true << "255.255.255.128"
                                              << "255.255.255.128";
        QTest::newRow("microsoft, page's mask kept") << true << false << ""
                                                     << "255.255.255.  0";
    }

    void takeHost() {
        QFETCH(bool, microsoft);
        QFETCH(bool, dhcpBefore);
        QFETCH(QString, mask);
        QFETCH(QString, expectedMask);
        const AddressPage& page =
            microsoft ? AddressPages::MicrosoftStandalone : AddressPages::MulticastClient;
        BuildSettings s;
        RememberedAddress kept;
        s.setText(page.maskField, "255.255.255.  0");
        s.setChecked(page.incrementSwitch, !dhcpBefore);
        s.setChecked(page.nameSwitch, true);
        if (dhcpBefore) {
            s.setChecked(page.dhcpSwitch, true);
            ShowSteps::dhcpCheck(s, page, kept);
            QCOMPARE(s.text(page.addressField), QStringLiteral("DHCP"));
        }
        ShowSteps::takeHost(s, page, kept, Host{7, "LAB7", "10.1.2.7", mask, ""});
        QCOMPARE(s.text(page.addressField), QStringLiteral(" 10.  1.  2.  7"));
        QCOMPARE(s.text(page.maskField), expectedMask);
        QCOMPARE(s.text(page.nameField), QStringLiteral("LAB7"));
        QVERIFY(!s.isChecked(page.dhcpSwitch));
        // The increments are the list's to replace, not to switch off: closing the list brings them
        // back.
        QCOMPARE(s.isChecked(page.incrementSwitch), !dhcpBefore);
        QVERIFY(s.isChecked(page.nameSwitch));
        // DHCP switched on and off again comes back to the host's address.
        QCOMPARE(kept.address, QStringLiteral(" 10.  1.  2.  7"));
    }
};

QTEST_GUILESS_MAIN(TstHostList)
#include "tst_host_list.moc"
