#include "settings/settings_table.h"

#include <QHash>

namespace {

const QString kAddressDefault = QStringLiteral("  0.  0.  0.  0");
const QString kMaskDefault = QStringLiteral("255.  0.  0.  0");
const QString kBlankQuad = QStringLiteral("   .   .   .   ");
const QString kSameAsImage = QStringLiteral("Same as Image");

ValueSpec make(const QString& name, ValueKind kind, const QString& def, const QString& key,
               const QString& loadDefault) {
    ValueSpec s;
    s.name = name;
    s.kind = kind;
    s.defaultValue = def;
    s.key = key;
    s.loadDefault = loadDefault;
    return s;
}

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

ValueSpec text(const QString& name, const QString& def, const QString& key = {},
               const QString& loadDefault = {}) {
    return make(name, ValueKind::Text, def, key, loadDefault);
}

// The load default of every address key is empty text, which the masked field shows blank.
ValueSpec quad(const QString& name, const QString& def, const QString& key = {}) {
    return make(name, ValueKind::DottedQuad, def, key, {});
}

ValueSpec check(const QString& name, bool def, const QString& key, bool loadDefault) {
    return make(name, ValueKind::Check, flag(def), key, flag(loadDefault));
}

// A radio group is named after the page and the first button its group note lists.
ValueSpec radio(const QString& name, const QString& group, bool def, const QString& key = {},
                bool loadDefault = false) {
    ValueSpec s = make(name, ValueKind::Radio, flag(def), key, key.isEmpty() ? QString() : flag(loadDefault));
    s.group = group;
    return s;
}

// Every index key of a saved configuration loads as 0 when it is missing.
ValueSpec index(const QString& name, const QStringList& items, int def, const QString& key = {}) {
    ValueSpec s = make(name, ValueKind::Index, QString::number(def), key,
                       key.isEmpty() ? QString() : QStringLiteral("0"));
    s.items = items;
    return s;
}

ValueSpec hidden(ValueSpec s) {
    s.hidden = true;
    return s;
}

QStringList numbers(int first, int last) {
    QStringList out;
    for (int i = first; i <= last; ++i)
        out << QString::number(i);
    return out;
}

QVector<ValueSpec> buildTable() {
    const QStringList& drives = SettingsTable::driveLetters();
    const QStringList nos{QStringLiteral("Novell Netware 3.12 or higher"),
                          QStringLiteral("Microsoft TCP/IP - Pellacore Client on Server"),
                          QStringLiteral("Microsoft TCP/IP - Pellacore Client on Floppy"),
                          QStringLiteral("No Network (local media pull)")};
    const QStringList frames{QStringLiteral("Ethernet_802.2"), QStringLiteral("Ethernet_802.3"),
                             QStringLiteral("Ethernet_II"), QStringLiteral("Ethernet_SNAP")};
    const QStringList ioBases{"220", "240", "260", "300", "320", "340", "360"};
    const QString netwareUnc = QStringLiteral("\\\\IMAGESRV\\Sys\\Images");

    ValueSpec login = text("TForm21.Edit1", "PELLA", "params");
    login.maxLength = 15;
    ValueSpec ioBase = make("TForm7.ComboBox2", ValueKind::ComboText, "300", "paraml", {});
    ioBase.items = ioBases;

    // Keyed values in the order a save writes them; paramh (BuildMode) sits between paramz and
    // parami but is not a page value.
    return {
        text("TForm13.Edit1", {}, "desc"),
        text("TForm11.Edit1", {}, "parama"),
        text("TForm4.Edit1", {}, "paramb"),
        hidden(text("TForm4.Edit2", "NIC Driver Name", "paramc")),
        hidden(text("TForm4.Edit3", {}, "paramo")),
        quad("TForm6.Edit1", kAddressDefault, "paramd"),
        quad("TForm6.Edit2", kBlankQuad, "parame"),
        text("TForm6.Edit3", "Not Specified", "paramf"),
        hidden(text("TForm6.Edit4", "CLIENT", "paramaa", "CLIENT")),
        check("TForm6.CheckBox3", false, "paramx", false),
        check("TForm6.CheckBox1", true, "paramy", false),
        check("TForm6.CheckBox2", false, "paramz", false),
        index("TForm9.ComboBox1", nos, 0, "parami"),
        index("TForm21.ComboBox2", drives, 5, "paramr"),
        login,
        radio("TForm21.RadioButton1", "TForm21.RadioButton1", true, "paramt", true),
        radio("TForm21.RadioButton2", "TForm21.RadioButton1", false, "paramu", false),
        radio("TForm21.RadioButton3", "TForm21.RadioButton3", true, "paramab", true),
        radio("TForm21.RadioButton4", "TForm21.RadioButton3", false, "paramac", false),
        index("TForm21.ComboBox1", frames, 0, "paramad"),
        index("TForm21.ComboBox3", drives, 8, "paramae"),
        text("TForm21.Edit2", netwareUnc, "paramaf", netwareUnc),
        radio("TForm7.RadioButton1", "TForm7.RadioButton1", true, "paramj", true),
        radio("TForm7.RadioButton2", "TForm7.RadioButton1", false, "paramp", false),
        index("TForm7.ComboBox1", numbers(0, 15), 5, "paramk"),
        ioBase,
        radio("TForm2.RadioButton1", "TForm2.RadioButton1", true, "paramm", true),
        hidden(check("TForm2.CheckBox1", false, "paramn", true)),
        hidden(radio("TForm2.RadioButton3", "TForm2.RadioButton3", true, "paramv", true)),
        hidden(radio("TForm2.RadioButton4", "TForm2.RadioButton3", false, "paramw", true)),
        radio("TForm99.RadioButton2", "TForm99.RadioButton1", true, "paramba", true),
        radio("TForm99.RadioButton1", "TForm99.RadioButton1", false, "parambb", false),
        radio("TForm99.RadioButton12", "TForm99.RadioButton12", false, "parambc"),
        radio("TForm99.RadioButton14", "TForm99.RadioButton12", true, "parambd"),
        radio("TForm99.RadioButton9", "TForm99.RadioButton9", false, "parambe"),
        radio("TForm99.RadioButton11", "TForm99.RadioButton9", false, "parambf"),
        radio("TForm99.RadioButton10", "TForm99.RadioButton9", true, "parambg"),
        radio("TForm99.RadioButton7", "TForm99.RadioButton7", false, "parambh"),
        radio("TForm99.RadioButton8", "TForm99.RadioButton7", true, "parambi"),
        // The two choice groups below start with no button selected.
        radio("TForm99.RadioButton20", "TForm99.RadioButton20", false, "parambj"),
        radio("TForm99.RadioButton17", "TForm99.RadioButton20", false, "parambk"),
        radio("TForm99.RadioButton18", "TForm99.RadioButton20", false, "parambl"),
        radio("TForm99.RadioButton19", "TForm99.RadioButton20", false, "parambm"),
        radio("TForm99.RadioButton5", "TForm99.RadioButton5", false, "parambn"),
        radio("TForm99.RadioButton6", "TForm99.RadioButton5", true, "parambo"),
        radio("TForm99.RadioButton3", "TForm99.RadioButton3", false, "parambp"),
        radio("TForm99.RadioButton4", "TForm99.RadioButton3", true, "parambq"),
        radio("TForm99.RadioButton21", "TForm99.RadioButton21", false, "parambr"),
        radio("TForm99.RadioButton13", "TForm99.RadioButton21", false, "parambs"),
        radio("TForm99.RadioButton15", "TForm99.RadioButton21", false, "parambt"),
        radio("TForm99.RadioButton16", "TForm99.RadioButton21", false, "parambu"),
        check("TForm99.CheckBox6", false, "parambv", false),
        text("TForm99.Edit6", kSameAsImage, "parambw"),
        text("TForm99.Edit5", kSameAsImage, "parambx"),
        text("TForm99.Edit3", kSameAsImage, "paramby"),
        quad("TForm99.Edit2", kBlankQuad, "parambz"),
        quad("TForm99.Edit1", kAddressDefault, "paramca"),

        // Not part of a saved configuration: a load leaves these as they are.
        quad("TForm40.Edit1", kAddressDefault),
        radio("TForm40.RadioButton13", "TForm40.RadioButton13", false),
        radio("TForm40.RadioButton16", "TForm40.RadioButton13", false),
        radio("TForm40.RadioButton21", "TForm40.RadioButton13", true),
        quad("TForm40.Edit2", kMaskDefault),
        index("TForm40.ComboBox3", drives, 8),
        text("TForm40.Edit4", QStringLiteral("\\\\IMAGESRV\\D")),
        text("TForm40.Edit3", {}),
        radio("TForm40.RadioButton17", "TForm40.RadioButton17", false),
        radio("TForm40.RadioButton20", "TForm40.RadioButton17", true),
        radio("TForm40.RadioButton9", "TForm40.RadioButton9", true),
        radio("TForm40.RadioButton11", "TForm40.RadioButton9", false),
        text("TForm40.Edit5", {}),
        text("TForm40.Edit6", {}),
        hidden(text("TForm99.Edit4", "CLIENT")),
        radio("TForm2.RadioButton2", "TForm2.RadioButton1", false),
    };
}

} // namespace

namespace SettingsTable {

const QVector<ValueSpec>& values() {
    static const QVector<ValueSpec> table = buildTable();
    return table;
}

const ValueSpec* find(const QString& name) {
    static const QHash<QString, qsizetype> byName = [] {
        QHash<QString, qsizetype> h;
        const QVector<ValueSpec>& t = values();
        for (qsizetype i = 0; i < t.size(); ++i)
            h.insert(t[i].name, i);
        return h;
    }();
    const auto it = byName.constFind(name);
    return it == byName.constEnd() ? nullptr : &values()[*it];
}

const QStringList& saveKeys() {
    static const QStringList keys = [] {
        QStringList k;
        for (const ValueSpec& s : values()) {
            if (s.key.isEmpty())
                continue;
            if (s.key == QLatin1String("parami"))
                k << QStringLiteral("paramh");
            k << s.key;
        }
        return k;
    }();
    return keys;
}

const QStringList& driveLetters() {
    static const QStringList letters = [] {
        QStringList l;
        for (char c = 'A'; c <= 'Z'; ++c)
            l << QString(QLatin1Char(c)) + QLatin1Char(':');
        return l;
    }();
    return letters;
}

} // namespace SettingsTable
