#include "writers/microsoft_writer.h"

#include "platform/dos_fs.h"
#include "platform/dos_path.h"
#include "platform/io_error.h"
#include "platform/text_util.h"
#include "rules/page_rules.h"
#include "settings/page_values.h"
#include "writers/build_run.h"
#include "writers/microsoft_autoexec.h"

#include <QStringList>

namespace {

// The network client files with the gauge value set after each, copied or not.
struct MicrosoftFile {
    const char* name;
    int gaugeAfter;
};
constexpr MicrosoftFile kMicrosoftFiles[] = {
    {"NET.EXE", 15},     {"NETBIND.COM", 20}, {"UMB.COM", 25},  {"TCPTSR.EXE", 30},
    {"TINYRFC.EXE", 35}, {"NET.MSG", 40},     {"NETH.MSG", 45}, {"IFSHLP.SYS", 55},
    {"NDISHLP.SYS", 60}, {"WFWSYS.CFG", 65},  {"NEMM.DOS", 70}, {"TCPDRV.DOS", 75},
    {"PROTMAN.DOS", 80}, {"PROTMAN.EXE", 85}, {"LMHOSTS.", 90}, {"TCPUTILS.INI", 95},
};

// "192.168.  1.  5" -> "192.168.1.5", the field without the blanks the mask keeps for digits not typed.
QString withoutBlanks(const QString& text) {
    return StrTran(text, QStringLiteral(" "), QString());
}

// "192.168.1.5" -> "192 168 1 5", the form the Microsoft TCP/IP stack reads.
QString stackForm(const QString& dotted) {
    return StrTran(dotted, QStringLiteral("."), QStringLiteral(" "));
}

QStringList configSysLines(const BuildRun& run) {
    return {
        QStringLiteral("REM [CONFIG.SYS : Created by PCBW ") + run.dateStamp() + QStringLiteral("]"),
        QStringLiteral("dos=high, umb"),
        QStringLiteral("device=himem.sys /NUMHandles=128 /TESTMEM:ON"),
        QStringLiteral("device=emm386.exe /NOEMS"),
        QStringLiteral("devicehigh=\\net\\ifshlp.sys"),
        QStringLiteral("files=60"),
        QStringLiteral("stacks=0,0"),
        QStringLiteral("buffers=30"),
        QStringLiteral("lastdrive=z"),
    };
}

QStringList protocolIniLines(const BuildRun& run) {
    const BuildSettings& s = run.settings();
    const QString& base = run.values().NicDriverBase;
    QStringList lines{
        QStringLiteral("[network.setup]"),
        QStringLiteral("version=0x3110"),
        QStringLiteral("netcard=ms$") + base + QStringLiteral(",1,MS$") + base + QStringLiteral(",1"),
        QStringLiteral("transport=tcpip,TCPIP"),
        QStringLiteral("lana0=ms$") + base + QStringLiteral(",1,tcpip"),
        QStringLiteral(" "),
        QStringLiteral("[ms$") + base + QStringLiteral("]"),
        QStringLiteral("drivername =") + run.values().NicDriverName,
    };
    if (s.isChecked(PageValue::NicPnpOff)) {
        lines << QStringLiteral("INTERRUPT = ") + s.itemText(PageValue::NicIrq);
        lines << QStringLiteral("IOBASE = 0x") + s.text(PageValue::NicPort);
    }
    lines << QStringLiteral(" ") << QStringLiteral("[protman]") << QStringLiteral("drivername = PROTMAN$")
          << QStringLiteral("priority = MS$NDISHLP") << QStringLiteral(" ") << QStringLiteral("[tcpip]")
          << QStringLiteral("NBSessions=6") << QStringLiteral("DefaultGateway0=");
    const ClientIdentity client = MicrosoftIdentity(s);
    if (s.text(PageValue::MicrosoftIp).left(4) == QLatin1String("DHCP")) {
        lines << QStringLiteral("DisableDHCP=0");
    } else {
        lines << QStringLiteral("SUBNETMASK0=") + stackForm(withoutBlanks(s.text(PageValue::MicrosoftMask)));
        lines << QStringLiteral("IPADDRESS0=") + stackForm(client.address);
        lines << QStringLiteral("DisableDHCP=1");
    }
    lines << QStringLiteral("DriverName=TCPIP$") << QStringLiteral("Bindings=ms$") + base
          << QStringLiteral("LanaBase=0");
    return lines;
}

QStringList systemIniLines(const BuildRun& run) {
    const BuildSettings& s = run.settings();
    const QString netDir = run.values().DiskRoot + QStringLiteral("\\NET\\");
    const QString workgroup = s.text(PageValue::MicrosoftGroup).trimmed();
    const bool loginWorkgroup = s.isChecked(PageValue::MicrosoftGroupWorkgroup);
    return {
        QStringLiteral("[network]"),
        QStringLiteral("filesharing=no"),
        QStringLiteral("printsharing=no"),
        QStringLiteral("autologon=yes"),
        QStringLiteral("computername=") + MicrosoftIdentity(s).name,
        QStringLiteral("lanroot=") + netDir,
        QStringLiteral("username=") + s.text(PageValue::MicrosoftLoginName).trimmed(),
        QStringLiteral("workgroup=") + workgroup,
        QStringLiteral("reconnect=no"),
        QStringLiteral("dospophotkey=n"),
        QStringLiteral("lmlogon=0"),
        QStringLiteral("logondomain=") + (loginWorkgroup ? QStringLiteral("0") : workgroup),
        QStringLiteral("preferredredir=full"),
        QStringLiteral("autostart=full"),
        QStringLiteral("maxconnections=8"),
        QStringLiteral(" "),
        QStringLiteral("[network drivers]"),
        QStringLiteral("netcard=") + run.values().NicDriverFileName,
        QStringLiteral("transport=tcpdrv.dos,nemm.dos"),
        QStringLiteral("devdir=") + netDir,
        QStringLiteral("LoadRMDrivers=yes"),
        QStringLiteral(" "),
        QStringLiteral("[password lists]"),
    };
}

void copyNicDriver(BuildRun& run) {
    const RunValues& v = run.values();
    run.gauge(0);
    run.status(QStringLiteral(" Copying NIC Driver..."));
    if (run.sourceMissing(v.NicDriverFile,
                          QStringLiteral("The File ") + v.NicDriverFile +
                              QStringLiteral(" could not be found.  Creation can not proceed.")))
        return;
    run.gauge(5);
    run.copyStep(v.NicDriverFile, v.DiskRoot + QStringLiteral("\\NET\\") + v.NicDriverFileName);
}

void writeSecondDiskette(BuildRun& run) {
    if (!run.nextDiskette())
        return;
    MicrosoftAutoexec(run);
    // A Cancel pressed meanwhile still lets the client follow; an AUTOEXEC.BAT that could not be
    // written has ended the run.
    if (!run.failedFile().isEmpty())
        return;

    run.gauge(0);
    run.status(QStringLiteral(" Copying Pellacore Client file..."));
    run.tick(4);
    if (run.copyClient())
        run.gauge(100);
}

} // namespace

