#include "settings/build_settings.h"
#include "settings/settings_table.h"
#include "settings_error_text.h"

#include <QHash>
#include <QSet>
#include <QTest>

namespace {

struct KeyRow {
    const char* key;
    const char* name; // nullptr for paramh, which is BuildMode
    const char* loadDefault;
};

// The saved-configuration keys as a save writes them, with the page value and the value a load
// takes when the key is missing.
const KeyRow kKeyTable[] = {
    {"desc", "TForm13.Edit1", ""},
    {"parama", "TForm11.Edit1", ""},
    {"paramb", "TForm4.Edit1", ""},
    {"paramc", "TForm4.Edit2", ""},
    {"paramo", "TForm4.Edit3", ""},
    {"paramd", "TForm6.Edit1", ""},
    {"parame", "TForm6.Edit2", ""},
    {"paramf", "TForm6.Edit3", ""},
    {"paramaa", "TForm6.Edit4", "CLIENT"},
    {"paramx", "TForm6.CheckBox3", "0"},
    {"paramy", "TForm6.CheckBox1", "0"},
    {"paramz", "TForm6.CheckBox2", "0"},
    {"paramh", nullptr, ""},
    {"parami", "TForm9.ComboBox1", "0"},
    {"paramr", "TForm21.ComboBox2", "0"},
    {"params", "TForm21.Edit1", ""},
    {"paramt", "TForm21.RadioButton1", "1"},
    {"paramu", "TForm21.RadioButton2", "0"},
    {"paramab", "TForm21.RadioButton3", "1"},
    {"paramac", "TForm21.RadioButton4", "0"},
    {"paramad", "TForm21.ComboBox1", "0"},
    {"paramae", "TForm21.ComboBox3", "0"},
    {"paramaf", "TForm21.Edit2", "\\\\IMAGESRV\\Sys\\Images"},
    {"paramj", "TForm7.RadioButton1", "1"},
    {"paramp", "TForm7.RadioButton2", "0"},
    {"paramk", "TForm7.ComboBox1", "0"},
    {"paraml", "TForm7.ComboBox2", ""},
    {"paramm", "TForm2.RadioButton1", "1"},
    {"paramn", "TForm2.CheckBox1", "1"},
    {"paramv", "TForm2.RadioButton3", "1"},
    {"paramw", "TForm2.RadioButton4", "1"},
    {"paramba", "TForm99.RadioButton2", "1"},
    {"parambb", "TForm99.RadioButton1", "0"},
    {"parambc", "TForm99.RadioButton12", "0"},
    {"parambd", "TForm99.RadioButton14", "0"},
    {"parambe", "TForm99.RadioButton9", "0"},
    {"parambf", "TForm99.RadioButton11", "0"},
    {"parambg", "TForm99.RadioButton10", "0"},
    {"parambh", "TForm99.RadioButton7", "0"},
    {"parambi", "TForm99.RadioButton8", "0"},
    {"parambj", "TForm99.RadioButton20", "0"},
    {"parambk", "TForm99.RadioButton17", "0"},
    {"parambl", "TForm99.RadioButton18", "0"},
    {"parambm", "TForm99.RadioButton19", "0"},
    {"parambn", "TForm99.RadioButton5", "0"},
    {"parambo", "TForm99.RadioButton6", "0"},
    {"parambp", "TForm99.RadioButton3", "0"},
    {"parambq", "TForm99.RadioButton4", "0"},
    {"parambr", "TForm99.RadioButton21", "0"},
    {"parambs", "TForm99.RadioButton13", "0"},
    {"parambt", "TForm99.RadioButton15", "0"},
    {"parambu", "TForm99.RadioButton16", "0"},
    {"parambv", "TForm99.CheckBox6", "0"},
    {"parambw", "TForm99.Edit6", ""},
    {"parambx", "TForm99.Edit5", ""},
    {"paramby", "TForm99.Edit3", ""},
    {"parambz", "TForm99.Edit2", ""},
    {"paramca", "TForm99.Edit1", ""},
};

} // namespace

class TestBuildSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveKeysFollowTheKeyTable() {
        QStringList expected;
        for (const KeyRow& r : kKeyTable)
            expected << QString::fromLatin1(r.key);
        QCOMPARE(SettingsTable::saveKeys(), expected);

