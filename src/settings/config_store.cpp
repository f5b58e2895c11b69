#include "settings/config_store.h"

#include "platform/profile_file.h"
#include "platform/text_codec.h"
#include "platform/text_util.h"
#include "settings/address_text.h"
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

// The Windows profile functions drop the blanks around a value, so a file written there holds
// "0.  0.  0.  0" for the field text "  0.  0.  0.  0". The first group's width shows how many
// blanks went at the front; the rest went at the end.
QString quadWithBlanks(const QString& stored) {
    const qsizetype firstDot = stored.indexOf(QLatin1Char('.'));
    if (stored.size() >= 15 || firstDot < 1 || firstDot > 3)
        return stored;
    const QString front(3 - firstDot, QLatin1Char(' '));
    const QString padded = QString(front + stored).leftJustified(15, QLatin1Char(' '));
    return AddressText::isMaskedAddress(padded) ? padded : stored;
}

bool sameDescription(const QString& a, const QString& b) {
    return Trim(a).compare(Trim(b), Qt::CaseInsensitive) == 0;
}

QString descriptionAt(const ProfileDocument& doc, int slot) {
    return doc.readString(slotSection(slot), QStringLiteral("DESC"));
}

// The slot that holds the configuration of that description: the one its entry names when that
// slot holds it, else the first that does. An entry naming a slot that holds another configuration
// is stale and names nothing.
std::optional<int> slotHolding(const ProfileDocument& doc, const QString& description) {
    if (const std::optional<int> slot = slotOf(doc.readString(kIndexSection, description))) {
        if (sameDescription(descriptionAt(doc, *slot), description))
            return slot;
    }
    for (int slot = 1; slot <= ConfigStore::SlotCount; ++slot) {
        if (descriptionAt(doc, slot) == description)
            return slot;
    }
    for (int slot = 1; slot <= ConfigStore::SlotCount; ++slot) {
        if (sameDescription(descriptionAt(doc, slot), description))
            return slot;
    }
    return std::nullopt;
}

// Where a save goes, as the file stands.
struct SavePlan {
    int slot = 0;
    bool overwrite = false; // the slot holds the configuration of this description
    QString replaced;       // the configuration a new save replaces because every slot is taken
    bool operator==(const SavePlan&) const = default;
};

SavePlan planSave(const ProfileDocument& doc, const QString& description) {
    if (const std::optional<int> slot = slotHolding(doc, description))
        return {*slot, true, {}};
    const int last = doc.readInteger(kIndexSection, kLastSaved, 1);
    const int next = last >= 1 && last <= ConfigStore::SlotCount ? last % ConfigStore::SlotCount + 1 : 1;
    for (int i = 0; i < ConfigStore::SlotCount; ++i) {
        const int slot = (next - 1 + i) % ConfigStore::SlotCount + 1;
        if (descriptionAt(doc, slot).isEmpty())
            return {slot, false, {}};
    }
    return {next, false, descriptionAt(doc, next)};
}

// Entries of section SAVED that name this slot: a configuration that goes takes them along.
void dropEntriesOf(ProfileDocument& doc, int slot) {
    for (const auto& [section, key] : doc.entries()) {
        if (section.compare(kIndexSection, Qt::CaseInsensitive) == 0 &&
            key.compare(kLastSaved, Qt::CaseInsensitive) != 0 &&
            slotOf(doc.readString(kIndexSection, key)) == slot)
            doc.deleteKey(kIndexSection, key);
    }
}

} // namespace

ConfigStore::ConfigStore(const QString& programDir)
    : m_path(QDir(programDir).filePath(QStringLiteral("PCBWSAVE.INI"))) {}

QVector<ConfigStore::Item> ConfigStore::list() const {
    const ProfileDocument doc = ProfileFile(m_path).snapshot();
    QVector<Item> items;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const QString section = slotSection(slot);
        const QString description = doc.readString(section, QStringLiteral("DESC"));
        if (!description.isEmpty())
            items.append(Item{description, doc.readInteger(section, kModeKey, 0) != 0, slot});
    }
    return items;
}