bool CopyMicrosoftFile(BuildRun& run, const QString& name) {
    run.status(QStringLiteral(" Copying ") + name + QStringLiteral("..."));
    return run.copyStep(run.values().MicrosoftDriverPath + name,
                        run.values().DiskRoot + QStringLiteral("\\NET\\") + name);
}

ClientIdentity MicrosoftIdentity(const BuildSettings& s) {
    // An address field whose text begins with DHCP asks for automatic assignment.
    const QString address = s.text(PageValue::MicrosoftIp);
    return {address.left(4) == QLatin1String("DHCP") ? QStringLiteral("DHCP") : withoutBlanks(address),
            s.text(PageValue::MicrosoftName).trimmed()};
}

void CreateMicrosoftDiskette(BuildRun& run) {
    const QString& diskRoot = run.values().DiskRoot;
    run.tick(3);
    run.configSysStep(33, [&] { return configSysLines(run); });

    MicrosoftAutoexec(run);

    if (!run.BuildCancelled()) {
        // An existing \NET is simply used; one that cannot be made shows up when PROTOCOL.INI is
        // written into it.
        run.makeDirectory(diskRoot + QStringLiteral("\\NET"));
        run.status(QStringLiteral(" Creating PROTOCOL.INI..."));
        run.gauge(100);
        run.writeText(diskRoot + QStringLiteral("\\NET\\PROTOCOL.INI"), protocolIniLines(run));
        run.wait(2000);
    }

    run.fileStep(
        QStringLiteral(" Creating SYSTEM.INI..."), 100, QStringLiteral("NET\\SYSTEM.INI"),
        [&] { return systemIniLines(run); }, 2000);

    run.tick(5);
    if (!run.BuildCancelled())
        copyNicDriver(run);

    if (!run.BuildCancelled()) {
        run.gauge(10);
        for (const MicrosoftFile& file : kMicrosoftFiles) {
            if (!run.BuildCancelled())
                CopyMicrosoftFile(run, QLatin1String(file.name));
            run.gauge(file.gaugeAfter);
        }
    }

    if (PageRules::clientOnFloppy(run.settings().itemText(PageValue::StandaloneNos))) {
        run.tick(4);
        if (!run.BuildCancelled())
            writeSecondDiskette(run);
    }
}
