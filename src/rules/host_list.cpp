#include "rules/host_list.h"

#include "platform/text_codec.h"
#include "settings/address_text.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace {

// The four groups of a dotted address, or an empty list when it is none.
QList<int> groups(const QString& text) {
    const QString padded = AddressText::paddedAddress(text);
    if (padded.isNull())
        return {};
    QList<int> out;
    for (const QString& group : padded.split(u'.'))
        out << group.trimmed().toInt();
    return out;
}

QString field(const QString& text) {
    const QList<int> g = groups(text);
    if (g.isEmpty() || *std::max_element(g.cbegin(), g.cend()) > 255)
        return {};
    return AddressText::paddedAddress(QStringLiteral("%1.%2.%3.%4").arg(g[0]).arg(g[1]).arg(g[2]).arg(g[3]));
}

// Why a value cannot be the address (or mask) field's, or an empty text.
QString addressProblem(const QString& value, const QString& what) {
    if (value.isEmpty())
        return QStringLiteral("no %1").arg(what);
    const QList<int> g = groups(value);
    if (g.isEmpty())
        return QStringLiteral("%1 %2 is no dotted address such as 10.0.0.5")
            .arg(what, TextCodec::quoted(value));
    for (int n : g) {
        if (n > 255)
            return QStringLiteral("%1 %2 has a group above 255 (%3)").arg(what, value).arg(n);
    }
    if (g == QList<int>{0, 0, 0, 0})
        return QStringLiteral("%1 %2 is no client's %1").arg(what, value);
    return {};
}

quint32 number(const QList<int>& g) {
    return quint32(g[0]) << 24 | quint32(g[1]) << 16 | quint32(g[2]) << 8 | quint32(g[3]);
}

// Why a well-formed address cannot be one client's, or an empty text.
QString clientAddressProblem(const QString& value) {
    const QList<int> g = groups(value);
    if (g.isEmpty())
        return {};
    if (number(g) == 0xFFFFFFFFu)
        return QStringLiteral("address %1 is the broadcast address, no client's").arg(value);
    if (g[0] >= 224 && g[0] <= 239)
        return QStringLiteral("address %1 is a multicast group (224.0.0.0 to 239.255.255.255), no "
                              "client's")
            .arg(value);
    return {};
}

// Why a well-formed mask is none (its ones must come first, in one run), or an empty text.
QString maskRunProblem(const QString& value) {
    const QList<int> g = groups(value);
    if (g.isEmpty())
        return {};
    const quint32 zeros = ~number(g);
    if ((zeros & (zeros + 1)) != 0)
        return QStringLiteral("mask %1 is no mask: its ones must come first, in one run, such as "
                              "255.255.255.0")
            .arg(value);
    return {};
}

const QRegularExpression& macForm() {
    static const QRegularExpression form(
        QStringLiteral("\\A[0-9A-Fa-f]{2}([:-])[0-9A-Fa-f]{2}(\\1[0-9A-Fa-f]{2}){4}\\z"));
    return form;
}

// Characters a NetBIOS computer name may hold besides letters and digits.
const QString kComputerNameMarks = QStringLiteral("!@#$%^&()-_'{}.~");

// What is wrong with each value of a row, for the page that takes them.
QStringList valueProblems(const Host& host, HostList::Names names, bool maskColumn) {
    QStringList out;
    const auto add = [&out](const QString& text) {
        if (!text.isEmpty())
            out << text;
    };
    add(HostList::nameProblem(host.name, names));
    const QString address = addressProblem(host.address, QStringLiteral("address"));
    add(address.isEmpty() ? clientAddressProblem(host.address) : address);
    // A row without its mask would take whatever the page holds, the row before's mask.
    if (maskColumn) {
        const QString mask = host.mask.isEmpty()
                                 ? QStringLiteral("no mask (a list with a mask column gives every row one)")
                                 : addressProblem(host.mask, QStringLiteral("mask"));
        add(mask.isEmpty() ? maskRunProblem(host.mask) : mask);
    }
    if (!host.mac.isEmpty() && host.macKey().isEmpty())
        add(QStringLiteral("MAC %1 is not six hex pairs between \":\" or \"-\", such as 00:1a:2b:3c:4d:5e")
                .arg(TextCodec::quoted(host.mac)));
    else if (const QString key = host.macKey();
             key == QLatin1String("00-00-00-00-00-00") || key == QLatin1String("ff-ff-ff-ff-ff-ff"))
        add(QStringLiteral("MAC %1 is no card's: it is the %2 address")
                .arg(host.mac, key.startsWith(u'0') ? QStringLiteral("null") : QStringLiteral("broadcast")));
    return out;
}

} // namespace

