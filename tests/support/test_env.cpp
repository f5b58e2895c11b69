#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace TestEnv {

int run(const QString& program, const QStringList& args, QByteArray* out) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return -1;
    p.waitForFinished(120000);
    if (out)
        *out = p.readAll();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

bool fsckClean(const QString& image, QByteArray* report) {
    return run(QStringLiteral("fsck.fat"), {QStringLiteral("-n"), image}, report) == 0;
}

bool makeBlankImage(const QString& path) {
    QFile::remove(path);
    return run(QStringLiteral("mformat"), {"-f", "1440", "-C", "-i", path, "::"}) == 0;
}

QByteArray mtype(const QString& image, const QString& dosPath) {
    QProcess p;
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(QStringLiteral("mtype"), {"-i", image, dosPath});
    p.waitForFinished(60000);
    return p.readAllStandardOutput();
}

QStringList imageFiles(const QString& image) {
    QProcess p;
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(QStringLiteral("mdir"), {"-/", "-b", "-i", image, "::"});
    p.waitForFinished(60000);
    QStringList files;
    for (const QString& line : QString::fromLocal8Bit(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QString path = line.trimmed();
        if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
            files << path;
    }
    files.sort();
    return files;
}

bool makeSystemImage(const QString& path) {
    if (!makeBlankImage(path))
        return false;
    QFile image(path);
    if (!image.open(QIODevice::ReadWrite) || !image.seek(62))
        return false;
    // Boot code of its own between the parameter block and the signature.
    QByteArray code;
    for (int i = 62; i < 510; ++i)
        code += char((i * 13 + 7) & 0xff);
    image.write(code);
    image.close();
    const QString dir = QFileInfo(path).absolutePath();
    for (const char* name : {"IO.SYS", "MSDOS.SYS", "COMMAND.COM", "HIMEM.SYS", "EMM386.EXE"}) {
        const QString host = dir + QStringLiteral("/sys-") + QLatin1String(name);
        writeHostFile(host, QByteArray(name) + QByteArray(3000, char(name[0])));
        const bool copied =
            run(QStringLiteral("mcopy"), {"-i", path, host, QStringLiteral("::/") + name}) == 0;
        QFile::remove(host);
        if (!copied)
            return false;
    }
    return run(QStringLiteral("mattrib"), {"-i", path, "+h", "+s", "::/IO.SYS", "::/MSDOS.SYS"}) == 0;
}

qint64 imageFreeBytes(const QString& image) {
    QByteArray listing;
    if (run(QStringLiteral("mdir"), {"-i", image, "::"}, &listing) != 0)
        return -1;
    const qsizetype at = listing.indexOf(" bytes free");
    if (at < 0)
        return -1;
    const qsizetype start = listing.lastIndexOf('\n', at) + 1;
    return QString::fromLatin1(listing.mid(start, at - start)).remove(u' ').toLongLong();
}

bool putIntoImage(const QString& image, const QString& name, qint64 size) {
    const QString host = image + QStringLiteral(".put");
    writeHostFile(host, QByteArray(size, 'F'));
    const bool copied = run(QStringLiteral("mcopy"), {"-i", image, host, QStringLiteral("::/") + name}) == 0;
    QFile::remove(host);
    return copied;
}

void writeHostFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(data);
}

QByteArray readHostFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace TestEnv
