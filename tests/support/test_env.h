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
// Writes a host file, creating its directory.
void writeHostFile(const QString& path, const QByteArray& data);
QByteArray readHostFile(const QString& path);
} // namespace TestEnv
