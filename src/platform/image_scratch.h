#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

// The scratch directory of one diskette volume ("bootwright-PID-XXXXXX", made on first use): host
// copies of files on their way into or out of the diskette, and the link with a plain name through
// which mtools reaches the diskette. mtools hands an image name holding shell characters to
// /bin/sh, so it is only ever given that link, whatever the real path holds.
class ImageScratch {
public:
    explicit ImageScratch(QString image) : m_image(std::move(image)) {}

    // A fresh host path in the scratch directory.
    QString newPath();
    // The plain-named link to target; made anew only when target changes.
    QString linkTo(const QString& target);

    // Removes the scratch directories in tempDir that processes now ended left behind.
    static void removeStale(const QString& tempDir);
    // Where the scratch directories go: the temporary folder, or /tmp when its path holds a
    // character mtools would hand to the shell.
    static QString root();
    // True when mtools takes this path as it stands: no character the shell or mtools reads.
    static bool plainPath(const QString& path);

private:
    QString m_image; // for messages
    quint64 m_count = 0;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_linkTarget;
};
