#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>

class Dialogs;
class DosFs;

// Batch Diskette Update: gives copied Multicast diskettes one after another their own client
// address and name by rewriting WATTCP.CFG in each diskette's root. The page and the command line
// drive the same loop; it asks for each diskette through the Dialogs port.
class BatchUpdate {
public:
    // The page's values; the loop advances address and name as it goes.
    struct Fields {
        bool updateAddress = true;                           // CheckBox1 "Update Client IP Address"
        QString address = QStringLiteral("  0.  0.  0.  0"); // Edit1
        bool updateName = true;                              // CheckBox2 "Update Client Name"
        QString name = QStringLiteral("Not Specified");      // Edit3
        QChar drive = QLatin1Char('A');                      // RadioButton1 selected: A, else B
        // A host list's mask for this diskette: NETMASK is written only then.
        bool updateMask = false;
        QString mask;
    };

    // What a host list gives one diskette, in place of the increment: the address in the field's
    // 15-character form, the name, and the mask in that form or empty when the list gives none.
    struct Given {
        QString address;
        QString name;
        QString mask;
    };

    enum class End {
        NothingToDo,    // neither box checked: "Nothing to do!"
        Stopped,        // a prompt was answered with anything but OK
        MissingFile,    // "Could not find WATTCP.CFG file on the diskette!"
        UnreadableFile, // "Could not open WATTCP.CFG file!"
        HostsDone,      // the host list has no host left for the next diskette
    };

    // A name or address that WATTCP.CFG cannot hold as it stands: go() refuses it before asking for
    // a diskette.
    class FieldError : public std::invalid_argument {
    public:
        explicit FieldError(const QString& message) : std::invalid_argument(message.toStdString()) {}
    };

    BatchUpdate(DosFs& fs, Dialogs& dialogs) : m_fs(fs), m_dialogs(dialogs) {}

    // Why a value cannot go into WATTCP.CFG (a line break would add lines, a character that
    // Windows-1252 lacks would arrive as "?"), or an empty text. field names it in the message.
    static QString fieldProblem(const QString& value, const QString& field);

    // Called after each prompt is answered OK, before that diskette is read: the next diskette is
    // put behind the drive here (the command line maps it; the page asks for an image's or a
    // folder's next one). Its argument counts diskettes from 1; false ends the batch as Cancel does.
    std::function<bool(int diskette)> diskettePlaced;
    // Called after each diskette has been written, with the address and name it got (an empty text
    // for what it kept of its own).
    std::function<void(int diskette, const QString& address, const QString& name)> updated;
    // When set, gives each diskette (counted from 1) its values instead of the increment; nullopt
    // when no host is left, which ends the batch before another diskette is asked for.
    std::function<std::optional<Given>(int diskette)> given;

    // "&GO >". A failure to write the file throws IoError (the old file stays whole), as does a
    // diskette that is no diskette; a field the file cannot hold throws FieldError. Each diskette is
    // locked from its read to its write, so that two updates of one diskette take turns.
    End go(Fields& fields);

    // The new WATTCP.CFG: every line of the old one carried over in its place, the three keys
    // replaced where they stand: the first line of each in file order among the lines before any
    // section and those of "[CLIENT DISKETTE OPERATION]" (so the first seven lines are looked at
    // first, and a key further down is found too); a key the file lacks is added after that
    // section's header (first, when there is none) only when it is updated. Running it again with
    // the same fields changes nothing. Throws FieldError for a field that fieldProblem() refuses.
    static QByteArray rewrite(const QByteArray& old, const Fields& fields);

private:
    DosFs& m_fs;
    Dialogs& m_dialogs;
};
