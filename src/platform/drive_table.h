#pragma once

#include <QChar>
#include <QMap>
#include <QString>

// Which host path stands behind each drive letter: section DRIVES of PCBW.INI, key = letter,
// value = a directory, an image file (.img .ima .flp .vfd .dsk) or a block device. A: and B:
// default to A.img and B.img in the program directory; a relative value is taken relative to the
// program directory. A letter without a mapping has no volume. Key Template names a diskette image
// of which every missing image is made a copy when first written (instead of a blank diskette).
class DriveTable {
public:
    enum class Kind { None, Directory, Image, Device };

    DriveTable() = default;
    // Reads the table from <programDir>/PCBW.INI (nothing cached: call again to see changes).
    // Throws ProfileReadError when the file is there but cannot be read.
    static DriveTable load(const QString& programDir);

    // Puts a letter's host path into <programDir>/PCBW.INI for good. Throws IoError (with the
    // profile file's message) when the file cannot be written.
    static void save(const QString& programDir, QChar letter, const QString& hostPath);

    // Maps a letter for this run only (the command line's --drive); an empty path removes it.
    void map(QChar letter, const QString& hostPath);
    // The host path behind a letter, or an empty text when the letter is not mapped.
    QString hostPath(QChar letter) const;
    // Directory when the path is an existing directory, Device for a block device, Image for an
    // image file (existing or not yet), None when the letter is not mapped.
    Kind kind(QChar letter) const;
    // What a build will meet behind a letter, in a few words ("made blank when first written",
    // "no diskette image: ...", "does not exist: ..."); empty when it is simply there to be written.
    // The wizard's drive notes and `bootwright-cli drives` both say it in these words.
    QString note(QChar letter) const;
    // For people: "A: is the image /home/u/.config/bootwright/A.img", with the note in brackets
    // after it: "... (made blank when first written)".
    QString describe(QChar letter) const;
    QMap<QChar, QString> mappings() const { return m_paths; }

    // Where a file dialog for `path` should open: the host folder that holds the file (or that the
    // path names, when it ends in a separator), for a host path or a path on a folder drive; the
    // nearest folder of it that exists. Empty when no host folder can be told (an image, a device).
    QString hostFolder(const QString& path) const;
    // The template of new images as an absolute host path; empty: new images are made blank.
    QString templateImage() const { return m_template; }
    void setTemplateImage(const QString& hostPath);
    // For people: where new diskette images come from, and whether the template can serve.
    QString describeTemplate() const;

private:
    QMap<QChar, QString> m_paths; // upper-case letter -> absolute host path
    QString m_template;
};
