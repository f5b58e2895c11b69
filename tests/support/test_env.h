#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Small helpers shared by the tests.
namespace TestEnv {
// Runs a program and returns its exit code (-1 when it could not start); output goes to *out.
int run(const QString& program, const QStringList& args, QByteArray* out = nullptr);
// fsck.fat -n on an image: true when it finds nothing wrong. *report gets its output.
bool fsckClean(const QString& image, QByteArray* report = nullptr);
// A fresh blank 1.44 MB image made with mformat.
bool makeBlankImage(const QString& path);
// The bytes of a file inside an image, as mtype reads them ("::/CONFIG.SYS").
QByteArray mtype(const QString& image, const QString& dosPath);
// The paths of every file inside an image ("::/NET/PROTOCOL.INI"), as mdir lists them; folders left out.
QStringList imageFiles(const QString& image);
// A blank image made into a system diskette the way a user's DOS would leave it: its own boot code
// and IO.SYS, MSDOS.SYS (hidden, system), COMMAND.COM, HIMEM.SYS and EMM386.EXE.
bool makeSystemImage(const QString& path);
// The free bytes mdir reports for an image; -1 when it cannot tell.
qint64 imageFreeBytes(const QString& image);
// Copies a file of that many bytes into the image as ::/name (the diskette filled from outside).
bool putIntoImage(const QString& image, const QString& name, qint64 size);
// Writes a host file, creating its directory.
void writeHostFile(const QString& path, const QByteArray& data);
QByteArray readHostFile(const QString& path);
} // namespace TestEnv