std::optional<ConfigStore::Item> ConfigStore::find(const QString& description) const {
    const QVector<Item> items = list();
    for (const Item& item : items) {
        if (item.description == description)
            return item;
    }
    for (const Item& item : items) {
        if (sameDescription(item.description, description))
            return item;
    }
    return std::nullopt;
}

QString ConfigStore::descriptionProblem(const QString& description) {
    const QString d = Trim(description);
    if (d.isEmpty())
        return ConfigMessages::NeedDescription;
    if (const QString c = TextCodec::firstControl(d); !c.isEmpty())
        return QStringLiteral("A description cannot hold the control character %1. Please enter another "
                              "description.")
            .arg(TextCodec::describe(c));
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
                                          const std::function<bool()>& confirmOverwrite,
                                          const std::function<bool(const QString&)>& confirmReplace) const {
    SaveResult result;
    const QString desc = Trim(description);
    const auto refuse = [&](const QString& message) {
        result.status = SaveResult::Status::Refused;
        result.message = message;
        return result;
    };
    if (const QString problem = descriptionProblem(desc); !problem.isEmpty())
        return refuse(problem);
    // The values as the file will hold them, each checked before anything is written.
    QList<QPair<QString, QString>> values;
    for (const QString& key : SettingsTable::saveKeys()) {
        if (key == kDescKey)
            values.append({key, desc});
        else if (key == kModeKey)
            values.append({key, settings.buildMode() == BuildMode::Multicast ? QStringLiteral("1")
                                                                             : QStringLiteral("0")});
        else
            values.append({key, settings.value(specOfKey(key).name)});
        const QString& value = values.last().second;
        if (key != kDescKey && value.size() > kLongestDescription)
            return refuse(QStringLiteral("The %1 is %2 characters long; a saved configuration keeps at "
                                         "most %3 characters of a value. Please shorten it.")
                              .arg(specOfKey(key).label)
                              .arg(value.size())
                              .arg(kLongestDescription));
    }

    const ProfileFile file(m_path);
    const QString shownPath = QDir::toNativeSeparators(m_path);
    std::optional<SavePlan> answered;
    try {
        // The questions are put while the file is not locked: another program may save meanwhile,
        // and a plan that no longer holds when the lock is taken is asked about anew.
        for (int attempt = 0; attempt < 10; ++attempt) {
            std::optional<ProfileFile::Edit> edit(std::in_place, file);
            ProfileDocument& doc = edit->document();
            if (const QString c = doc.firstUnstorable(desc); !c.isEmpty())
                return refuse(QStringLiteral("The description holds %1, which %2 cannot store. Please enter "
                                             "another description.")
                                  .arg(TextCodec::describe(c), shownPath));
            for (const auto& [key, value] : std::as_const(values)) {
                if (const QString c = doc.firstUnstorable(value); !c.isEmpty())
                    return refuse(QStringLiteral("The %1 holds %2, which %3 cannot store. Please "
                                                 "change it.")
                                      .arg(specOfKey(key).label, TextCodec::describe(c), shownPath));
            }
            const SavePlan plan = planSave(doc, desc);
            const bool asks = plan.overwrite || !plan.replaced.isEmpty();
            if (asks && answered != plan) {
                edit.reset(); // no lock is held while the user thinks
                if (plan.overwrite && !(confirmOverwrite && confirmOverwrite())) {
                    result.status = SaveResult::Status::NotOverwritten;
                    result.message = ConfigMessages::NotSaved;
                    return result;
                }
                if (!plan.overwrite && !(confirmReplace && confirmReplace(plan.replaced))) {
                    result.status = SaveResult::Status::NotReplaced;
                    result.message = ConfigMessages::NotSaved;
                    result.replaced = plan.replaced;
                    return result;
                }
                answered = plan;
                continue;
            }

            const QString section = slotSection(plan.slot);
            if (!plan.overwrite) {
                // A new configuration starts from an empty section: nothing of what the slot held
                // before, nor any entry that still names it, may mix with it.
                dropEntriesOf(doc, plan.slot);
                doc.eraseSection(section);
            }
            doc.writeString(kIndexSection, desc, section);
            for (const auto& [key, value] : std::as_const(values))
                doc.writeString(section, key, value);
            doc.writeInteger(kIndexSection, kLastSaved, plan.slot);
            // A file larger than any read takes would lock every configuration in it out.
            if (const qint64 size = doc.bytes().size(); size > ProfileFile::LargestFile)
                return refuse(QStringLiteral("The configuration was not saved: %1\n%2 Please remove "
                                             "configurations you no longer need.")
                                  .arg(shownPath, ProfileFile::tooLargeToWrite(size)));
            edit->commit();
            result.slot = plan.slot;
            result.replaced = plan.replaced;
            return result;
        }
        result.status = SaveResult::Status::Failed;
        result.message =
            QStringLiteral("The saved configurations in %1 kept changing while this one was being "
                           "saved. Please try again.")
                .arg(shownPath);
    } catch (const ProfileValueError& e) {
        return refuse(QString::fromStdString(e.what()));
    } catch (const ProfileWriteError& e) {
        result.status = SaveResult::Status::Failed;
        result.message = QString::fromStdString(e.what());
    } catch (const IoError& e) {
        result.status = SaveResult::Status::Failed;
        result.message = e.message();
    }
    return result;
}

