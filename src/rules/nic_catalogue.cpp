#include "rules/nic_catalogue.h"

#include "platform/profile_file.h"
#include "settings/preferences.h"

#include <QDir>

namespace {

const QString kSection = QStringLiteral("NICS");

QString catalogueName(BuildMode buildMode) {
    return buildMode == BuildMode::NetWare ? QStringLiteral("PCBWNICS.INI") : QStringLiteral("PCBWNICM.INI");
}

} // namespace

NicCatalogue::NicCatalogue(QString programDir, BuildMode buildMode)
    : m_programDir(std::move(programDir)), m_buildMode(buildMode) {}

QString NicCatalogue::otherHaveDisk() {
    return QStringLiteral("Other - Have Disk");
}

QString NicCatalogue::listFile() const {
    if (m_buildMode == BuildMode::NoNetwork)
        return {};
    return QDir(m_programDir).filePath(catalogueName(m_buildMode));
}

QString NicCatalogue::lookupFile() const {
    return QDir(m_programDir).filePath(catalogueName(m_buildMode));
}

QStringList NicCatalogue::entries() const {
    QStringList names;
    const QString file = listFile();
    if (!file.isEmpty())
        names = ProfileFile(file).readSection(kSection);
    // A catalogue that lists the browse entry itself must not show it twice.
    names.removeIf(
        [](const QString& name) { return name.compare(otherHaveDisk(), Qt::CaseInsensitive) == 0; });
    names << otherHaveDisk();
    return names;
}

QString NicCatalogue::driverPath(const QString& entry) const {
    const QString dir = Preferences(m_programDir).nicDriverPath();
    const QString driver = ProfileFile(lookupFile()).readString(kSection, entry, QStringLiteral("ERROR"));
    return (dir + driver).toUpper().trimmed();
}
