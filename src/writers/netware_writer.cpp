#include "writers/netware_writer.h"

#include "platform/dos_fs.h"
#include "platform/dos_path.h"
#include "settings/page_values.h"
#include "writers/build_run.h"

#include <QStringList>

namespace {

// Table 4 of the NetWare client: each file with the gauge value set after it, copied or not.
struct NovellFile {
    const char* name;
    int gaugeAfter;
};
constexpr NovellFile kNovellFiles[] = {
    {"MAP.EXE", 15},  {"VLM.EXE", 20},      {"IPXODI.COM", 25}, {"LSL.COM", 30},     {"AUTO.VLM", 35},
    {"BIND.VLM", 40}, {"CONN.VLM", 45},     {"FIO.VLM", 50},    {"GENERAL.VLM", 55}, {"IPXNCP.VLM", 60},
    {"NDS.VLM", 65},  {"NETX.VLM", 70},     {"NWP.VLM", 75},    {"PRINT.VLM", 80},   {"REDIR.VLM", 85},
    {"RSA.VLM", 90},  {"SECURITY.VLM", 95}, {"TRAN.VLM", 100},
};

QStringList configSysLines(const BuildRun& run) {
    return {
        QStringLiteral("REM [CONFIG.SYS : Created by PCBW ") + run.dateStamp() + QStringLiteral("]"),
        QStringLiteral("dos=high, umb"),
        QStringLiteral("device=himem.sys /NUMHandles=128 /TESTMEM:ON"),
        QStringLiteral("device=emm386.exe /NOEMS"),
        QStringLiteral("files=60"),
        QStringLiteral("stacks=0,0"),
        QStringLiteral("buffers=30"),
        QStringLiteral("lastdrive=z"),
    };
}

QStringList autoexecLines(const BuildRun& run) {
    const BuildSettings& s = run.settings();
    const QString& diskRoot = run.values().DiskRoot;
    QStringList lines{
        QStringLiteral("@ECHO OFF"),
        QStringLiteral("REM [AUTOEXEC.BAT : Created by PCBW ") + run.dateStamp() + QStringLiteral("]"),
        QStringLiteral("prompt $p$g"),
        QStringLiteral("lh LSL.COM"),
        QStringLiteral("lh ") + run.values().NicDriverFileName,
        QStringLiteral("lh IPXODI.COM"),
        QStringLiteral("lh VLM.EXE"),
    };
    // Mapping needs a login, so the map choice counts only together with it.
    if (s.isChecked(PageValue::NetwareLoginOn)) {
        lines << s.itemText(PageValue::NetwareLoginDrive) + QStringLiteral("LOGIN ") +
                     s.text(PageValue::NetwareLoginName);
        lines << diskRoot;
        if (s.isChecked(PageValue::NetwareMapOn)) {
            lines << QStringLiteral("MAP ") + s.itemText(PageValue::NetwareMapDrive) + QStringLiteral("=") +
                         s.text(PageValue::NetwareMapPath);
            lines << diskRoot;
        }
    }
    lines << QStringLiteral("lh client.exe");
    return lines;
}

QStringList netCfgLines(const BuildRun& run) {
    const BuildSettings& s = run.settings();
    const QString& base = run.values().NicDriverBase;
    QStringList lines{
        QStringLiteral("Link Support"),    QStringLiteral(" "), QStringLiteral("Protocol"),
        QStringLiteral("   Bind ") + base, QStringLiteral(" "), QStringLiteral("LINK DRIVER ") + base,
    };
    if (s.isChecked(PageValue::NicPnpOff)) {
        lines << QStringLiteral("   INT ") + s.itemText(PageValue::NicIrq);
        lines << QStringLiteral("   PORT ") + s.text(PageValue::NicPort);
    }
    // The first network drive follows the login drive even without a login.
    const QString loginDrive = s.itemText(PageValue::NetwareLoginDrive);
    const QString firstDrive = loginDrive.isEmpty() ? QStringLiteral("F") : loginDrive.left(1);
    lines << QStringLiteral("   Frame      ") + s.itemText(PageValue::NetwareFrame) << QStringLiteral(" ")
          << QStringLiteral("NetWare DOS Requester")
          << QStringLiteral("        FIRST NETWORK DRIVE = ") + firstDrive
          << QStringLiteral("        USE DEFAULTS = OFF");
    for (const char* vlm : {"CONN", "IPXNCP", "TRAN", "SECURITY", "NDS", "BIND", "NWP", "FIO", "GENERAL",
                            "REDIR", "PRINT", "NETX"})
        lines << QStringLiteral("        VLM = ") + QLatin1String(vlm) + QStringLiteral(".VLM");
    return lines;
}

} // namespace

bool CopyNovellFile(BuildRun& run, const QString& name) {
    run.status(QStringLiteral(" Copying ") + name + QStringLiteral("..."));
    return run.copyStep(run.values().NovellDriverPath + name,
                        run.values().DiskRoot + QStringLiteral("\\") + name);
}

void CreateNovellDiskette(BuildRun& run) {
    RunValues& v = run.values();
    run.tick(3);
    run.configSysStep(33, [&] { return configSysLines(run); });
    run.fileStep(
        QStringLiteral(" Creating AUTOEXEC.BAT..."), 66, QStringLiteral("AUTOEXEC.BAT"),
        [&] { return autoexecLines(run); }, 200);
    run.fileStep(
        QStringLiteral(" Creating NET.CFG..."), 100, QStringLiteral("NET.CFG"),
        [&] { return netCfgLines(run); }, 2000);

    run.tick(4);
    if (!run.BuildCancelled()) {
        run.gauge(0);
        run.status(QStringLiteral(" Copying Pellacore Client file..."));
        if (run.copyClient())
            run.gauge(100);
    }

    run.tick(5);
    if (!run.BuildCancelled()) {
        run.gauge(0);
        run.status(QStringLiteral(" Copying NIC Driver..."));
        if (!run.sourceMissing(v.NicDriverFile,
                               QStringLiteral("The File ") + v.NicDriverFile +
                                   QStringLiteral(" could not be found.  Creation can not proceed."))) {
            run.gauge(5);
            run.copyStep(v.NicDriverFile, v.DiskRoot + QStringLiteral("\\") + v.NicDriverFileName);
        }
    }

    if (!run.BuildCancelled()) {
        run.gauge(10);
        for (const NovellFile& file : kNovellFiles) {
            if (!run.BuildCancelled())
                CopyNovellFile(run, QLatin1String(file.name));
            run.gauge(file.gaugeAfter);
        }
    }
}
