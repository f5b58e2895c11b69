#pragma once

#include "platform/dialogs.h"
#include "platform/dos_fs.h"
#include "platform/io_error.h"
#include "settings/build_settings.h"
#include "writers/diskette_plan.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class BuildView;
class Clock;

// A file a run wrote to a diskette, and the bytes it must read back as. A copy also keeps its
// source as it was then, so that a diskette starting as a copy of this one can tell whether the
// file it holds is still the one the step would copy.
struct WrittenFile {
    QString path;
    int diskette = 1;
    QByteArray data;   // the bytes, or for a large copy
    QByteArray digest; // their SHA-256 alone
    qint64 size = 0;
    QString source; // empty for a text file
    QDateTime sourceTime;
    quint8 sourceAttributes = 0;
};

// The values a build works out when its page is shown; every writer reads them.
struct RunValues {
    QString NICDriverPath; // directories from PCBW.INI, each with its final separator
    QString NovellDriverPath;
    QString MicrosoftDriverPath;
    QString DiskRoot;          // "A:" or "B:", no trailing backslash
    QString NicDriverFile;     // PageValue::NicDriver upper-cased and trimmed
    QString NicDriverFileName; // its file-name part: NE2000.DOS
    QString NicDriverBase;     // up to the first ".": NE2000
    QString NicDriverName;     // NicDriverBase + "$": NE2000$
    QString ClientFile;        // PageValue::ClientProgram, set by a writer when it copies the client
    int CopyResult = 0;        // result of the last CopyMyFile
};

// One Create Client Diskette run: the write test, the system-file warnings, the check that the
// files fit, the writer that BuildMode selects, the read-back of what it wrote, and the final
// question. Everything a writer shares lives here: the run values, BuildCancelled, the status text,
// gauge and ticks, Delay and CopyMyFile.
//
// A diskette is called complete only when every file on it was written whole and reads back as
// written: a copy or text file that fails ends the run as a cancelled run ends, with the file named.
// The diskette is held for the whole run (DosFs::DisketteWork): an image only takes what the run
// wrote once it is complete, and a run that fails or is killed leaves it as it was.
class BuildRun {
public:
    BuildRun(DosFs& fs, Dialogs& dialogs, BuildView& view, const Clock& clock);

    // FormShow: derive the run values from the settings and PCBW.INI in programDir, and set the
    // "Copying Network Drivers" label. Reads the settings; changes none.
    void FormShow(const BuildSettings& settings, const QString& programDir);

    // MakeTheDisk: the whole run against the settings given at FormShow. Returns the answer to
    // "Create Another?" (Yes or No). An input/output error that no step handles propagates as
    // IoError: the run ends at once, "Done. " is not shown and no question is asked.
    Dialogs::Button MakeTheDisk();

    // The files the writer would put on the diskettes, in its order, worked out by running it
    // without writing anything (no status, box or wait either). After FormShow.
    QList<PlannedFile> plan();
    // The diskette file whose failure (to be created, written whole or read back as written) ended
    // the last run; empty when none did.
    const QString& failedFile() const { return m_failedFile; }
    // The last run found a system file (HIMEM.SYS, EMM386.EXE, COMMAND.COM) missing on the
    // diskette: it was made without a DOS system and boots nothing by itself.
    bool lackedSystem() const { return m_lackedSystem; }
    // Reading back what was written: on unless PCBW.INI says Verify=0 in section OPTIONS; the
    // command line's --no-verify turns it off after FormShow.
    void setVerify(bool on) { m_verify = on; }
    bool verify() const { return m_verify; }
    // What the last run wrote, in its order: a file written twice is there twice.
    const QList<WrittenFile>& written() const { return m_written; }
    // The first diskette starts as a copy of one whose run wrote these files (that run's written()):
    // a step whose file the copy already holds, as the step would write it, leaves it alone, and
    // the read-back reads it all the same. Set before MakeTheDisk; kept for later runs.
    void startFrom(const QList<WrittenFile>& files);

    // Called after the "Insert Disk #2..." box is closed, before the second diskette is written:
    // the command line maps the drive to the second diskette here; a cancel() from it ends the run
    // as cancelled before anything of the second diskette is written. May be empty.
    std::function<void()> secondDiskette;

    // The page's Cancel: every later step skips itself. A Cancel pressed after the page was shown
    // but before MakeTheDisk starts cancels that run too: MakeTheDisk does not clear it, touches
    // nothing on the diskette and asks the "canceled" question. FormShow forgets such a request.
    void cancel();
    bool BuildCancelled() const { return m_cancelled; }
    bool cancelRequested() const { return m_cancelRequested; }
    bool running() const { return m_running; }

