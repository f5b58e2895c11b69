#include "writers/multicast_writer.h"

#include "platform/dos_path.h"
#include "platform/text_util.h"
#include "settings/page_values.h"
#include "writers/build_run.h"

namespace {

const QString kSameAsImage = QStringLiteral("Same as Image");
const QString kIndent = QStringLiteral("        "); // PROTOCOL.INI entries: eight blanks

// Masked address fields keep blanks for the digits not typed; the client wants bare dotted numbers.
QString withoutBlanks(const QString& text) {
    return StrTran(text, QStringLiteral(" "), QString());
}

QStringList configSysLines(const BuildRun& run) {
    return {
        QStringLiteral("REM [CONFIG.SYS : Created by PCBW ") + run.dateStamp() + QStringLiteral("]"),
        QStringLiteral("dos=high, umb"),
        QStringLiteral("device=himem.sys /NUMHandles=128 /TESTMEM:ON"),
        QStringLiteral("device=emm386.exe /NOEMS"),
        QStringLiteral("files=60"),
        QStringLiteral("stacks=0,0"),
        QStringLiteral("buffers=30"),
        // The protocol manager finds PROTOCOL.INI through this directory: the diskette's root.
        QStringLiteral("devicehigh=PROTMAN.DOS /i:\\"),
        QStringLiteral("devicehigh=") + run.values().NicDriverFileName,
        QStringLiteral("devicehigh=DIS_PKT9.DOS"),
    };
}

QStringList autoexecLines(const BuildRun& run) {
    return {
        QStringLiteral("@ECHO OFF"),
        QStringLiteral("REM [AUTOEXEC.BAT : Created by PCBW ") + run.dateStamp() + QStringLiteral("]"),
        QStringLiteral("prompt $p$g"),
        QStringLiteral("netbind.com"),
        QStringLiteral("lh client.exe"),
    };
}

// The batch update rewrites the three entries of the first section in place, so their keys and
// order are fixed.
QStringList wattcpLines(const BuildSettings& s) {
    const ClientIdentity client = MulticastIdentity(s);
    QStringList lines{QStringLiteral("[CLIENT DISKETTE OPERATION]")};
    lines << QStringLiteral("MY_IP=") + client.address;
    lines << QStringLiteral("HOSTNAME=") + client.name;
    lines << QStringLiteral("NETMASK=") + withoutBlanks(s.text(PageValue::MulticastMask));

    if (!s.isChecked(PageValue::PostOn))
        return lines;

    lines << QStringLiteral(" ") << QStringLiteral("[POST-CONFIGURATION OPTIONS]");
    // The post-configuration page puts "Same as Image" into the field whenever that choice is
    // made, so the text alone decides.
    const QString computer = s.text(PageValue::PostName).trimmed();
    if (computer != kSameAsImage)
        lines << QStringLiteral("COMPUTERNAME=") + computer;
    const QString group = s.text(PageValue::PostGroup).trimmed();
    if (s.isChecked(PageValue::PostGroupWorkgroup))
        lines << QStringLiteral("WORKGROUP=") + group;
    if (s.isChecked(PageValue::PostGroupDomain))
        lines << QStringLiteral("DOMAIN=") + group;
    const QString login = s.text(PageValue::PostLoginName).trimmed();
    if (login != kSameAsImage)
        lines << QStringLiteral("LOGINNAME=") + login;
    if (s.isChecked(PageValue::PostIpSet))
        lines << QStringLiteral("IPADDRESS=") + withoutBlanks(s.text(PageValue::PostIp).trimmed());
    if (s.isChecked(PageValue::PostMaskSet))
        lines << QStringLiteral("SUBNETMASK=") + withoutBlanks(s.text(PageValue::PostMask).trimmed());
    return lines;
}

QStringList protocolIniLines(BuildRun& run) {
    // Two drivers are known to the protocol manager under another name than their file's.
    QString& driverName = run.values().NicDriverName;
    if (driverName == QStringLiteral("NETFLX3$"))
        driverName = QStringLiteral("NTFLX3$");
    else if (driverName == QStringLiteral("NE2000$"))
        driverName = QStringLiteral("MS2000$");

    QStringList lines{
        QStringLiteral("[protocol manager]"),
        kIndent + QStringLiteral("drivername = PROTMAN$"),
        QStringLiteral(" "),
        QStringLiteral("[pktdrv]"),
        kIndent + QStringLiteral("drivername = PKTDRV$"),
        kIndent + QStringLiteral("bindings = THEDRIVER"),
        kIndent + QStringLiteral("intvec = 0x60"),
        kIndent + QStringLiteral("chainvec = 0x66"),
        QStringLiteral(" "),
        QStringLiteral("[THEDRIVER]"),
        kIndent + QStringLiteral("drivername = ") + driverName,
    };
    const BuildSettings& s = run.settings();
    if (s.isChecked(PageValue::NicPnpOff)) {
        lines << kIndent + QStringLiteral("INTERRUPT = ") + s.itemText(PageValue::NicIrq);
        lines << kIndent + QStringLiteral("IOBASE = 0x") + s.text(PageValue::NicPort);
    }
    return lines;
}

void copyStackFile(BuildRun& run, int gauge, const QString& status, const QString& name) {
    if (run.BuildCancelled())
        return;
    run.gauge(gauge);
    run.status(status);
    run.copyStep(run.values().NICDriverPath + name, run.values().DiskRoot + QStringLiteral("\\") + name);
}

} // namespace

ClientIdentity MulticastIdentity(const BuildSettings& s) {
    return {s.isChecked(PageValue::MulticastIpDhcp) ? QStringLiteral("DHCP")
                                                    : withoutBlanks(s.text(PageValue::MulticastIp)),
            s.text(PageValue::MulticastName).toUpper().trimmed()};
}

void CreateMultiCastDiskette(BuildRun& run) {
    RunValues& v = run.values();
    const QString root = v.DiskRoot + QStringLiteral("\\");

    run.tick(3);
    run.configSysStep(25, [&] { return configSysLines(run); });
    run.fileStep(
        QStringLiteral(" Creating AUTOEXEC.BAT..."), 50, QStringLiteral("AUTOEXEC.BAT"),
        [&] { return autoexecLines(run); }, 200);
    run.fileStep(
        QStringLiteral(" Creating WATTCP.CFG..."), 75, QStringLiteral("WATTCP.CFG"),
        [&] { return wattcpLines(run.settings()); }, 200);
    run.fileStep(
        QStringLiteral(" Creating PROTOCOL.INI..."), 100, QStringLiteral("PROTOCOL.INI"),
        [&] { return protocolIniLines(run); }, 2000);

    run.tick(4);
    if (!run.BuildCancelled()) {
        run.status(QStringLiteral(" Copying Pellacore Client file..."));
        run.gauge(0);
        run.tick(4);
        run.copyClient();
        run.gauge(100);
    }

    run.tick(5);
    if (!run.BuildCancelled()) {
        run.gauge(20);
        run.status(QStringLiteral(" Copying NIC Driver..."));
        run.copyStep(v.NicDriverFile, root + v.NicDriverFileName);
    }
    copyStackFile(run, 40, QStringLiteral(" Copying NETBIND.COM..."), QStringLiteral("netbind.com"));
    copyStackFile(run, 60, QStringLiteral(" Copying DIS_PKT9.DOS..."), QStringLiteral("dis_pkt9.dos"));
    copyStackFile(run, 80, QStringLiteral(" Copying PROTMAN.EXE..."), QStringLiteral("protman.exe"));
    copyStackFile(run, 100, QStringLiteral(" Copying PROTMAN.DOS..."), QStringLiteral("protman.dos"));
}
