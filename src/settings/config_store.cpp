#include "settings/config_store.h"

#include "platform/profile_file.h"
#include "settings/page_values.h"
#include "settings/settings_table.h"

#include <QDir>
#include <QHash>
#include <optional>

namespace {

const QString kIndexSection = QStringLiteral("SAVED");
const QString kLastSaved = QStringLiteral("LastSavedItemWas");
const QString kDescKey = QStringLiteral("desc");
const QString kModeKey = QStringLiteral("paramh");
const QString kDescriptionValue = PageValue::SaveDescription;
// Readers hand back at most this many characters of a value, so a longer description would be
// listed under a caption that no longer finds its entry.
constexpr qsizetype kLongestDescription = 1023;

QString trimmedDescription(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 32)
        ++first;
    while (last > first && text[last - 1].unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

QString slotSection(int slot) {
    return kIndexSection + QString::number(slot);
}

// The slot number of an entry of section SAVED, when it names one of the slot sections.
std::optional<int> slotOf(const QString& sectionName) {
    if (sectionName.size() < 6 || !sectionName.startsWith(kIndexSection, Qt::CaseInsensitive))
        return std::nullopt;
    const QString digits = sectionName.mid(5);
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int slot = digits.size() <= 3 ? digits.toInt() : 0;
    if (slot < 1 || slot > ConfigStore::SlotCount)
        return std::nullopt;
    return slot;
}

const ValueSpec& specOfKey(const QString& key) {
    static const QHash<QString, const ValueSpec*> byKey = [] {
        QHash<QString, const ValueSpec*> h;
        for (const ValueSpec& s : SettingsTable::values()) {
            if (!s.key.isEmpty())
                h.insert(s.key, &s);
        }
        return h;
    }();
    return *byKey.value(key);
}

bool isMaskedQuad(const QString& s) {
    if (s.size() != 15)
        return false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const bool dotPlace = i == 3 || i == 7 || i == 11;
        const QChar c = s[i];
        if (dotPlace ? c != QLatin1Char('.')
                     : c != QLatin1Char(' ') && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return false;
    }
    return true;
}

// The Windows profile functions drop the blanks around a value, so a file written there holds
// "0.  0.  0.  0" for the field text "  0.  0.  0.  0". The first group's width shows how many
// blanks went at the front; the rest went at the end.
QString quadWithBlanks(const QString& stored) {
    const qsizetype firstDot = stored.indexOf(QLatin1Char('.'));
    if (stored.size() >= 15 || firstDot < 1 || firstDot > 3)
        return stored;
    const QString front(3 - firstDot, QLatin1Char(' '));
    const QString padded = QString(front + stored).leftJustified(15, QLatin1Char(' '));
    return isMaskedQuad(padded) ? padded : stored;
}

} // namespace

ConfigStore::ConfigStore(const QString& programDir)
    : m_path(QDir(programDir).filePath(QStringLiteral("PCBWSAVE.INI"))) {}

QVector<ConfigStore::Item> ConfigStore::list() const {
    const ProfileFile file(m_path);
    QVector<Item> items;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const QString section = slotSection(slot);
        const QString description = file.readString(section, QStringLiteral("DESC"));
        if (!description.isEmpty())
            items.append(Item{description, file.readInteger(section, kModeKey, 0) != 0, slot});
    }
    return items;
}

QString ConfigStore::descriptionProblem(const QString& description) {
    const QString d = trimmedDescription(description);
    if (d.isEmpty())
        return ConfigMessages::NeedDescription;
    for (const QChar c : d) {
        if (c.unicode() < 32 && c != QLatin1Char('\t'))
            return QStringLiteral("A description cannot contain a line break or other control character. "
                                  "Please enter another description.");
    }
    if (d.contains(QLatin1Char('=')) || d.contains(QLatin1Char('[')) || d.contains(QLatin1Char(']')))
        return QStringLiteral(
            "A description cannot contain \"=\", \"[\" or \"]\". Please enter another description.");
    if (d.startsWith(QLatin1Char(';')))
        return QStringLiteral("A description cannot begin with \";\". Please enter another description.");
    if (d.compare(kLastSaved, Qt::CaseInsensitive) == 0)
        return QStringLiteral(
            "\"LastSavedItemWas\" is the name of the saved-configuration counter and cannot be "
            "a description. Please enter another description.");
    if (d.size() > kLongestDescription)
        return QStringLiteral("A description can be at most %1 characters long. Please enter a shorter one.")
            .arg(kLongestDescription);
    return {};
}