    // --- shared by the writers ---
    const BuildSettings& settings() const { return m_settings; }
    RunValues& values() { return m_values; }
    const RunValues& values() const { return m_values; }
    DosFs& fs() { return m_fs; }
    Dialogs& dialogs() { return m_dialogs; }
    BuildView& view() { return m_view; }
    QString dateStamp() const;
    void setCancelled() { m_cancelled = true; }
    void status(const QString& text); // panel_Status
    void gauge(int percent);          // gauge_Progress
    void tick(int image);             // shows Image3 / Image4 / Image5
    void wait(int milliseconds);      // Delay
    // An information box with OK and the given help context.
    void inform(const QString& text, int helpContext = 0);
    // True while plan() runs the writer: nothing is written and no source is reported missing.
    bool planning() const { return m_planning; }
    // Writes a DOS text file. A file that cannot be written whole is reported ("<path> could not be
    // created." or "<path> File write error! ", then the reason) and ends the run; returns false.
    bool writeText(const QString& path, const QStringList& lines);
    // For a writer that looks for a copy's source itself: a missing one shows message and cancels
    // the run; returns whether it was missing (never while planning, where the copy notes it).
    bool sourceMissing(const QString& source, const QString& message);
    // A folder on the diskette; one that cannot be made is not reported here (the files written
    // into it report it).
    void makeDirectory(const QString& path);
    // Between the two diskettes of the Microsoft "Client on Floppy" form: reads the first back,
    // asks for the second ("Insert Disk #2..."), and checks that its files fit. Returns false when
    // the run ended instead.
    bool nextDiskette();
    // The common copy step: missing source -> "The File <source> could not be found.  Creation can
    // not proceed." (or missingMessage when given) and BuildCancelled, returns false, no wait;
    // otherwise CopyMyFile into CopyResult, then waits 200 ms. A copy that fell short ("<target>
    // File write error! ") or could not make its target ("<target> could not be created.") is
    // reported with the reason on a second line and ends the run. Returns true when copied.
    bool copyStep(const QString& source, const QString& target, const QString& missingMessage = {});
    // The client program copy: ClientFile from PageValue::ClientProgram, copied under its own file name into
    // the diskette's root as copyStep copies. A missing file shows "The Pellacore Client could not be
    // found in the specified location.  Creation can not proceed." and cancels the run. Returns
    // whether the file was there.
    bool copyClient();
    // CONFIG.SYS as every writer writes it: any error shows "CONFIG.SYS could not be created.
    // Build can not continue." with help context 600 and sets BuildCancelled.
    void writeConfigSys(const QStringList& lines);
    // A step that writes one text file into the diskette's root: skipped when the run is cancelled;
    // otherwise the status text, the gauge, the file (an input/output error ends the run), the wait.
    // The lines are made only when the step runs.
    void fileStep(const QString& status, int gauge, const QString& name,
                  const std::function<QStringList()>& lines, int waitMilliseconds);
    // The CONFIG.SYS step every writer starts with: as fileStep, with writeConfigSys's handling of a
    // failure, and two seconds to read it.
    void configSysStep(int gauge, const std::function<QStringList()>& lines);

private:
    // The help topic for what the diskette lacks or could not take (system files, CONFIG.SYS).
    static constexpr int kDisketteHelpContext = 600;

    // Looks at the diskette before the first write: a file that is no diskette ends the run
    // (IoError), one that takes no writes ends it as a failed file does, an image of an odd size
    // is named, and a value that the diskette's files cannot hold
    // cancels the run with a message naming it.
    void checkDiskette();
    void templateCheck(); // a template that cannot serve is refused before anything is written
    void writeTest();     // creates and deletes the probe file; a failure ends the run, naming the diskette
    bool copyExisting(const QString& source, const QString& target); // copyStep after its check
    void planCopy(const QString& source, const QString& target);
    // The file the diskette started with at path, when the step about to write it would write the
    // same; null otherwise. A write of the path itself forgets it (noteWritten).
    const WrittenFile* heldText(const QString& path, const QByteArray& data) const;
    const WrittenFile* heldCopy(const QString& source, const QString& target);
    void noteWritten(WrittenFile file);
    // Ends the run for a diskette file that failed: the box, BuildCancelled, the file remembered.
    void fail(const QString& path, const QString& firstLine, const QString& reason, int helpContext = 0);
    bool fits(int diskette); // the plan's files for that diskette; refuses when they do not fit
    void verifyDiskette();   // reads back what was written to the diskette in the drive now

    DosFs& m_fs;
    Dialogs& m_dialogs;
    BuildView& m_view;
    const Clock& m_clock;
    BuildSettings m_settings;
    RunValues m_values;
    bool m_cancelled = false;
    bool m_cancelRequested = false; // Cancel pressed while no run was in progress
    bool m_running = false;
    bool m_verify = true;
    bool m_planning = false;
    bool m_lackedSystem = false;
    int m_diskette = 1;
    QList<PlannedFile> m_plan;
    QList<WrittenFile> m_written;
    QHash<QString, WrittenFile> m_start; // by upper-cased path: what the diskette started with
    QString m_failedFile;
    std::unique_ptr<DosFs::DisketteWork> m_work;
};