BuildSettings ConfigStore::load(const QString& caption, const BuildSettings& current,
                                QStringList* problems) const {
    // One look at the file: a save elsewhere replaces it whole, so every value comes from one save.
    const ProfileDocument file = ProfileFile(m_path).snapshot();
    QString section = file.readString(kIndexSection, caption);
    // An entry naming a slot that now holds another configuration is stale: it names nothing.
    if (const std::optional<int> slot = slotOf(section)) {
        const QString there = descriptionAt(file, *slot);
        if (!there.isEmpty() && !sameDescription(there, caption))
            section.clear();
    }
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
            loaded.setBuildMode(storedInteger(key, 1) != 0 ? BuildMode::Multicast : BuildMode::NetWare);
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
                    problems->append(
                        QStringLiteral("%1: %2 in section %3 holds %4, which is no address; "
                                       "it was left blank.")
                            .arg(QDir::toNativeSeparators(m_path), key, section, TextCodec::quoted(text)));
            }
            break;
        }
        case ValueKind::Text:
        case ValueKind::ComboText:
            // A value that no page would take (a control character put in by hand) refuses the
            // whole configuration: building with it blanked would make another diskette than the
            // one saved.
            try {
                loaded.setText(entry.name, stored(key, entry.loadDefault));
            } catch (const SettingsError& e) {
                throw SettingsError(QStringLiteral("%1: the configuration %2 cannot be loaded: %3")
                                        .arg(QDir::toNativeSeparators(m_path), TextCodec::quoted(caption),
                                             QString::fromStdString(e.what())));
            }
            break;
        }
    }
    loaded.setText(kDescriptionValue, caption);
    return loaded;
}

QString ConfigStore::loadedMessage(const BuildSettings& loaded) {
    return loaded.buildMode() == BuildMode::Multicast ? ConfigMessages::MulticastLoaded
                                                      : ConfigMessages::StandaloneLoaded;
}

bool ConfigStore::remove(const QString& caption) const {
    // The counter shares section SAVED with the entries; it is never a configuration's entry.
    if (Trim(caption).compare(kLastSaved, Qt::CaseInsensitive) == 0)
        return false;
    ProfileFile::Edit edit{ProfileFile(m_path)};
    ProfileDocument& doc = edit.document();
    const QString entry = doc.readString(kIndexSection, caption);
    // The slot listed under the caption goes, and only that one: never a slot that a stale entry
    // names while it holds another configuration.
    if (const std::optional<int> slot = slotHolding(doc, caption))
        doc.eraseSection(slotSection(*slot));
    else if (!entry.isEmpty() && !slotOf(entry) && entry.compare(kIndexSection, Qt::CaseInsensitive) != 0)
        doc.eraseSection(entry); // a hand-made entry naming a section of its own
    doc.deleteKey(kIndexSection, caption);
    const bool removed = doc.changed();
    edit.commit();
    return removed;
}
