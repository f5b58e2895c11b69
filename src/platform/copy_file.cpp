#include "platform/copy_file.h"

#include "platform/dos_fs.h"

#include <QCryptographicHash>
#include <utility>
#include <vector>

namespace {
constexpr qint64 kBlockSize = 40960;
// Kept as bytes up to here: comparing them costs nothing, where hashing them twice (at the copy and
// at the read-back) was most of a build's own work.
constexpr qint64 kKeptBytes = qint64{4} * 1024 * 1024;

int failed(CopyReport* report, int result, const IoError& error, bool source = false) {
    if (report) {
        report->message = error.message();
        report->problem = error.problem();
        report->sourceFailed = source;
    }
    return result;
}
} // namespace

int CopyMyFile(DosFs& fs, const QString& source, const QString& target, CopyReport* report) {
    CopyReport unused;
    if (!report)
        report = &unused;
    std::unique_ptr<DosReader> in;
    try {
        in = fs.openRead(source);
    } catch (const IoError& e) {
        return failed(report, -1, e, true);
    }

    // Creating the target would empty the source before a byte of it was read.
    bool same = false;
    try {
        same = fs.sameFile(source, target);
    } catch (const IoError&) {
    }
    if (same)
        return 0;

    // So that a read-only (or hidden or system) file of that name can be replaced. Clearing only
    // the archive bit would change nothing: the new file gets its own attributes. There may be no
    // such file yet; if the target cannot be reached at all, creating it says so.
    try {
        const std::optional<quint8> present = fs.attributesIfPresent(target);
        if (present && (*present & (DosAttr::ReadOnly | DosAttr::Hidden | DosAttr::System)))
            fs.setAttributes(target, 0);
    } catch (const IoError&) {
    }
    std::unique_ptr<DosWriter> out;
    try {
        out = fs.create(target);
    } catch (const IoError& e) {
        return failed(report, -1, e);
    }

    // The copy stops at the first write that falls short: going on would put the later blocks
    // where the missing bytes belong, and a short last block must not pass for a complete copy.
    QCryptographicHash digest(QCryptographicHash::Sha256);
    std::vector<char> buffer(kBlockSize);
    qint64 numRead = 0;
    qint64 numWritten = 0;
    do {
        numRead = in->read(buffer.data(), kBlockSize);
        numWritten = numRead > 0 ? out->write(buffer.data(), numRead) : 0;
        if (report->size + numWritten <= kKeptBytes) {
            report->data.append(buffer.data(), numWritten);
        } else {
            if (!report->data.isEmpty())
                digest.addData(std::exchange(report->data, {}));
            digest.addData(QByteArrayView(buffer.data(), numWritten));
        }
        report->size += numWritten;
    } while (numRead > 0 && numWritten == numRead);

    const bool complete = numRead == numWritten;
    if (complete) {
        report->sourceTime = in->fileTime();
        out->setFileTime(report->sourceTime);
    }
    try {
        out->close();
    } catch (const IoError& e) {
        // On an image the file reaches the diskette only here: a full disk is a short write, any
        // other refusal means the file could not be made.
        return failed(report, e.problem() == IoError::Problem::NoSpace ? 1 : -1, e);
    }
    if (!complete) {
        report->problem = IoError::Problem::NoSpace;
        return 1;
    }
    if (report->size > kKeptBytes)
        report->digest = digest.result();
    report->written = true;
    report->sourceAttributes = in->attributes();
    fs.setAttributes(target, report->sourceAttributes);
    return 0;
}
