#include "settings/settings_table.h"

#include "settings/page_values.h"

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

struct Description {
    QLatin1String name;
    const char* alias;
    const char* meaning;
};

constexpr Description kDescriptions[] = {
#define BW_PAGE_VALUE(constant, name, alias, meaning) {PageValue::constant, alias, meaning},
#include "settings/page_values.def"
#undef BW_PAGE_VALUE
};

struct Label {
    QLatin1String name;
    const char* label;
};

// What a message calls a value a person types: the field as its page shows it, with the page's
// role where two pages have the same field. Choices are never named by a message about text.
constexpr Label kLabels[] = {
    {PageValue::SaveDescription, "configuration description"},
    {PageValue::ClientProgram, "Pellacore client file location"},
    {PageValue::NetwareLoginName, "NetWare login name"},
    {PageValue::NetwareMapPath, "NetWare network path to map"},
    {PageValue::MicrosoftIp, "Microsoft client IP address"},
    {PageValue::MicrosoftMask, "Microsoft client sub net mask"},
    {PageValue::MicrosoftServerShare, "Microsoft server share"},
    {PageValue::MicrosoftName, "Microsoft computer name"},
    {PageValue::MicrosoftGroup, "Microsoft workgroup or domain name"},
    {PageValue::MicrosoftLoginName, "Microsoft login name"},
    {PageValue::NicSelection, "NIC selection"},
    {PageValue::NicDriver, "NIC driver file"},
    {PageValue::NicEntry, "NIC catalogue entry"},
    {PageValue::NicPort, "NIC base I/O address"},
    {PageValue::MulticastIp, "multicast client IP address"},
    {PageValue::MulticastMask, "multicast client sub net mask"},
    {PageValue::MulticastName, "multicast client name"},
    {PageValue::MulticastNameCopy, "copy of the multicast client name"},
    {PageValue::PostIp, "post-configuration IP address"},
    {PageValue::PostMask, "post-configuration sub net mask"},
    {PageValue::PostName, "post-configuration computer name"},
    {PageValue::PostNameCopy, "copy of the post-configuration computer name"},
    {PageValue::PostGroup, "post-configuration workgroup or domain name"},
    {PageValue::PostLoginName, "post-configuration login name"},
};

// Every value takes its alias and meaning from the one list that also gives the constants.
QVector<ValueSpec> described(QVector<ValueSpec> table) {
    for (ValueSpec& s : table) {
        for (const Description& d : kDescriptions) {
            if (d.name == s.name) {
                s.alias = QLatin1String(d.alias);
                s.meaning = QLatin1String(d.meaning);
                break;
            }
        }
        s.label = s.alias;
        for (const Label& l : kLabels) {
            if (l.name == s.name)
                s.label = QLatin1String(l.label);
        }
    }
    return table;
}

