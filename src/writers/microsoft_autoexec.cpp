#include "writers/microsoft_autoexec.h"

#include "rules/page_rules.h"
#include "settings/page_values.h"
#include "writers/build_run.h"

#include <QStringList>

void MicrosoftAutoexec(BuildRun& run) {
    if (run.BuildCancelled())
        return;
    run.status(QStringLiteral(" Creating AUTOEXEC.BAT..."));
    run.gauge(66);

    const BuildSettings& s = run.settings();
    const QString serverDrive = s.itemText(PageValue::MicrosoftServerDrive).trimmed();
    const QString share = s.text(PageValue::MicrosoftServerShare).trimmed();
    QStringList lines{
        QStringLiteral("@ECHO OFF"),
        QStringLiteral("REM [AUTOEXEC.BAT : Created by PCBW ") + run.dateStamp() + QStringLiteral("]"),
        QStringLiteral("prompt $p$g"),
        QStringLiteral("cd net"),
        QStringLiteral("net initialize"),
        QStringLiteral("umb.com"),
        QStringLiteral("netbind.com"),
        QStringLiteral("tcptsr.exe"),
        QStringLiteral("tinyrfc.exe"),
        QStringLiteral("net start"),
        QStringLiteral("net use ") + serverDrive + QStringLiteral(" ") + share,
    };
    if (PageRules::clientOnFloppy(s.itemText(PageValue::StandaloneNos))) {
        lines << QStringLiteral("echo off")
              << QStringLiteral("echo Please insert DISK2 with CLIENT.EXE on it...")
              << QStringLiteral("pause") << QStringLiteral("lh client.exe");
    } else {
        lines << QStringLiteral("lh ") + serverDrive + QStringLiteral("client.exe");
    }
    run.writeText(run.values().DiskRoot + QStringLiteral("\\AUTOEXEC.BAT"), lines);
    run.wait(200);
}
