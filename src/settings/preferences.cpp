#include "settings/preferences.h"

#include "platform/profile_file.h"

#include <QDir>
#include <stdexcept>

namespace {

const QString kConfig = QStringLiteral("CONFIG");
const QString kLocations = QStringLiteral("LOCATIONS");

} // namespace

Preferences::Preferences(const QString& programDir)
    : m_path(QDir::cleanPath(programDir + QStringLiteral("/PCBW.INI"))) {}

QString Preferences::hintKey(int hint) {
    if (hint < 1 || hint > 5)
        throw std::out_of_range("hint number " + std::to_string(hint) + " is not 1 to 5");
    return QStringLiteral("ShowHint") + QString::number(hint);
}

bool Preferences::showHint(int hint) const {
    return ProfileFile(m_path).readBool(kConfig, hintKey(hint), true);
}

void Preferences::setShowHint(int hint, bool show) {
    ProfileFile(m_path).writeBool(kConfig, hintKey(hint), show);
}

// Section and key names match without regard to case, so "NicDriverPath" in [Locations] is found.
// The directories are kept exactly as stored: builds append file names to them directly.
QString Preferences::nicDriverPath() const {
    return ProfileFile(m_path).readString(kLocations, QStringLiteral("NICDriverPath"));
}

QString Preferences::novellDriverPath() const {
    return ProfileFile(m_path).readString(kLocations, QStringLiteral("NovellDriverPath"));
}

QString Preferences::microsoftDriverPath() const {
    return ProfileFile(m_path).readString(kLocations, QStringLiteral("MicrosoftDriverPath"));
}

QString Preferences::client() const {
    return ProfileFile(m_path).readString(kLocations, QStringLiteral("Client"), QStringLiteral("XXX"));
}

void Preferences::setClient(const QString& path) {
    ProfileFile(m_path).writeString(kLocations, QStringLiteral("Client"), path);
}
