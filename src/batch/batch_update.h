#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>

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
    };

    enum class End {
        NothingToDo,    // neither box checked: "Nothing to do!"
        Stopped,        // a prompt was answered with anything but OK
        MissingFile,    // "Could not find WATTCP.CFG file on the diskette!"
        UnreadableFile, // "Could not open WATTCP.CFG file!"
    };

    BatchUpdate(DosFs& fs, Dialogs& dialogs) : m_fs(fs), m_dialogs(dialogs) {}

    // Called after each prompt is answered OK, before that diskette is read: the next diskette is
    // put behind the drive here (the command line maps it; the page asks for an image's or a
    // folder's next one). Its argument counts diskettes from 1; false ends the batch as Cancel does.
    std::function<bool(int diskette)> diskettePlaced;
    // Called after each diskette has been written, with the address and name it got (an empty text
    // for what it kept of its own).
    std::function<void(int diskette, const QString& address, const QString& name)> updated;

    // "&GO >". A failure to write the file throws IoError (the old file stays whole).
    End go(Fields& fields);

    // The new WATTCP.CFG: every line of the old one carried over in its place, the three keys
    // (looked for in the first seven lines) replaced; a key the file lacks is added after the
    // "[CLIENT DISKETTE OPERATION]" line (first, when there is none) only when it is updated.
    static QByteArray rewrite(const QByteArray& old, const Fields& fields);

private:
    DosFs& m_fs;
    Dialogs& m_dialogs;
};
