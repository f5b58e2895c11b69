#pragma once

// A program directory that bootwright-cli can build a Multicast diskette from (PCBW.INI with the
// driver folders, placeholder drivers and client program), and the command line run on it.

#include "cli_runner.h"
#include "diskette_contents.h"
#include "test_env.h"

#include <QDir>
#include <QTemporaryDir>

class CliProgram {
public:
    using Result = CliResult;

    CliProgram() {
        dir = tmp.filePath(QStringLiteral("prog"));
        TestEnv::writeHostFile(path("PCBW.INI"), QStringLiteral("[LOCATIONS]\r\n"
                                                                "NICDriverPath=%1/nics/\r\n"
                                                                "Client=%1/pella/client.exe\r\n")
                                                     .arg(dir)
                                                     .toLatin1());
        for (const QString& f : QStringList{"ne2000.dos"} + kMulticastStackFiles)
            TestEnv::writeHostFile(path("nics/" + f), "placeholder " + f.toLatin1() + "\r\n");
        TestEnv::writeHostFile(path("pella/client.exe"), "placeholder client\r\n");
    }

    QString path(const QString& rel) const { return dir + QLatin1Char('/') + rel; }

    // Appends lines to section DRIVES of PCBW.INI.
    void setDrives(const QByteArray& lines) {
        TestEnv::writeHostFile(path("PCBW.INI"),
                               TestEnv::readHostFile(path("PCBW.INI")) + "[DRIVES]\r\n" + lines);
    }

    // The values of a Multicast diskette that passes every page check.
    QStringList multicast() const {
        return {"--set", "nic.driver=" + path("nics/NE2000.DOS"), "--set", "multicast.ip=10.0.0.5",
                "--set", "multicast.mask=255.255.255.0",          "--set", "multicast.name=client01"};
    }

    // bootwright-cli --dir DIR args..., in this process.
    Result cli(const QStringList& args) const { return CliRunner::run(QStringList{"--dir", dir} + args); }
    // The same as a process of its own: for real devices.
    Result process(const QStringList& args) const {
        return CliRunner::process(QStringList{"--dir", dir} + args);
    }

    QTemporaryDir tmp;
    QString dir;
};
