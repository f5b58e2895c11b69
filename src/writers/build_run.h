#pragma once

#include "platform/dialogs.h"
#include "settings/build_settings.h"

#include <QString>
#include <QStringList>
#include <functional>

class BuildView;
class Clock;
class DosFs;

// The values a build works out when its page is shown; every writer reads them.
struct RunValues {
    QString NICDriverPath; // directories from PCBW.INI, each with its final separator
    QString NovellDriverPath;
    QString MicrosoftDriverPath;
    QString DiskRoot;          // "A:" or "B:", no trailing backslash
    QString NicDriverFile;     // TForm4.Edit2 upper-cased and trimmed
    QString NicDriverFileName; // its file-name part: NE2000.DOS
    QString NicDriverBase;     // up to the first ".": NE2000
    QString NicDriverName;     // NicDriverBase + "$": NE2000$
    QString ClientFile;        // TForm11.Edit1, set by a writer when it copies the client
    int CopyResult = 0;        // result of the last CopyMyFile
};

// One Create Client Diskette run: the write test, the system-file warnings, the writer that
// BuildMode selects, and the final question. Everything a writer shares lives here: the run
// values, BuildCancelled, the status text, gauge and ticks, Delay and CopyMyFile.
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

    // Called after the "Insert Disk #2..." box is closed, before the second diskette is written:
    // the command line maps the drive to the second diskette here. May be empty.
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
    // Writes a DOS text file; throws IoError (the caller decides whether that ends the run).
    void writeText(const QString& path, const QStringList& lines);
    // The common copy step: missing source -> "The File <source> could not be found.  Creation can
    // not proceed." (or missingMessage when given) and BuildCancelled, returns false, no wait;
    // otherwise CopyMyFile into CopyResult, a short write -> "<target> File write error! ",
    // then waits 200 ms. Returns false when the source was missing or a write fell short (a copy
    // that could not open its source or create its target, result -1, is not reported and counts
    // as true, as the writers' own copy routines have it).
    bool copyStep(const QString& source, const QString& target, const QString& missingMessage = {});
    // The client program copy: ClientFile from TForm11.Edit1, copied under its own file name into
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
    // Looks at the diskette before the first write: a file that is no diskette ends the run
    // (IoError), an image of an odd size is named, and a value that the diskette's files cannot hold
    // cancels the run with a message naming it.
    void checkDiskette();
    void writeTest(); // creates and deletes the probe file; a failure cancels the run
    bool copyExisting(const QString& source, const QString& target); // copyStep after its check

    DosFs& m_fs;
    Dialogs& m_dialogs;
    BuildView& m_view;
    const Clock& m_clock;
    BuildSettings m_settings;
    RunValues m_values;
    bool m_cancelled = false;
    bool m_cancelRequested = false; // Cancel pressed while no run was in progress
    bool m_running = false;
};
