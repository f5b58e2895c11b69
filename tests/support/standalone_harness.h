#pragma once

// The world a Standalone writer runs in, for the NetWare and Microsoft writer tests: a fixed disk C:
// with the driver directories, the NIC driver and the client program, and diskettes A:, B: and a
// second A: diskette, each a directory of its own (or an image when a test asks for one).

#include "diskette_contents.h"
#include "expected_files.h"
#include "fixed_clock.h"
#include "platform/delay.h"
#include "platform/dos_fs.h"
#include "platform/drive_table.h"
#include "recording_build_view.h"
#include "scripted_dialogs.h"
#include "settings/build_settings.h"
#include "test_env.h"
#include "writers/build_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// Presses Cancel while the build waits after the step whose status text is cancelAt: the press is
// queued when the text appears and handled by the next message pumping, which is that step's wait.
class CancellingView : public RecordingBuildView {
public:
    void setStatus(const QString& text) override {
        RecordingBuildView::setStatus(text);
        if (run && !cancelAt.isEmpty() && text == cancelAt) {
            BuildRun* r = run;
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [r] { r->cancel(); }, Qt::QueuedConnection);
        }
    }
    BuildRun* run = nullptr;
    QString cancelAt;
};

// The bytes a source file of that name holds, different for every name.
inline QByteArray sourceBytes(const QString& name) {
    QByteArray out = "source of " + name.toLatin1() + "\r\n";
    for (int i = 0; i < 300; ++i)
        out += char((i * 7 + name.size()) & 0xff);
    return out;
}

struct StandaloneHarness {
    QTemporaryDir tmp;
    BuildSettings settings;
    ScriptedDialogs dialogs;
    CancellingView view;
    FixedClock clock{QStringLiteral("12/7/2026")};
    std::unique_ptr<DosFs> fs;
    std::unique_ptr<BuildRun> run;
    QString diskA, diskB, diskA2, fixed;

    StandaloneHarness() {
        setDelayPacing(0);
        diskA = tmp.filePath(QStringLiteral("floppyA"));
        diskB = tmp.filePath(QStringLiteral("floppyB"));
        diskA2 = tmp.filePath(QStringLiteral("floppyA2"));
        fixed = tmp.filePath(QStringLiteral("fixed"));
        for (const QString& d : {diskA, diskB, diskA2, fixed})
            QDir().mkpath(d);
        TestEnv::writeHostFile(tmp.filePath(QStringLiteral("PCBW.INI")),
                               "[LOCATIONS]\r\nNICDriverPath=C:\\NICS\\\r\nNovellDriverPath=C:\\NOVELL\\\r\n"
                               "MicrosoftDriverPath=C:\\MSCLIENT\\\r\n");
        settings.setText(QStringLiteral("TForm4.Edit2"), QStringLiteral("C:\\NICS\\NE2000.DOS"));
        settings.setText(QStringLiteral("TForm11.Edit1"), QStringLiteral("C:\\PCBW\\client.exe"));
        putSource(QStringLiteral("NICS/NE2000.DOS"));
        putSource(QStringLiteral("PCBW/client.exe"));
    }

    // A file on the fixed disk; its bytes are sourceBytes(file name).
    void putSource(const QString& relative) {
        TestEnv::writeHostFile(fixed + QLatin1Char('/') + relative,
                               sourceBytes(relative.section(QLatin1Char('/'), -1)));
    }
    void removeSource(const QString& relative) { QFile::remove(fixed + QLatin1Char('/') + relative); }

    // Values in save form, "TForm21.RadioButton2=1".
    void apply(const QStringList& assignments) {
        for (const QString& a : assignments)
            settings.setValue(a.section(QLatin1Char('='), 0, 0), a.section(QLatin1Char('='), 1));
    }

    // Maps the drives (a diskette path ending in an image extension is an image) and shows the
    // build page, so that the run values are derived as for a real build.
    BuildRun& start() {
        DriveTable drives;
        drives.map(QLatin1Char('C'), fixed);
        drives.map(QLatin1Char('A'), diskA);
        drives.map(QLatin1Char('B'), diskB);
        fs = std::make_unique<DosFs>(drives);
        run = std::make_unique<BuildRun>(*fs, dialogs, view, clock);
        view.run = run.get();
        run->FormShow(settings, tmp.path());
        // Only what the writer shows counts, not the page's own " " from FormShow.
        view.statuses.clear();
        view.gauges.clear();
        view.events.clear();
        return *run;
    }

    // The second diskette goes into drive A: when the build asks for it.
    void secondDisketteInA() {
        run->secondDiskette = [this] {
            fs->mapDrive(QLatin1Char('A'), diskA2);
        };
    }
};
