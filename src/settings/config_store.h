#pragma once

#include "settings/build_settings.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

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
// Asked before a save replaces a configuration because every slot is taken; %1 is its description.
inline const QString ReplaceOldest =
    QStringLiteral("All 100 configuration slots are in use. Saving this configuration replaces the "
                   "oldest one, \"%1\". Replace it?");
} // namespace ConfigMessages

// PCBWSAVE.INI in the program directory: up to 100 named configurations in the slot sections
// SAVED1 to SAVED100, used as a ring, and section SAVED, which maps each description to its slot
// section and keeps the last slot written. Nothing is held between operations. Each save,
// overwrite and removal is one replacement of the file under its lock: all of it or nothing, and
// two programs saving at once never lose each other's configurations. A new configuration takes the
// first free slot after the last one written; only when all 100 are taken does it replace the one
// in the next slot, and only when the caller agrees.
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
    // The slots from 1 to 100 whose DESC is not empty, in slot order. Throws ProfileReadError when
    // the file is there but cannot be read.
    QVector<Item> list() const;
    // The listed configuration of that description: the one spelt exactly so, else the first whose
    // description differs only in letter case (as a save compares them).
    std::optional<Item> find(const QString& description) const;

    struct SaveResult {
        enum class Status {
            Saved,
            Refused,        // the description cannot be saved; nothing was written
            NotOverwritten, // a configuration of that description exists and the answer was no
            NotReplaced,    // every slot is taken and replacing the oldest was declined
            Failed,         // the file could not be read or written; it is as it was
        };
        Status status = Status::Saved;
        int slot = 0;     // the slot written (Saved)
        QString message;  // the text to show for every status but Saved
        QString replaced; // the configuration replaced (Saved) or that would be (NotReplaced)
    };

    // Saves the settings under the description (leading and trailing blanks removed, since the file
    // would drop them on reading). confirmOverwrite is asked when a configuration of that
    // description exists (compared without regard to letter case); the caller puts
    // ConfigMessages::AlreadyExists to the user, or answers from its options. confirmReplace is
    // asked, with the description of the configuration that would go, when every slot is taken.
    // No answer means no. The questions are asked while the file is not locked; should the file
    // change meanwhile so that the answer no longer fits, the question is asked again.
    SaveResult save(const QString& description, const BuildSettings& settings,
                    const std::function<bool()>& confirmOverwrite,
                    const std::function<bool(const QString& replaced)>& confirmReplace = {}) const;

    // Why a description cannot be saved, or an empty text when it can.
    static QString descriptionProblem(const QString& description);

    // The configuration of a listed caption, over the current settings: every saved value comes
    // from the file (its load default when missing), every unsaved value stays as current holds it,
    // TForm13.Edit1 becomes the caption and BuildMode 1 or 2. A stored address that is no address is
    // replaced by its load default and named in *problems; a stored text that no page would take (a
    // control character) throws SettingsError naming the file, the configuration and the value.
    BuildSettings load(const QString& caption, const BuildSettings& current,
                       QStringList* problems = nullptr) const;
    static QString loadedMessage(const BuildSettings& loaded);

    // Erases the configuration listed under the caption (its slot section) and the caption's entry
    // in section SAVED, in one replacement of the file. False when there was nothing to remove.
    // Throws ProfileWriteError when the file refuses the change, ProfileReadError when it cannot be
    // read.
    bool remove(const QString& caption) const;

private:
    QString m_path;
};
