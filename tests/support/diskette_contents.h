#pragma once

// What the builds put on a diskette, for every test that lays out the source files or reads a
// diskette back: the files each kind of diskette gets besides its text files, in the order the
// build copies them, and the means to list and read a diskette (a directory or an image).

#include "test_env.h"

#include <QDir>
#include <QDirIterator>
#include <QStringList>

// From NovellDriverPath into the root of a NetWare diskette.
inline const QStringList kNetWareFiles{"MAP.EXE",  "VLM.EXE",      "IPXODI.COM", "LSL.COM",     "AUTO.VLM",
                                       "BIND.VLM", "CONN.VLM",     "FIO.VLM",    "GENERAL.VLM", "IPXNCP.VLM",
                                       "NDS.VLM",  "NETX.VLM",     "NWP.VLM",    "PRINT.VLM",   "REDIR.VLM",
                                       "RSA.VLM",  "SECURITY.VLM", "TRAN.VLM"};

// From MicrosoftDriverPath into \NET of a Microsoft diskette; LMHOSTS has no extension.
inline const QStringList kMicrosoftFiles{"NET.EXE",     "NETBIND.COM", "UMB.COM",  "TCPTSR.EXE",
                                         "TINYRFC.EXE", "NET.MSG",     "NETH.MSG", "IFSHLP.SYS",
                                         "NDISHLP.SYS", "WFWSYS.CFG",  "NEMM.DOS", "TCPDRV.DOS",
                                         "PROTMAN.DOS", "PROTMAN.EXE", "LMHOSTS",  "TCPUTILS.INI"};

// From NICDriverPath into the root of a Multicast diskette, after the NIC driver.
inline const QStringList kMulticastStackFiles{"netbind.com", "dis_pkt9.dos", "protman.exe", "protman.dos"};

// The DOS system files a diskette formatted with system files carries; the build only looks for them.
inline const QStringList kSystemFiles{"HIMEM.SYS", "EMM386.EXE", "COMMAND.COM"};

inline QStringList sorted(QStringList names) {
    names.sort();
    return names;
}

inline bool isImage(const QString& root) {
    return root.endsWith(QLatin1String(".img"), Qt::CaseInsensitive);
}

// Every file and directory below root, relative, upper-cased (DOS does not tell case apart),
// directories with a final "/", sorted.
inline QStringList listing(const QString& root) {
    QStringList out;
    if (isImage(root)) {
        QByteArray text;
        TestEnv::run(QStringLiteral("mdir"), {"-/", "-b", "-i", root, "::"}, &text);
        for (const QByteArray& line : text.split('\n')) {
            const QString name = QString::fromLatin1(line).trimmed();
            if (name.startsWith(QLatin1String("::/")))
                out << name.mid(3).toUpper();
        }
    } else {
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            out << QDir(root).relativeFilePath(path).toUpper() +
                       (it.fileInfo().isDir() ? QStringLiteral("/") : QString());
        }
    }
    out.sort();
    return out;
}

// The bytes of a diskette file, found without regard to case ("NET/PROTOCOL.INI").
inline QByteArray diskFile(const QString& root, const QString& relative) {
    if (isImage(root))
        return TestEnv::mtype(root, QStringLiteral("::/") + relative);
    QString path = root;
    for (const QString& part : relative.split(QLatin1Char('/'))) {
        const QStringList entries =
            QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QString found;
        for (const QString& e : entries)
            if (e.compare(part, Qt::CaseInsensitive) == 0)
                found = e;
        if (found.isEmpty())
            return {};
        path += QLatin1Char('/') + found;
    }
    return TestEnv::readHostFile(path);
}

// Every file of an image with its attributes and bytes, sorted: two diskettes that compare equal
// hold the same files, whatever their order and clusters.
inline QStringList imageContents(const QString& image) {
    QByteArray attributes;
    TestEnv::run(QStringLiteral("mattrib"), {"-/", "-i", image, "::"}, &attributes);
    QStringList out = QString::fromLatin1(attributes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& line : out)
        line =
            line.simplified() + QLatin1Char(' ') +
            QString::fromLatin1(TestEnv::mtype(image, line.mid(line.indexOf(QLatin1String("::/")))).toHex());
    out.sort();
    return out;
}
