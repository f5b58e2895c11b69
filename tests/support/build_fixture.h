#pragma once

// A whole build environment in a temporary directory, shared by the build tests: the program
// directory with PCBW.INI, a NIC driver directory, the client program, and drive A: mapped to a
// directory or an image. Expected file contents stay in the tests themselves.

#include "build_messages.h"
#include "diskette_contents.h"
#include "expected_files.h"
#include "fixed_clock.h"
#include "platform/dos_fs.h"
#include "platform/drive_table.h"
#include "recording_build_view.h"
#include "scripted_dialogs.h"
#include "settings/build_settings.h"
#include "test_env.h"
#include "writers/build_run.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// Lets a test act at a status text or a tick, the way a Cancel click lands during that step's wait.
class HookedBuildView : public RecordingBuildView {
public:
    std::function<void(const QString&)> onStatus;
    std::function<void(int)> onTick;
    void setStatus(const QString& text) override {
        RecordingBuildView::setStatus(text);
        if (onStatus)
            onStatus(text);
    }
    void setTickVisible(int image, bool visible) override {
        RecordingBuildView::setTickVisible(image, visible);
        if (onTick && visible)
            onTick(image);
    }
};

class BuildFixture {
public:
    BuildFixture() {
        prog = tmp.filePath(QStringLiteral("prog"));
        nics = tmp.filePath(QStringLiteral("nics")) + QLatin1Char('/');
        disk = tmp.filePath(QStringLiteral("disk"));
        client = tmp.filePath(QStringLiteral("icc/client.exe"));
        QDir().mkpath(prog);
        QDir().mkpath(disk);
        setLocations(QStringLiteral("[LOCATIONS]\r\nNICDriverPath=") + nics + QStringLiteral("\r\n"));
        putSource(nics + QStringLiteral("ne2000.dos"), "NE2000 NDIS driver");
        putSource(nics + QStringLiteral("netbind.com"), "netbind");
        putSource(nics + QStringLiteral("dis_pkt9.dos"), "dis_pkt9");
        putSource(nics + QStringLiteral("protman.exe"), "protman exe");
        putSource(nics + QStringLiteral("protman.dos"), "protman dos");
        putSource(client, "Pellacore client program");

        settings.setText(QStringLiteral("TForm11.Edit1"), client);
        settings.setText(QStringLiteral("TForm4.Edit2"), nics + QStringLiteral("ne2000.dos"));
        settings.setText(QStringLiteral("TForm6.Edit1"), QStringLiteral(" 10.  0.  0.  5"));
        settings.setText(QStringLiteral("TForm6.Edit2"), QStringLiteral("255.255.255.  0"));
        settings.setText(QStringLiteral("TForm6.Edit3"), QStringLiteral("client01"));
        // The DOS system files, so that only the tests about them see the warnings.
        for (const char* name : {"himem.sys", "emm386.exe", "command.com"})
            putSource(disk + QLatin1Char('/') + QLatin1String(name), "system file");
    }

    void setLocations(const QString& ini) {
        TestEnv::writeHostFile(prog + QStringLiteral("/PCBW.INI"), ini.toLatin1());
    }
    static void putSource(const QString& path, const QByteArray& data) { TestEnv::writeHostFile(path, data); }
    // The working copy a running build writes instead of the image, or empty when there is none.
    static QString workingCopy(const QString& image) {
        const QFileInfo info(image);
        const QFileInfoList found =
            info.dir().entryInfoList({"." + info.fileName() + ".bw-tmp.*"}, QDir::Files | QDir::Hidden);
        return found.size() == 1 ? found.first().filePath() : QString();
    }

    // Maps A: (the settings' default drive) and makes the run. hostPath defaults to the directory;
    // templateImage is what a missing image is made from.
    void mount(const QString& hostPath = {}, const QString& templateImage = {}) {
        run.reset();
        fs.reset();
        DriveTable drives;
        drives.map(QLatin1Char('A'), hostPath.isEmpty() ? disk : hostPath);
        drives.setTemplateImage(templateImage);
        fs = std::make_unique<DosFs>(drives);
        run = std::make_unique<BuildRun>(*fs, dialogs, view, clock);
    }

    // Presses Cancel when the step with that status text begins: the press lands in the step's
    // wait, so the step finishes and everything after it is skipped.
    void cancelAt(const QString& step) {
        view.onStatus = [this, step](const QString& s) {
            if (s == step)
                run->cancel();
        };
    }

    Dialogs::Button build(int mode) {
        if (!run)
            mount();
        settings.setBuildMode(BuildMode(mode));
        run->FormShow(settings, prog);
        return run->MakeTheDisk();
    }

    QByteArray diskFile(const QString& name) const {
        return TestEnv::readHostFile(disk + QLatin1Char('/') + name);
    }
    bool onDisk(const QString& name) const { return QFileInfo::exists(disk + QLatin1Char('/') + name); }
    QStringList diskFiles() const {
        return QDir(disk).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
    // The files the build itself put there: the system files placed by the fixture left out.
    QStringList builtFiles() const {
        QStringList files = diskFiles();
        files.removeAll(QStringLiteral("himem.sys"));
        files.removeAll(QStringLiteral("emm386.exe"));
        files.removeAll(QStringLiteral("command.com"));
        files.sort();
        return files;
    }

    QStringList ticksInOrder() const {
        QStringList out;
        for (const QString& e : view.events)
            if (e.startsWith(QLatin1String("tick:")))
                out << e;
        return out;
    }

    QTemporaryDir tmp;
    QString prog, nics, disk, client;
    BuildSettings settings;
    ScriptedDialogs dialogs;
    HookedBuildView view;
    FixedClock clock{QStringLiteral("12/7/2026")};
    std::unique_ptr<DosFs> fs;
    std::unique_ptr<BuildRun> run;
};
