#include "cli/cli_hosts.h"

#include "cli/cli_settings.h"
#include "platform/text_codec.h"
#include "rules/page_rules.h"
#include "settings/build_settings.h"
#include "writers/pxe_entries.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString kName = QStringLiteral("{name}");
const QString kNumber = QStringLiteral("{n}");

// A name put into a path must not change which folder the path names: every part of the path that
// {name} or {n} filled in is a file's or folder's own name, not "", "." or "..", nor holds a "/".
bool keepsItsFolder(const QString& pattern, const QString& path) {
    const QStringList before = pattern.split(QLatin1Char('/'));
    const QStringList after = path.split(QLatin1Char('/'));
    if (before.size() != after.size())
        return false;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i] != after[i] &&
            (after[i].isEmpty() || after[i] == QLatin1String(".") || after[i] == QLatin1String("..")))
            return false;
    }
    return true;
}

} // namespace

HostRun::HostRun(const QString& file, const QString& pxeDir, const BuildSettings& settings,
                 const DriveTable& drives, QChar target, const QString& disk2)
    : m_list(HostList::read(file)), m_pxeDir(pxeDir) {
    const BuildMode mode = settings.buildMode();
    if (mode != BuildMode::Multicast && mode != BuildMode::Microsoft)
        throw UsageError(
            QStringLiteral("--hosts: %1 diskettes carry no client address or name; a host list is "
                           "for Multicast and Microsoft TCP/IP diskettes")
                .arg(mode == BuildMode::NetWare ? QStringLiteral("NetWare") : QStringLiteral("no-network")));
    const QString path = drives.hostPath(target);
    if (m_list.size() > 1 && !path.contains(kName) && !path.contains(kNumber))
        throw UsageError(
            QStringLiteral("%1 has %2 hosts: put {name} or {n} into the path of drive %3: (now %4), "
                           "so that each host gets its own diskette")
                .arg(file)
                .arg(m_list.size())
                .arg(target)
                .arg(path));

    QList<HostProblem> problems = m_list.problems(
        mode == BuildMode::Multicast ? HostList::Names::ClientName : HostList::Names::ComputerName);
    QStringList patterns = drives.mappings().values();
    if (!disk2.isEmpty())
        patterns << disk2;
    for (int n = 1; problems.isEmpty() && n <= count(); ++n) {
        for (const QString& pattern : std::as_const(patterns)) {
            const QString filled = named(QString(pattern).replace(kNumber, QString::number(n)), n);
            if (!keepsItsFolder(pattern, filled))
                problems.append(
                    {m_list.hosts().at(n - 1).line,
                     QStringLiteral("name %1 makes %2 of %3 name another folder")
                         .arg(TextCodec::quoted(m_list.hosts().at(n - 1).name), filled, pattern)});
        }
    }
    if (!m_pxeDir.isEmpty()) {
        if (!QFileInfo(m_pxeDir).isDir())
            throw UsageError(QStringLiteral("--pxe %1: no such folder").arg(m_pxeDir));
        if (drives.kind(target) != DriveTable::Kind::Image)
            throw UsageError(QStringLiteral("--pxe boots diskette images, and drive %1: is %2")
                                 .arg(target)
                                 .arg(drives.describe(target)));
        if (PageRules::twoDiskettes(settings))
            throw UsageError(QStringLiteral("--pxe: the \"%1\" form asks for its second diskette while it "
                                            "starts, which a network boot cannot put into the drive")
                                 .arg(settings.itemText(PageValue::StandaloneNos)));
        if (!m_list.hasMacs() && m_list.size() > 0)
            throw UsageError(
                QStringLiteral("--pxe writes an entry for each row with a mac, and %1 has none").arg(file));
        for (int n = 1; n <= count(); ++n) {
            const Host& host = m_list.hosts().at(n - 1);
            if (host.macKey().isEmpty())
                continue;
            const QString image = named(QString(path).replace(kNumber, QString::number(n)), n);
            const QString ref = PxeEntries::imageReference(m_pxeDir, image);
            if (const QString problem = PxeEntries::pxelinuxProblem(ref); !problem.isEmpty())
                problems.append({host.line, QStringLiteral("the image %1 %2").arg(ref, problem)});
        }
        std::stable_sort(problems.begin(), problems.end(),
                         [](const HostProblem& a, const HostProblem& b) { return a.line < b.line; });
    }
    for (const HostProblem& p : std::as_const(problems))
        m_problems << QStringLiteral("%1:%2: %3").arg(file).arg(p.line).arg(p.text);
    if (!m_pxeDir.isEmpty()) {
        if (const QString problem = PxeEntries::folderProblem(m_pxeDir); !problem.isEmpty())
            m_problems << problem;
    }
}

QString HostRun::named(QString path, int n) const {
    return path.replace(kName, m_list.hosts().at(n - 1).name);
}

DriveTable HostRun::named(const DriveTable& drives, int n) const {
    DriveTable out = drives;
    const auto mappings = drives.mappings();
    for (auto it = mappings.cbegin(); it != mappings.cend(); ++it)
        out.map(it.key(), named(it.value(), n));
    return out;
}

void HostRun::built(int n, const QString& image) const {
    const Host& host = m_list.hosts().at(n - 1);
    if (m_pxeDir.isEmpty() || host.macKey().isEmpty())
        return;
    PxeEntries::write(m_pxeDir, host.macKey(), host.name, host.address, image);
}
