#include "settings/build_settings.h"
#include "settings/page_values.h"
#include "settings/settings_table.h"
#include "settings_error_text.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

struct Listed {
    QLatin1String constant;
    const char* name;
};

// The list the constants come from, read as the program reads it.
const Listed kListed[] = {
#define BW_PAGE_VALUE(constant, name, alias, meaning) {PageValue::constant, name},
#include "settings/page_values.def"
#undef BW_PAGE_VALUE
};

// A value of the entry's kind that differs from its start-up value.
QString otherValue(const ValueSpec& s) {
    switch (s.kind) {
    case ValueKind::Text:
        return s.defaultValue + QStringLiteral("X1");
    case ValueKind::DottedQuad:
        return QStringLiteral("10.0.0.5");
    case ValueKind::Check:
    case ValueKind::Radio:
        return s.defaultValue == QLatin1String("1") ? QStringLiteral("0") : QStringLiteral("1");
    case ValueKind::Index:
        return s.defaultValue == QLatin1String("1") ? QStringLiteral("2") : QStringLiteral("1");
    case ValueKind::ComboText:
        return QStringLiteral("2E0");
    }
    return {};
}

} // namespace

// The names a person reads and types: every value's alias and meaning, the constants code uses.
class TestPageValues : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void constantsAndTableHoldTheSameNames() {
        QSet<QString> listed;
        for (const Listed& l : kListed) {
            QVERIFY2(!listed.contains(l.constant), l.name);
            listed.insert(l.constant);
        }
        QSet<QString> table;
        for (const ValueSpec& s : SettingsTable::values())
            table.insert(s.name);
        QCOMPARE(listed, table);
        QCOMPARE(SettingsTable::values().size(), 73);
        QCOMPARE(PageValue::MulticastIp, QLatin1String("TForm6.Edit1"));
        QCOMPARE(PageValue::StandaloneNos, QLatin1String("TForm9.ComboBox1"));
    }

    void aliasesAreWellFormedUniqueAndNoName() {
        static const QRegularExpression form(QStringLiteral("^[a-z][a-z0-9]*(\\.[a-z][a-z0-9]*)+$"));
        QSet<QString> aliases{PageValue::BuildModeAlias};
        QHash<QString, QString> roleOfPage;
        QHash<QString, QString> pageOfRole;
        for (const ValueSpec& s : SettingsTable::values()) {
            QVERIFY2(form.match(s.alias).hasMatch(), qPrintable(s.name + QLatin1Char(' ') + s.alias));
            QVERIFY2(!aliases.contains(s.alias), qPrintable(s.alias));
            aliases.insert(s.alias);
            QVERIFY2(!SettingsTable::find(s.alias), qPrintable(s.alias));
            // One page, one role word in front; the two NIC pages share theirs.
            const QString page = s.name.section(QLatin1Char('.'), 0, 0);
            const QString role = s.alias.section(QLatin1Char('.'), 0, 0);
            QCOMPARE(roleOfPage.value(page, role), role);
            roleOfPage.insert(page, role);
            if (role != QLatin1String("nic")) {
                QCOMPARE(pageOfRole.value(role, page), page);
                pageOfRole.insert(role, page);
            }
            // What the list of values prints must stay one line of tab-separated columns.
            QVERIFY2(!s.meaning.trimmed().isEmpty(), qPrintable(s.name));
            for (const QString& column : {s.meaning, s.defaultValue}) {
                QVERIFY2(!column.contains(QLatin1Char('\t')) && !column.contains(QLatin1Char('\n')),
                         qPrintable(s.name));
            }
        }
        QCOMPARE(aliases.size(), 74);
    }

    // A message about typed text names the field as a person knows it, never by its stored name.
    void typedValuesHaveLabelsOfTheirOwn() {
        QSet<QString> labels;
        for (const ValueSpec& s : SettingsTable::values()) {
            if (s.kind != ValueKind::Text && s.kind != ValueKind::DottedQuad &&
                s.kind != ValueKind::ComboText)
                continue;
            QVERIFY2(s.label != s.alias && !s.label.contains(QLatin1Char('.')), qPrintable(s.name));
            QVERIFY2(!labels.contains(s.label), qPrintable(s.label));
            labels.insert(s.label);
        }
        QCOMPARE(SettingsTable::find(PageValue::MulticastName)->label,
                 QStringLiteral("multicast client name"));
    }

    void resolve_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("alias") << "multicast.ip"
                               << "TForm6.Edit1";
        QTest::newRow("name") << "TForm6.Edit1"
                              << "TForm6.Edit1";
        QTest::newRow("radio alias") << "post.ip.set"
                                     << "TForm99.RadioButton3";
        QTest::newRow("BuildMode alias") << "build.mode"
                                         << "BuildMode";
        QTest::newRow("BuildMode") << "BuildMode"
                                   << "BuildMode";
        QTest::newRow("alias in capitals") << "Multicast.IP" << QString();
        QTest::newRow("name in small letters") << "tform6.edit1" << QString();
        QTest::newRow("role alone") << "multicast" << QString();
        QTest::newRow("empty") << "" << QString();
    }
    void resolve() {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QCOMPARE(SettingsTable::resolve(typed), name);
        QCOMPARE(SettingsTable::resolve(typed).isNull(), name.isNull());
    }

    // Every accessor finds a value by its alias exactly as by its name, radio groups included.
    void everyAliasSetsWhatItsNameSets() {
        for (const ValueSpec& s : SettingsTable::values()) {
            const QString value = otherValue(s);
            BuildSettings byName;
            byName.setValue(s.name, value);
            BuildSettings byAlias;
            byAlias.setValue(s.alias, value);
            QVERIFY2(byAlias == byName, qPrintable(s.alias));
            QVERIFY2(!(byAlias == BuildSettings()), qPrintable(s.alias));
            QCOMPARE(byAlias.value(s.alias), byName.value(s.name));
        }
        BuildSettings s;
        s.setChecked(QStringLiteral("post.ip.set"), true);
        QVERIFY(s.isChecked(PageValue::PostIpSet));
        QVERIFY(!s.isChecked(QStringLiteral("post.ip.same")));
        s.setIndex(QStringLiteral("standalone.nos"), 2);
        QCOMPARE(s.index(PageValue::StandaloneNos), 2);
        QCOMPARE(s.itemText(QStringLiteral("standalone.nos")),
                 QStringLiteral("Microsoft TCP/IP - Pellacore Client on Floppy"));
        s.setValue(QStringLiteral("build.mode"), QStringLiteral("4"));
        QCOMPARE(s.buildMode(), BuildMode::NoNetwork);
        QCOMPARE(s.value(QStringLiteral("build.mode")), QStringLiteral("4"));
    }

    void refusalsNameWhatWasTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown alias")
            << "multicast.ipx"
            << "1"
            << "unknown value name \"multicast.ipx\" (bootwright-cli values lists every name and alias)";
        QTest::newRow("alias, bad check") << "multicast.ip.dhcp"
                                          << "yes"
                                          << "multicast.ip.dhcp takes \"1\" or \"0\", not \"yes\"";
        QTest::newRow("alias, IRQ 16") << "nic.irq"
                                       << "16"
                                       << "nic.irq takes an index from -1 to 15, not \"16\"";
        QTest::newRow("BuildMode alias 5") << "build.mode"
                                           << "5"
                                           << "build.mode takes 1 to 4, not \"5\"";
    }
    void refusalsNameWhatWasTyped() {
        QFETCH(QString, typed);
        QFETCH(QString, input);
        QFETCH(QString, message);
        BuildSettings s;
        QCOMPARE(errorOf([&] { s.setValue(typed, input); }), message);
        QVERIFY(s == BuildSettings());
    }
};

QTEST_GUILESS_MAIN(TestPageValues)
#include "tst_page_values.moc"
