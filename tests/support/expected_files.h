#pragma once

// The text files the builds write, as the writer tests and the route tests expect them: dated as
// the fixed test clock dates them, for the NE2000 driver unless a builder is told otherwise.

#include <QByteArray>
#include <QString>
#include <QStringList>

// Lines joined as a DOS text file, each ended by CR LF.
inline QByteArray dosText(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines)
        out += line.toLatin1() + "\r\n";
    return out;
}

inline const QByteArray kMicrosoftConfigSys = dosText({
    "REM [CONFIG.SYS : Created by PCBW 12/7/2026]",
    "dos=high, umb",
    "device=himem.sys /NUMHandles=128 /TESTMEM:ON",
    "device=emm386.exe /NOEMS",
    "devicehigh=\\net\\ifshlp.sys",
    "files=60",
    "stacks=0,0",
    "buffers=30",
    "lastdrive=z",
});

// The lines of a Microsoft AUTOEXEC.BAT up to the drive it connects.
inline const QStringList kMicrosoftAutoexecHead{
    "@ECHO OFF",      "REM [AUTOEXEC.BAT : Created by PCBW 12/7/2026]",
    "prompt $p$g",    "cd net",
    "net initialize", "umb.com",
    "netbind.com",    "tcptsr.exe",
    "tinyrfc.exe",    "net start"};

// PROTOCOL.INI of driver base B with the lines of the NIC section and of the address part.
inline QByteArray microsoftProtocolIni(const QString& b, const QStringList& nicLines,
                                       const QStringList& addressLines) {
    return dosText(QStringList{"[network.setup]", "version=0x3110", "netcard=ms$" + b + ",1,MS$" + b + ",1",
                               "transport=tcpip,TCPIP", "lana0=ms$" + b + ",1,tcpip", " ", "[ms$" + b + "]",
                               "drivername =" + b + "$"} +
                   nicLines +
                   QStringList{" ", "[protman]", "drivername = PROTMAN$", "priority = MS$NDISHLP", " ",
                               "[tcpip]", "NBSessions=6", "DefaultGateway0="} +
                   addressLines + QStringList{"DriverName=TCPIP$", "Bindings=ms$" + b, "LanaBase=0"});
}

inline QByteArray microsoftSystemIni(const QString& computer, const QString& root, const QString& user,
                                     const QString& group, const QString& logonDomain,
                                     const QString& netcard) {
    return dosText({"[network]",
                    "filesharing=no",
                    "printsharing=no",
                    "autologon=yes",
                    "computername=" + computer,
                    "lanroot=" + root + "\\NET\\",
                    "username=" + user,
                    "workgroup=" + group,
                    "reconnect=no",
                    "dospophotkey=n",
                    "lmlogon=0",
                    "logondomain=" + logonDomain,
                    "preferredredir=full",
                    "autostart=full",
                    "maxconnections=8",
                    " ",
                    "[network drivers]",
                    "netcard=" + netcard,
                    "transport=tcpdrv.dos,nemm.dos",
                    "devdir=" + root + "\\NET\\",
                    "LoadRMDrivers=yes",
                    " ",
                    "[password lists]"});
}

inline const QByteArray kNetWareConfigSys = dosText({
    "REM [CONFIG.SYS : Created by PCBW 12/7/2026]",
    "dos=high, umb",
    "device=himem.sys /NUMHandles=128 /TESTMEM:ON",
    "device=emm386.exe /NOEMS",
    "files=60",
    "stacks=0,0",
    "buffers=30",
    "lastdrive=z",
});

// NET.CFG of NE2000.DOS with the given INT/PORT lines, frame type and first network drive.
inline QByteArray netWareNetCfg(const QStringList& nicLines, const QString& frame,
                                const QString& firstDrive) {
    return dosText(
        QStringList{"Link Support", " ", "Protocol", "   Bind NE2000", " ", "LINK DRIVER NE2000"} + nicLines +
        QStringList{"   Frame      " + frame, " ", "NetWare DOS Requester",
                    "        FIRST NETWORK DRIVE = " + firstDrive, "        USE DEFAULTS = OFF",
                    "        VLM = CONN.VLM", "        VLM = IPXNCP.VLM", "        VLM = TRAN.VLM",
                    "        VLM = SECURITY.VLM", "        VLM = NDS.VLM", "        VLM = BIND.VLM",
                    "        VLM = NWP.VLM", "        VLM = FIO.VLM", "        VLM = GENERAL.VLM",
                    "        VLM = REDIR.VLM", "        VLM = PRINT.VLM", "        VLM = NETX.VLM"});
}

inline const QByteArray kNoNetworkConfigSys =
    "REM [CONFIG.SYS : Created by PCBW 12/7/2026]\r\n"
    "REM **     Standalone Mode, No Networking              ***\r\n"
    "REM ** Note: Load everything high that you can         ***\r\n"
    "dos=high, umb\r\n"
    "device=himem.sys /NUMHandles=128 /TESTMEM:ON\r\n"
    "device=emm386.exe /NOEMS\r\n"
    "files=60\r\n"
    "stacks=0,0\r\n"
    "buffers=30\r\n"
    "REM ** Note: To restore images from CD-ROM...          ***\r\n"
    "REM ** Insert your CD-ROM drive command-line           ***\r\n"
    "REM ** here, be sure to load it high and copy          ***\r\n"
    "REM ** the MTM??? files to this floppy.                ***\r\n"
    "REM ** For example: DEVICEHIGH=YourCONFIGSYSCDRomDriver***\r\n";

inline const QByteArray kNoNetworkAutoexec = "@ECHO OFF\r\n"
                                             "REM [AUTOEXEC.BAT : Created by PCBW 12/7/2026]\r\n"
                                             "REM **     Standalone Mode, No Networking      ***\r\n"
                                             "REM ** Note: Load everything high that you can ***\r\n"
                                             "prompt $p$g\r\n"
                                             "REM ** Note: To restore images from CD-ROM...  ***\r\n"
                                             "REM ** Insert your CD-ROM drive command-line   ***\r\n"
                                             "REM ** here, be sure to load it high and copy  ***\r\n"
                                             "REM ** the MTM??? files to this floppy.        ***\r\n"
                                             "REM ** For example: LH=YourAutoExecCDRomDriver ***\r\n"
                                             "lh client.exe\r\n";
