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