ConfigStore::SaveResult ConfigStore::save(const QString& description, const BuildSettings& settings,
                                          const std::function<bool()>& confirmOverwrite) const {
    SaveResult result;
    const QString desc = trimmedDescription(description);
    if (const QString problem = descriptionProblem(desc); !problem.isEmpty()) {
        result.status = SaveResult::Status::Refused;
        result.message = problem;
        return result;
    }

    ProfileFile file(m_path);
    int slot = file.readInteger(kIndexSection, kLastSaved, 1) + 1;
    if (slot > SlotCount || slot < 1)
        slot = 1;
    QString section = slotSection(slot);

    const QString existing = file.readString(kIndexSection, desc);
    if (!existing.isEmpty()) {
        if (!confirmOverwrite || !confirmOverwrite()) {
            result.status = SaveResult::Status::NotOverwritten;
            result.message = ConfigMessages::NotSaved;
            return result;
        }
        // An entry that names no slot section (edited by hand) would have the save write into some
        // other section, SAVED itself among them; the configuration takes the new slot instead.
        if (const std::optional<int> existingSlot = slotOf(existing)) {
            section = existing;
            slot = *existingSlot;
        }
    }

    try {
        file.writeString(kIndexSection, desc, section);
    } catch (const ProfileValueError&) {
        result.status = SaveResult::Status::Refused;
        result.message = QStringLiteral("The description holds characters that %1 cannot store. "
                                        "Please enter another description.")
                             .arg(QDir::toNativeSeparators(m_path));
        return result;
    } catch (const ProfileWriteError& e) {
        result.status = SaveResult::Status::Failed;
        result.message = QString::fromStdString(e.what());
        return result;
    }

    result.slot = slot;
    try {
        for (const QString& key : SettingsTable::saveKeys()) {
            if (key == kDescKey)
                file.writeString(section, kDescKey, desc);
            else if (key == kModeKey)
                file.writeBool(section, kModeKey, settings.buildMode() == 1);
            else
                file.writeString(section, key, settings.value(specOfKey(key).name));
        }
        file.writeInteger(kIndexSection, kLastSaved, slot);
    } catch (const std::runtime_error& e) {
        // A refused write ends the save where it happened; what was written stays, as it would
        // with a file that went read-only half-way.
        result.status = SaveResult::Status::Failed;
        result.message = QString::fromStdString(e.what());
    }
    return result;
}

BuildSettings ConfigStore::load(const QString& caption, const BuildSettings& current,
                                QStringList* problems) const {
    const ProfileFile file(m_path);
    const QString section = file.readString(kIndexSection, caption);
    // Without an entry there is nothing to read: every key takes its load default.
    auto stored = [&](const QString& key, const QString& fallback) {
        return section.isEmpty() ? fallback : file.readString(section, key, fallback);
    };
    auto storedInteger = [&](const QString& key, int fallback) {
        return section.isEmpty() ? fallback : file.readInteger(section, key, fallback);
    };

    BuildSettings loaded = current;
    for (const QString& key : SettingsTable::saveKeys()) {
        if (key == kDescKey)
            continue;
        if (key == kModeKey) {
            loaded.setBuildMode(storedInteger(key, 1) != 0 ? 1 : 2);
            continue;
        }
        const ValueSpec& entry = specOfKey(key);
        switch (entry.kind) {
        case ValueKind::Check:
        case ValueKind::Radio:
            loaded.setChecked(entry.name, storedInteger(key, entry.loadDefault.toInt()) != 0);
            break;
        case ValueKind::Index: {
            const int index = storedInteger(key, entry.loadDefault.toInt());
            // A list without that item shows no choice.
            loaded.setIndex(entry.name, index >= 0 && index < entry.items.size() ? index : -1);
            break;
        }
        case ValueKind::DottedQuad: {
            const QString text = stored(key, entry.loadDefault);
            try {
                loaded.setText(entry.name, quadWithBlanks(text));
            } catch (const SettingsError&) {
                loaded.setText(entry.name, entry.loadDefault);
                if (problems)
                    problems->append(QStringLiteral("%1: %2 in section %3 holds \"%4\", which is no address; "
                                                    "it was left blank.")
                                         .arg(QDir::toNativeSeparators(m_path), key, section, text));
            }
            break;
        }
        case ValueKind::Text:
        case ValueKind::ComboText:
            loaded.setText(entry.name, stored(key, entry.loadDefault));
            break;
        }
    }
    loaded.setText(kDescriptionValue, caption);
    return loaded;
}

QString ConfigStore::loadedMessage(const BuildSettings& loaded) {
    return loaded.buildMode() == 1 ? ConfigMessages::MulticastLoaded : ConfigMessages::StandaloneLoaded;
}

void ConfigStore::remove(const QString& caption) const {
    // The counter shares section SAVED with the entries; it is never a configuration's entry.
    if (trimmedDescription(caption).compare(kLastSaved, Qt::CaseInsensitive) == 0)
        return;
    ProfileFile file(m_path);
    const QString section = file.readString(kIndexSection, caption);
    try {
        // An entry naming SAVED itself would take every other entry with it.
        if (!section.isEmpty() && section.compare(kIndexSection, Qt::CaseInsensitive) != 0)
            file.eraseSection(section);
    } catch (const std::runtime_error&) {
    }
    try {
        file.deleteKey(kIndexSection, caption);
    } catch (const std::runtime_error&) {
    }
}