QString Host::addressField() const {
    return field(address);
}

QString Host::maskField() const {
    return field(mask);
}

QString Host::macKey() const {
    if (!macForm().match(mac).hasMatch())
        return {};
    return QString(mac).toLower().replace(QLatin1Char(':'), QLatin1Char('-'));
}

bool HostList::hasMacs() const {
    for (const Host& host : m_hosts) {
        if (!host.mac.isEmpty())
            return true;
    }
    return false;
}

QString HostList::nameProblem(const QString& name, Names names) {
    if (name.isEmpty())
        return QStringLiteral("no name");
    if (name == QLatin1String("Not Specified"))
        return QStringLiteral("name \"Not Specified\" is what the page shows when no name is given");
    const QString shown = TextCodec::quoted(name);
    // {name} puts the name into a file's path, and mtools reads a leading "-" as an option.
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("name %1 is no file's name: {name} would make it a folder").arg(shown);
    if (name.startsWith(QLatin1Char('-')))
        return QStringLiteral("name %1 starts with \"-\", which programs take for an option").arg(shown);
    for (const QChar c : name) {
        if (TextCodec::isControl(c))
            return QStringLiteral("name %1 holds the control character U+%2")
                .arg(shown, QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        // A computer name's own character rule below refuses these too, in the words of that rule.
        if (names == Names::ClientName && (c == u'/' || c == u'\\'))
            return QStringLiteral("name %1 holds \"%2\": {name} puts it into a file's name").arg(shown, c);
    }
    if (names == Names::ClientName) {
        // WATTCP.CFG gets the name in capitals.
        if (const QString c = TextCodec::firstUnencodable(name.toUpper()); !c.isEmpty())
            return QStringLiteral("name %1 holds %2 in capitals, which WATTCP.CFG (Windows-1252) cannot hold")
                .arg(shown, TextCodec::describe(c));
        return {};
    }
    if (name.size() > 15)
        return QStringLiteral("name %1 has %2 characters; a computer name has at most 15")
            .arg(shown, QString::number(name.size()));
    for (const QChar c : name) {
        const bool letterOrDigit = c.unicode() < 128 && c.isLetterOrNumber();
        if (!letterOrDigit && !kComputerNameMarks.contains(c))
            return QStringLiteral("name %1 holds %2, which a computer name cannot hold (letters, digits "
                                  "and %3 only)")
                .arg(shown, TextCodec::describe(c), kComputerNameMarks);
    }
    return {};
}

QList<HostProblem> HostList::problems(Names names) const {
    QList<HostProblem> out = m_formProblems;
    QHash<QString, int> nameLine;
    QHash<QString, int> addressLine;
    QHash<QString, int> macLine;
    const auto twice = [&out](QHash<QString, int>& seen, const QString& key, const Host& host,
                              const QString& what) {
        if (key.isEmpty())
            return;
        const auto it = seen.constFind(key);
        if (it == seen.constEnd())
            seen.insert(key, host.line);
        else
            out.append(
                {host.line, QStringLiteral("%1 is also on line %2").arg(what, QString::number(it.value()))});
    };
    // Without both columns every row would repeat what the header's problem says.
    for (const Host& host : m_headerComplete ? m_hosts : QList<Host>()) {
        if (m_brokenLines.contains(host.line))
            continue;
        for (const QString& text : valueProblems(host, names, m_hasMaskColumn))
            out.append({host.line, text});
        // Both writers and the networks compare names without regard to case.
        twice(nameLine, host.name.toUpper(), host, QStringLiteral("name ") + TextCodec::escaped(host.name));
        twice(addressLine, host.addressField(), host, QStringLiteral("address ") + host.address);
        twice(macLine, host.macKey(), host, QStringLiteral("MAC ") + host.mac);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const HostProblem& a, const HostProblem& b) { return a.line < b.line; });
    return out;
}

QStringList HostList::report(Names names) const {
    QStringList lines;
    for (const HostProblem& p : problems(names))
        lines << QStringLiteral("%1:%2: %3").arg(m_file, QString::number(p.line), p.text);
    return lines;
}
