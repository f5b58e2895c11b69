// Any bytes as a host list: the reader gives back every value it read through its own quoting,
// and a list the checks pass keeps the promises the checks make.
#include "fuzz_check.h"
#include "rules/host_list.h"

#include <QSet>

namespace {

QByteArray quoted(const QString& value) {
    return '"' + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\"")).toUtf8() + '"';
}

void checkProblems(const HostList& list, HostList::Names names) {
    const QList<HostProblem> problems = list.problems(names);
    int last = 1;
    for (const HostProblem& p : problems) {
        FUZZ_CHECK(p.line >= last, QStringLiteral("line %1 after line %2").arg(p.line).arg(last));
        FUZZ_CHECK(!p.text.isEmpty(), QStringLiteral("an empty problem at line %1").arg(p.line));
        last = p.line;
    }
    if (!problems.isEmpty())
        return;
    QSet<QString> seenNames;
    QSet<QString> seenAddresses;
    QSet<QString> seenMacs;
    for (const Host& host : list.hosts()) {
        FUZZ_CHECK(HostList::nameProblem(host.name, names).isEmpty(), host.name);
        // {name} keeps a diskette in its folder and never reads as an option.
        FUZZ_CHECK(host.name != "." && host.name != ".." && !host.name.startsWith('-'), host.name);
        FUZZ_CHECK(!host.addressField().isNull(), host.address);
        const QStringList groups = host.addressField().split('.');
        FUZZ_CHECK(host.addressField() != "255.255.255.255", host.address);
        FUZZ_CHECK(groups[0].trimmed().toInt() < 224 || groups[0].trimmed().toInt() > 239, host.address);
        FUZZ_CHECK(host.mask.isEmpty() || !host.maskField().isNull(), host.mask);
        if (!host.mask.isEmpty()) {
            quint32 zeros = 0;
            for (const QString& g : host.maskField().split('.'))
                zeros = zeros << 8 | quint32(255 - g.trimmed().toInt());
            FUZZ_CHECK((zeros & (zeros + 1)) == 0, host.mask);
        }
        FUZZ_CHECK(host.mac.isEmpty() || !host.macKey().isEmpty(), host.mac);
        FUZZ_CHECK(host.macKey() != "00-00-00-00-00-00" && host.macKey() != "ff-ff-ff-ff-ff-ff", host.mac);
        FUZZ_CHECK(!seenNames.contains(host.name.toUpper()), host.name);
        FUZZ_CHECK(!seenAddresses.contains(host.addressField()), host.address);
        FUZZ_CHECK(host.mac.isEmpty() || !seenMacs.contains(host.macKey()), host.mac);
        seenNames.insert(host.name.toUpper());
        seenAddresses.insert(host.addressField());
        seenMacs.insert(host.macKey());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const HostList list = HostList::parse(bytes, QStringLiteral("fuzz.csv"));
    checkProblems(list, HostList::Names::ClientName);
    checkProblems(list, HostList::Names::ComputerName);

    QByteArray again = "name,address,mask,mac\r\n";
    for (const Host& host : list.hosts())
        again += quoted(host.name) + ',' + quoted(host.address) + ',' + quoted(host.mask) + ',' +
                 quoted(host.mac) + "\r\n";
    const HostList back = HostList::parse(again, QStringLiteral("again.csv"));
    FUZZ_CHECK(back.size() == list.size(), shown(bytes));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Host& a = list.hosts().at(i);
        const Host& b = back.hosts().at(i);
        FUZZ_CHECK(a.name == b.name && a.address == b.address && a.mask == b.mask && a.mac == b.mac,
                   QStringLiteral("row %1 of %2").arg(i + 1).arg(shown(bytes)));
    }
    return 0;
}
