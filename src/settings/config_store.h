#pragma once

#include "settings/build_settings.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// Texts of saving and loading configurations, shown by the desktop program and printed by the
// command line.
namespace ConfigMessages {
inline const QString NeedDescription = QStringLiteral("You must enter a description for the configuration.");
inline const QString AlreadyExists =
    QStringLiteral("A configuration already exists with that name.  Overwrite it?");
inline const QString NotSaved = QStringLiteral("Note: Configuration has not been saved!");
inline const QString NotFound = QStringLiteral("Configuration could not be found.\rPlease try again.");
inline const QString MulticastLoaded = QStringLiteral("Multicast Configuration Loaded.");
inline const QString StandaloneLoaded = QStringLiteral("Standalone Configuration Loaded.");
} // namespace ConfigMessages

// PCBWSAVE.INI in the program directory: up to 100 named configurations in the slot sections
// SAVED1 to SAVED100, used as a ring, and section SAVED, which maps each description to its slot
// section and keeps the last slot written. Nothing is held between operations.
class ConfigStore {
public:
    static constexpr int SlotCount = 100;

    explicit ConfigStore(const QString& programDir);
    QString path() const { return m_path; }

    // One entry of the Load page's list.
    struct Item {
        QString description; // DESC of the slot, the caption the list shows
        bool multicast;      // paramh read as a number is not 0
        int slot;
    };
    // The slots from 1 to 100 whose DESC is not empty, in slot order.
    QVector<Item> list() const;

    struct SaveResult {
        enum class Status {
            Saved,
            Refused,        // the description cannot be saved; nothing was written
            NotOverwritten, // a configuration of that description exists and the answer was no
            Failed,         // the file refused a write; what came before it stays written
        };
        Status status = Status::Saved;
        int slot = 0;    // the slot written (Saved, and Failed once the slot was chosen)
        QString message; // the text to show for every status but Saved
    };

    // Saves the settings under the description (leading and trailing blanks removed, since the file
    // would drop them on reading). confirmOverwrite is asked when a configuration of that
    // description exists (compared without regard to letter case); the caller puts
    // ConfigMessages::AlreadyExists to the user, or answers from its options. No answer means no.
    SaveResult save(const QString& description, const BuildSettings& settings,
                    const std::function<bool()>& confirmOverwrite) const;

    // Why a description cannot be saved, or an empty text when it can.
    static QString descriptionProblem(const QString& description);

    // The configuration of a listed caption, over the current settings: every saved value comes
    // from the file (its load default when missing), every unsaved value stays as current holds it,
    // TForm13.Edit1 becomes the caption and BuildMode 1 or 2. A stored value that its kind cannot
    // take is replaced by its load default and named in *problems.
    BuildSettings load(const QString& caption, const BuildSettings& current,
                       QStringList* problems = nullptr) const;
    static QString loadedMessage(const BuildSettings& loaded);

    // Erases the caption's slot section and its entry in section SAVED; failures are ignored, as is
    // a caption without an entry.
    void remove(const QString& caption) const;

private:
    QString m_path;
};
