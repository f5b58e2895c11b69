#include "platform/copy_file.h"

#include "platform/dos_fs.h"
#include "platform/io_error.h"

#include <vector>

namespace {
constexpr qint64 kBlockSize = 40960;
}

int CopyMyFile(DosFs& fs, const QString& source, const QString& target) {
    std::unique_ptr<DosReader> in;
    try {
        in = fs.openRead(source);
    } catch (const IoError&) {
        return -1;
    }

    // Creating the target would empty the source before a byte of it was read.
    bool same = false;
    try {
        same = fs.sameFile(source, target);
    } catch (const IoError&) {
    }
    if (same)
        return 0;

    // So that a read-only file of that name can be replaced. There may be no such file yet; if the
    // target cannot be reached at all, creating it says so.
    try {
        fs.setAttributes(target, 0);
    } catch (const IoError&) {
    }
    std::unique_ptr<DosWriter> out;
    try {
        out = fs.create(target);
    } catch (const IoError&) {
        return -1;
    }

    // The copy stops at the first write that falls short: going on would put the later blocks
    // where the missing bytes belong, and a short last block must not pass for a complete copy.
    std::vector<char> buffer(kBlockSize);
    qint64 numRead = 0;
    qint64 numWritten = 0;
    do {
        numRead = in->read(buffer.data(), kBlockSize);
        numWritten = numRead > 0 ? out->write(buffer.data(), numRead) : 0;
    } while (numRead > 0 && numWritten == numRead);

    const bool complete = numRead == numWritten;
    if (complete)
        out->setFileTime(in->fileTime());
    out->close();
    if (!complete)
        return 1;
    fs.setAttributes(target, in->attributes());
    return 0;
}