QVector<ValueSpec> buildTable() {
    using namespace PageValue;
    const QStringList& drives = SettingsTable::driveLetters();
    const QStringList nos{QStringLiteral("Novell Netware 3.12 or higher"),
                          QStringLiteral("Microsoft TCP/IP - Pellacore Client on Server"),
                          QStringLiteral("Microsoft TCP/IP - Pellacore Client on Floppy"),
                          QStringLiteral("No Network (local media pull)")};
    const QStringList frames{QStringLiteral("Ethernet_802.2"), QStringLiteral("Ethernet_802.3"),
                             QStringLiteral("Ethernet_II"), QStringLiteral("Ethernet_SNAP")};
    const QStringList ioBases{"220", "240", "260", "300", "320", "340", "360"};
    const QString netwareUnc = QStringLiteral("\\\\IMAGESRV\\Sys\\Images");

    ValueSpec login = text(NetwareLoginName, "PELLA", "params");
    login.maxLength = 15;
    ValueSpec ioBase = make(NicPort, ValueKind::ComboText, "300", "paraml", {});
    ioBase.items = ioBases;

    // Keyed values in the order a save writes them; paramh (BuildMode) sits between paramz and
    // parami but is not a page value.
    return {
        text(SaveDescription, {}, "desc"),
        text(ClientProgram, {}, "parama"),
        text(NicSelection, {}, "paramb"),
        hidden(text(NicDriver, "NIC Driver Name", "paramc")),
        hidden(text(NicEntry, {}, "paramo")),
        quad(MulticastIp, kAddressDefault, "paramd"),
        quad(MulticastMask, kBlankQuad, "parame"),
        text(MulticastName, "Not Specified", "paramf"),
        hidden(text(MulticastNameCopy, "CLIENT", "paramaa", "CLIENT")),
        check(MulticastIpDhcp, false, "paramx", false),
        check(MulticastNameIncrement, true, "paramy", false),
        check(MulticastIpIncrement, false, "paramz", false),
        index(StandaloneNos, nos, 0, "parami"),
        index(NetwareLoginDrive, drives, 5, "paramr"),
        login,
        radio(NetwareLoginOff, NetwareLoginOff, true, "paramt", true),
        radio(NetwareLoginOn, NetwareLoginOff, false, "paramu", false),
        radio(NetwareMapOff, NetwareMapOff, true, "paramab", true),
        radio(NetwareMapOn, NetwareMapOff, false, "paramac", false),
        index(NetwareFrame, frames, 0, "paramad"),
        index(NetwareMapDrive, drives, 8, "paramae"),
        text(NetwareMapPath, netwareUnc, "paramaf", netwareUnc),
        radio(NicPnpOn, NicPnpOn, true, "paramj", true),
        radio(NicPnpOff, NicPnpOn, false, "paramp", false),
        index(NicIrq, numbers(0, 15), 5, "paramk"),
        ioBase,
        radio(DiskA, DiskA, true, "paramm", true),
        hidden(check(DiskQuickFormat, false, "paramn", true)),
        hidden(radio(DiskFormatted, DiskFormatted, true, "paramv", true)),
        hidden(radio(DiskFormat, DiskFormatted, false, "paramw", true)),
        radio(PostOff, PostOn, true, "paramba", true),
        radio(PostOn, PostOn, false, "parambb", false),
        radio(PostLoginSet, PostLoginSet, false, "parambc"),
        radio(PostLoginSame, PostLoginSet, true, "parambd"),
        radio(PostGroupWorkgroup, PostGroupWorkgroup, false, "parambe"),
        radio(PostGroupDomain, PostGroupWorkgroup, false, "parambf"),
        radio(PostGroupSame, PostGroupWorkgroup, true, "parambg"),
        radio(PostNameSet, PostNameSet, false, "parambh"),
        radio(PostNameSame, PostNameSet, true, "parambi"),
        // The two choice groups below start with no button selected.
        radio(PostNameFixed, PostNameFixed, false, "parambj"),
        radio(PostNameIncrement, PostNameFixed, false, "parambk"),
        radio(PostNameMac, PostNameFixed, false, "parambl"),
        radio(PostNameMulticast, PostNameFixed, false, "parambm"),
        radio(PostMaskSet, PostMaskSet, false, "parambn"),
        radio(PostMaskSame, PostMaskSet, true, "parambo"),
        radio(PostIpSet, PostIpSet, false, "parambp"),
        radio(PostIpSame, PostIpSet, true, "parambq"),
        radio(PostIpFixed, PostIpFixed, false, "parambr"),
        radio(PostIpIncrement, PostIpFixed, false, "parambs"),
        radio(PostIpMulticast, PostIpFixed, false, "parambt"),
        radio(PostIpDhcp, PostIpFixed, false, "parambu"),
        check(PostMaskMulticast, false, "parambv", false),
        text(PostLoginName, kSameAsImage, "parambw"),
        text(PostGroup, kSameAsImage, "parambx"),
        text(PostName, kSameAsImage, "paramby"),
        quad(PostMask, kBlankQuad, "parambz"),
        quad(PostIp, kAddressDefault, "paramca"),

        // Not part of a saved configuration: a load leaves these as they are.
        quad(MicrosoftIp, kAddressDefault),
        radio(MicrosoftIpIncrement, MicrosoftIpIncrement, false),
        radio(MicrosoftIpDhcp, MicrosoftIpIncrement, false),
        radio(MicrosoftIpFixed, MicrosoftIpIncrement, true),
        quad(MicrosoftMask, kMaskDefault),
        index(MicrosoftServerDrive, drives, 8),
        text(MicrosoftServerShare, QStringLiteral("\\\\IMAGESRV\\D")),
        text(MicrosoftName, {}),
        radio(MicrosoftNameIncrement, MicrosoftNameIncrement, false),
        radio(MicrosoftNameFixed, MicrosoftNameIncrement, true),
        radio(MicrosoftGroupWorkgroup, MicrosoftGroupWorkgroup, true),
        radio(MicrosoftGroupDomain, MicrosoftGroupWorkgroup, false),
        text(MicrosoftGroup, {}),
        text(MicrosoftLoginName, {}),
        hidden(text(PostNameCopy, "CLIENT")),
        radio(DiskB, DiskA, false),
    };
}

} // namespace

namespace SettingsTable {

const QVector<ValueSpec>& values() {
    static const QVector<ValueSpec> table = described(buildTable());
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

const ValueSpec* findNameOrAlias(const QString& nameOrAlias) {
    if (const ValueSpec* s = find(nameOrAlias))
        return s;
    static const QHash<QString, qsizetype> byAlias = [] {
        QHash<QString, qsizetype> h;
        const QVector<ValueSpec>& t = values();
        for (qsizetype i = 0; i < t.size(); ++i)
            h.insert(t[i].alias, i);
        return h;
    }();
    const auto it = byAlias.constFind(nameOrAlias);
    return it == byAlias.constEnd() ? nullptr : &values()[*it];
}

QString resolve(const QString& nameOrAlias) {
    if (nameOrAlias == PageValue::BuildMode || nameOrAlias == PageValue::BuildModeAlias)
        return PageValue::BuildMode;
    const ValueSpec* s = findNameOrAlias(nameOrAlias);
    return s ? s->name : QString();
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