        // Keyed values come first, in key order; every value after them is unsaved.
        expected.removeOne(QStringLiteral("paramh"));
        const QVector<ValueSpec>& t = SettingsTable::values();
        QVERIFY(t.size() > expected.size());
        for (qsizetype i = 0; i < t.size(); ++i)
            QCOMPARE(t[i].key, i < expected.size() ? expected[i] : QString());
    }

    void keyTableRow_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("loadDefault");
        for (const KeyRow& r : kKeyTable) {
            if (r.name)
                QTest::newRow(r.key) << r.key << r.name << QString::fromLatin1(r.loadDefault);
        }
    }
    void keyTableRow() {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QString, loadDefault);
        const ValueSpec* s = SettingsTable::find(name);
        QVERIFY(s);
        QCOMPARE(s->key, key);
        QCOMPARE(s->loadDefault, loadDefault);
    }

    void namesAreUniqueAndUnsavedValuesAreKnown() {
        QSet<QString> names;
        QSet<QString> unsaved;
        for (const ValueSpec& s : SettingsTable::values()) {
            QVERIFY2(!names.contains(s.name), qPrintable(s.name));
            names.insert(s.name);
            QCOMPARE(SettingsTable::find(s.name), &s);
            if (s.key.isEmpty())
                unsaved.insert(s.name);
        }
        const QSet<QString> expected{
            "TForm40.Edit1",         "TForm40.RadioButton13", "TForm40.RadioButton16",
            "TForm40.RadioButton21", "TForm40.Edit2",         "TForm40.ComboBox3",
            "TForm40.Edit4",         "TForm40.Edit3",         "TForm40.RadioButton17",
            "TForm40.RadioButton20", "TForm40.RadioButton9",  "TForm40.RadioButton11",
            "TForm40.Edit5",         "TForm40.Edit6",         "TForm99.Edit4",
            "TForm2.RadioButton2"};
        QCOMPARE(unsaved, expected);
        QVERIFY(!SettingsTable::find("tform6.edit1"));
        QVERIFY(!SettingsTable::find("BuildMode"));
    }

    void startupDefault_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("client path") << "TForm11.Edit1"
                                     << "";
        QTest::newRow("NOS") << "TForm9.ComboBox1"
                             << "0";
        QTest::newRow("login drive F:") << "TForm21.ComboBox2"
                                        << "5";
        QTest::newRow("login name") << "TForm21.Edit1"
                                    << "PELLA";
        QTest::newRow("map drive I:") << "TForm21.ComboBox3"
                                      << "8";
        QTest::newRow("image path") << "TForm21.Edit2"
                                    << "\\\\IMAGESRV\\Sys\\Images";
        QTest::newRow("frame type") << "TForm21.ComboBox1"
                                    << "0";
        QTest::newRow("MS address") << "TForm40.Edit1"
                                    << "  0.  0.  0.  0";
        QTest::newRow("MS mask") << "TForm40.Edit2"
                                 << "255.  0.  0.  0";
        QTest::newRow("MS share drive") << "TForm40.ComboBox3"
                                        << "8";
        QTest::newRow("MS share") << "TForm40.Edit4"
                                  << "\\\\IMAGESRV\\D";
        QTest::newRow("MS use as entered") << "TForm40.RadioButton21"
                                           << "1";
        QTest::newRow("NIC driver") << "TForm4.Edit2"
                                    << "NIC Driver Name";
        QTest::newRow("NIC entry") << "TForm4.Edit3"
                                   << "";
        QTest::newRow("plug and play") << "TForm7.RadioButton1"
                                       << "1";
        QTest::newRow("IRQ") << "TForm7.ComboBox1"
                             << "5";
        QTest::newRow("I/O base") << "TForm7.ComboBox2"
                                  << "300";
        QTest::newRow("client address") << "TForm6.Edit1"
                                        << "  0.  0.  0.  0";
        QTest::newRow("client mask blank") << "TForm6.Edit2"
                                           << "   .   .   .   ";
        QTest::newRow("client name") << "TForm6.Edit3"
                                     << "Not Specified";
        QTest::newRow("client name copy") << "TForm6.Edit4"
                                          << "CLIENT";
        QTest::newRow("auto assign") << "TForm6.CheckBox1"
                                     << "1";
        QTest::newRow("auto increment") << "TForm6.CheckBox2"
                                        << "0";
        QTest::newRow("post-configure off") << "TForm99.RadioButton2"
                                            << "1";
        QTest::newRow("post mask blank") << "TForm99.Edit2"
                                         << "   .   .   .   ";
        QTest::newRow("post address") << "TForm99.Edit1"
                                      << "  0.  0.  0.  0";
        QTest::newRow("post login name") << "TForm99.Edit6"
                                         << "Same as Image";
        QTest::newRow("post name copy") << "TForm99.Edit4"
                                        << "CLIENT";
        QTest::newRow("drive A:") << "TForm2.RadioButton1"
                                  << "1";
        QTest::newRow("quick format") << "TForm2.CheckBox1"
                                      << "0";
        QTest::newRow("description") << "TForm13.Edit1"
                                     << "";
    }
    void startupDefault() {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(SettingsTable::find(name)->defaultValue, expected);
        QCOMPARE(BuildSettings().value(name), expected);
    }

    void snapshotStartsAtTheTableDefaults() {
        const BuildSettings s;
        QCOMPARE(s.buildMode(), BuildMode::Multicast);
        QCOMPARE(s.value("BuildMode"), QStringLiteral("1"));
        for (const ValueSpec& v : SettingsTable::values())
            QCOMPARE(s.value(v.name), v.defaultValue);
    }

    void radioGroupsStartWithOneButtonSelected() {
        QHash<QString, int> selected;
        for (const ValueSpec& v : SettingsTable::values()) {
            QCOMPARE(v.kind == ValueKind::Radio, !v.group.isEmpty());
            if (v.kind == ValueKind::Radio)
                selected[v.group] += v.defaultValue == QLatin1String("1");
        }
        // The post-configuration page's address and name choices start with nothing selected.
        const QSet<QString> noneSelected{"TForm99.RadioButton21", "TForm99.RadioButton20"};
        for (auto it = selected.cbegin(); it != selected.cend(); ++it)
            QVERIFY2(it.value() == (noneSelected.contains(it.key()) ? 0 : 1), qPrintable(it.key()));
        QCOMPARE(selected.size(), 16);
    }

    void hiddenValues() {
        QSet<QString> hidden;
        for (const ValueSpec& v : SettingsTable::values()) {
            if (v.hidden)
                hidden.insert(v.name);
        }
        const QSet<QString> expected{"TForm4.Edit2",    "TForm4.Edit3",        "TForm6.Edit4",
                                     "TForm99.Edit4",   "TForm2.RadioButton3", "TForm2.RadioButton4",
                                     "TForm2.CheckBox1"};
        QCOMPARE(hidden, expected);
        QCOMPARE(SettingsTable::find("TForm21.Edit1")->maxLength, 15);
    }

    void items() {
        QCOMPARE(
            SettingsTable::find("TForm9.ComboBox1")->items,
            QStringList({"Novell Netware 3.12 or higher", "Microsoft TCP/IP - Pellacore Client on Server",
                         "Microsoft TCP/IP - Pellacore Client on Floppy", "No Network (local media pull)"}));
        QCOMPARE(SettingsTable::find("TForm21.ComboBox1")->items,
                 QStringList({"Ethernet_802.2", "Ethernet_802.3", "Ethernet_II", "Ethernet_SNAP"}));
        QCOMPARE(SettingsTable::find("TForm7.ComboBox2")->items,
                 QStringList({"220", "240", "260", "300", "320", "340", "360"}));
        const QStringList irqs = SettingsTable::find("TForm7.ComboBox1")->items;
        QCOMPARE(irqs.size(), 16);
        QCOMPARE(irqs.first(), QStringLiteral("0"));
        QCOMPARE(irqs.last(), QStringLiteral("15"));
        for (const char* drive : {"TForm21.ComboBox2", "TForm21.ComboBox3", "TForm40.ComboBox3"}) {
            const QStringList letters = SettingsTable::find(drive)->items;
            QCOMPARE(letters.size(), 26);
            QCOMPARE(letters.first(), QStringLiteral("A:"));
            QCOMPARE(letters.last(), QStringLiteral("Z:"));
        }
        const BuildSettings s;
        QCOMPARE(s.itemText("TForm21.ComboBox2"), QStringLiteral("F:"));
        QCOMPARE(s.itemText("TForm21.ComboBox3"), QStringLiteral("I:"));
        QCOMPARE(s.itemText("TForm9.ComboBox1"), QStringLiteral("Novell Netware 3.12 or higher"));
        BuildSettings none;
        none.setIndex("TForm9.ComboBox1", -1);
        QCOMPARE(none.itemText("TForm9.ComboBox1"), QString());
    }

    void selectingARadioClearsOnlyItsGroup() {
        BuildSettings s;
        s.setChecked("TForm99.RadioButton13", true);
        QVERIFY(s.isChecked("TForm99.RadioButton13"));
        // Same control name on another page: a different group.
        QVERIFY(!s.isChecked("TForm40.RadioButton13"));
        QVERIFY(s.isChecked("TForm40.RadioButton21"));

        s.setValue("TForm99.RadioButton16", "1");
        QVERIFY(s.isChecked("TForm99.RadioButton16"));
        QVERIFY(!s.isChecked("TForm99.RadioButton13"));
        QVERIFY(!s.isChecked("TForm99.RadioButton21"));
        QVERIFY(!s.isChecked("TForm99.RadioButton15"));
        QVERIFY(s.isChecked("TForm99.RadioButton4")); // other group of the page untouched

        s.setChecked("TForm2.RadioButton2", true);
        QVERIFY(!s.isChecked("TForm2.RadioButton1"));
        QVERIFY(s.isChecked("TForm2.RadioButton3"));
    }

    void clearingARadioSelectsNoOther() {
        BuildSettings s;
        s.setValue("TForm2.RadioButton1", "0");
        QVERIFY(!s.isChecked("TForm2.RadioButton1"));
        QVERIFY(!s.isChecked("TForm2.RadioButton2"));
        // A load that stores both buttons of a group as "1" leaves the later one selected.
        s.setValue("TForm2.RadioButton3", "1");
        s.setValue("TForm2.RadioButton4", "1");
        QVERIFY(!s.isChecked("TForm2.RadioButton3"));
        QVERIFY(s.isChecked("TForm2.RadioButton4"));
        s.setChecked("TForm6.CheckBox2", true);
        QVERIFY(s.isChecked("TForm6.CheckBox1")); // check boxes are independent
    }

    void setValueAccepts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("stored");
        QTest::newRow("masked") << "TForm6.Edit1"
                                << "192.168.  1.  5"
                                << "192.168.  1.  5";
        QTest::newRow("masked, digits anywhere") << "TForm6.Edit1"
                                                 << "1  . 2 .  3.4  "
                                                 << "1  . 2 .  3.4  ";
        QTest::newRow("masked 256") << "TForm6.Edit1"
                                    << "256.  1.  1.  1"
                                    << "256.  1.  1.  1";
        QTest::newRow("masked blank") << "TForm6.Edit2"
                                      << "   .   .   .   "
                                      << "   .   .   .   ";
        QTest::newRow("plain") << "TForm6.Edit1"
                               << "10.0.0.5"
                               << " 10.  0.  0.  5";
        QTest::newRow("plain full") << "TForm99.Edit1"
                                    << "192.168.100.254"
                                    << "192.168.100.254";
        QTest::newRow("plain leading zeros") << "TForm6.Edit2"
                                             << "255.0.0.000"
                                             << "255.  0.  0.000";
        QTest::newRow("empty is blank") << "TForm6.Edit1"
                                        << ""
                                        << "   .   .   .   ";
        QTest::newRow("DHCP") << "TForm6.Edit1"
                              << "DHCP"
                              << "DHCP";
        QTest::newRow("dhcp") << "TForm40.Edit2"
                              << "dhcp"
                              << "DHCP";
        QTest::newRow("BOOTP") << "TForm99.Edit1"
                               << "BOOTP"
                               << "BOOTP";
        QTest::newRow("index none") << "TForm7.ComboBox1"
                                    << "-1"
                                    << "-1";
        QTest::newRow("index last") << "TForm7.ComboBox1"
                                    << "15"
                                    << "15";
        QTest::newRow("index leading zero") << "TForm21.ComboBox3"
                                            << "025"
                                            << "25";
        QTest::newRow("check") << "TForm6.CheckBox3"
                               << "1"
                               << "1";
        QTest::newRow("text with blanks") << "TForm6.Edit3"
                                          << " LAB 12 "
                                          << " LAB 12 ";
        QTest::newRow("text longer than the field") << "TForm21.Edit1"
                                                    << "SUPERVISOR12345X"
                                                    << "SUPERVISOR12345X";
        QTest::newRow("combo off the list") << "TForm7.ComboBox2"
                                            << "2E0"
                                            << "2E0";
    }
    void setValueAccepts() {
        QFETCH(QString, name);
        QFETCH(QString, input);
        QFETCH(QString, stored);
        BuildSettings s;
        s.setValue(name, input);
        QCOMPARE(s.value(name), stored);
    }

    void setValueRejects_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        const QString quadForms = QStringLiteral(" takes an address such as 10.0.0.5, the 15-character form "
                                                 "\"  0.  0.  0.  0\", DHCP or BOOTP, not ");
        QTest::newRow("unknown")
            << "TForm6.Edit9"
            << "x"
            << "unknown value name \"TForm6.Edit9\" (bootwright-cli values lists every name and alias)";
        QTest::newRow("case of name")
            << "tform6.edit1"
            << "x"
            << "unknown value name \"tform6.edit1\" (bootwright-cli values lists every name and alias)";
        QTest::newRow("IRQ 16") << "TForm7.ComboBox1"
                                << "16"
                                << "TForm7.ComboBox1 takes an index from -1 to 15, not \"16\"";
        QTest::newRow("index -2") << "TForm9.ComboBox1"
                                  << "-2"
                                  << "TForm9.ComboBox1 takes an index from -1 to 3, not \"-2\"";
        QTest::newRow("index word") << "TForm21.ComboBox1"
                                    << "II"
                                    << "TForm21.ComboBox1 takes an index from -1 to 3, not \"II\"";
        QTest::newRow("index and a line break")
            << "TForm9.ComboBox1"
            << "2\n"
            << "TForm9.ComboBox1 takes an index from -1 to 3, not \"2\\x0A\"";
        QTest::newRow("index, other digits")
            << "TForm9.ComboBox1" << QStringLiteral("\u0663")
            << "TForm9.ComboBox1 takes an index from -1 to 3, not \"\u0663\"";
        QTest::newRow("index signs") << "TForm9.ComboBox1"
                                     << "+-1"
                                     << "TForm9.ComboBox1 takes an index from -1 to 3, not \"+-1\"";
        QTest::newRow("index minus alone") << "TForm9.ComboBox1"
                                           << "-"
                                           << "TForm9.ComboBox1 takes an index from -1 to 3, not \"-\"";
        QTest::newRow("index ten digits")
            << "TForm9.ComboBox1"
            << "0000000001"
            << "TForm9.ComboBox1 takes an index from -1 to 3, not \"0000000001\"";
        QTest::newRow("index blank") << "TForm21.ComboBox2"
                                     << " 5"
                                     << "TForm21.ComboBox2 takes an index from -1 to 25, not \" 5\"";
        QTest::newRow("check word") << "TForm6.CheckBox1"
                                    << "true"
                                    << "TForm6.CheckBox1 takes \"1\" or \"0\", not \"true\"";
        QTest::newRow("radio 2") << "TForm2.RadioButton1"
                                 << "2"
                                 << "TForm2.RadioButton1 takes \"1\" or \"0\", not \"2\"";
        QTest::newRow("three groups") << "TForm6.Edit1"
                                      << "1.2.3" << QString("TForm6.Edit1" + quadForms + "\"1.2.3\"");
        QTest::newRow("four digits") << "TForm6.Edit1"
                                     << "1000.1.1.1"
                                     << QString("TForm6.Edit1" + quadForms + "\"1000.1.1.1\"");
        QTest::newRow("letter") << "TForm99.Edit2"
                                << "255.255.0.x" << QString("TForm99.Edit2" + quadForms + "\"255.255.0.x\"");
        QTest::newRow("other digits")
            << "TForm6.Edit1" << QStringLiteral("10.0.0.\u0665")
            << QString("TForm6.Edit1" + quadForms + QStringLiteral("\"10.0.0.\u0665\""));
        QTest::newRow("five groups") << "TForm6.Edit1"
                                     << "10.0.0.5.1"
                                     << QString("TForm6.Edit1" + quadForms + "\"10.0.0.5.1\"");
        QTest::newRow("empty group") << "TForm6.Edit1"
                                     << "10..0.5" << QString("TForm6.Edit1" + quadForms + "\"10..0.5\"");
        QTest::newRow("15 chars, dot misplaced")
            << "TForm6.Edit1"
            << " 10 . 0.  0.  5" << QString("TForm6.Edit1" + quadForms + "\" 10 . 0.  0.  5\"");
        QTest::newRow("14 chars") << "TForm6.Edit1"
                                  << " 10.  0.  0. 5"
                                  << QString("TForm6.Edit1" + quadForms + "\" 10.  0.  0. 5\"");
        // Found by fuzzing: "$" also matched before a last line break, so the address took it.
        QTest::newRow("address and a line break")
            << "TForm6.Edit1"
            << "10.0.0.5\n"
            << QString("TForm6.Edit1" + quadForms + "\"10.0.0.5\\x0A\"");
        // Every control character, whatever the front end; the field by its alias and meaning.
        const QString oneLine = QStringLiteral(" is one line of text and cannot hold the control character ");
        QTest::newRow("line break") << "TForm6.Edit3"
                                    << "PC\r\nDEVICE=X"
                                    << "multicast.name (client name)" + oneLine + "U+000D";
        QTest::newRow("end of file, escape, bell") << "multicast.name"
                                                   << QStringLiteral("A\x1A"
                                                                     "B\x1B[2J\x07")
                                                   << "multicast.name (client name)" + oneLine + "U+001A";
        QTest::newRow("BuildMode 5") << "BuildMode"
                                     << "5"
                                     << "BuildMode takes 1 to 4, not \"5\"";
        QTest::newRow("BuildMode 0") << "BuildMode"
                                     << "0"
                                     << "BuildMode takes 1 to 4, not \"0\"";
    }
    void setValueRejects() {
        QFETCH(QString, name);
        QFETCH(QString, input);
        QFETCH(QString, message);
        BuildSettings s;
        QCOMPARE(errorOf([&] { s.setValue(name, input); }), message);
        QVERIFY(s == BuildSettings()); // a refused value changes nothing
    }

    void buildModeByName() {
        BuildSettings s;
        s.setValue("BuildMode", "3");
        QCOMPARE(s.buildMode(), BuildMode::Microsoft);
        QCOMPARE(s.value("BuildMode"), QStringLiteral("3"));
        QVERIFY(!(s == BuildSettings()));
    }

    void typedAccessorsRefuseOtherKinds() {
        BuildSettings s;
        QCOMPARE(errorOf([&] { s.setChecked("TForm6.Edit1", true); }),
                 QStringLiteral("TForm6.Edit1 is not a check box or radio button"));
        QCOMPARE(errorOf([&] { s.setIndex("TForm7.ComboBox2", 1); }),
                 QStringLiteral("TForm7.ComboBox2 is not a drop-down list"));
        QCOMPARE(errorOf([&] { s.setText("TForm6.CheckBox1", "1"); }),
                 QStringLiteral("TForm6.CheckBox1 is not a text value"));
        QCOMPARE(errorOf([&] { s.setIndex("TForm21.ComboBox3", 26); }),
                 QStringLiteral("TForm21.ComboBox3 takes an index from -1 to 25, not \"26\""));
        QCOMPARE(
            errorOf([&] { s.isChecked("TForm6.Edit9"); }),
            QStringLiteral(
                "unknown value name \"TForm6.Edit9\" (bootwright-cli values lists every name and alias)"));
        s.setText("TForm40.Edit1", "10.1.2.3");
        QCOMPARE(s.text("TForm40.Edit1"), QStringLiteral(" 10.  1.  2.  3"));
    }
};

QTEST_GUILESS_MAIN(TestBuildSettings)
#include "tst_build_settings.moc"
