#include "writers/build_run.h"

#include "platform/clock.h"
#include "platform/delay.h"
#include "platform/dos_fs.h"
#include "platform/dos_path.h"
#include "platform/drive_table.h"
#include "platform/fat_image.h"
#include "platform/io_error.h"
#include "platform/profile_file.h"
#include "platform/text_codec.h"
#include "platform/volume.h"
#include "settings/page_values.h"
#include "settings/preferences.h"
#include "writers/build_view.h"
#include "writers/microsoft_writer.h"
#include "writers/multicast_writer.h"
#include "writers/netware_writer.h"
#include "writers/no_network_writer.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <utility>

namespace {

const QString kFloppyNotWritable =
    QStringLiteral("Floppy diskette could not be written to.  Build can not continue.");
const QString kComplete = QStringLiteral("Client diskette build complete.  Create Another?");
const QString kCanceled = QStringLiteral("Client diskette build canceled.  Create Another?");

// Which writer BuildMode selects; none outside 1..4.
void runWriter(BuildRun& run, BuildMode buildMode) {
    switch (buildMode) {
    case BuildMode::Multicast:
        CreateMultiCastDiskette(run);
        break;
    case BuildMode::NetWare:
        CreateNovellDiskette(run);
        break;
    case BuildMode::Microsoft:
        CreateMicrosoftDiskette(run);
        break;
    case BuildMode::NoNetwork:
        CreateNoNetworkDiskette(run);
        break;
    default:
        break;
    }
}

struct SystemFile {
    const char* name;
    const char* message;
};

// Looked for in this order; a missing one is only reported, since the user can copy it afterwards.
const SystemFile kSystemFiles[] = {
    {"\\himem.sys", "HIMEM.SYS could not be found on the floppy diskette.  Build will continue but you must "
                    "copy this file to the diskette when the build is done.  Press F1 for help."},
    {"\\emm386.exe",
     "EMM386.EXE could not be found on the floppy diskette.  Build will continue but you must "
     "copy this file to the diskette when the build is done.  Press F1 for help."},
    {"\\command.com", "COMMAND.COM could not be found on the floppy diskette.  Build will continue but you "
                      "must copy this file to the diskette when the build is done.  Press F1 for help."},
};

// Keeps running() true for exactly as long as MakeTheDisk is on the stack, an IoError included.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace

BuildRun::BuildRun(DosFs& fs, Dialogs& dialogs, BuildView& view, const Clock& clock)
    : m_fs(fs), m_dialogs(dialogs), m_view(view), m_clock(clock) {}

void BuildRun::cancel() {
    m_cancelled = true;
    if (!m_running)
        m_cancelRequested = true;
}

void BuildRun::FormShow(const BuildSettings& settings, const QString& programDir) {
    m_settings = settings;
    m_cancelRequested = false;

    m_view.setStatus(QStringLiteral(" "));
    // BuildCancelled still holds the previous run's outcome here, so a No-network build that
    // follows a cancelled one keeps the label.
    m_view.setNetworkLabelVisible(!(m_settings.buildMode() == BuildMode::NoNetwork && !m_cancelled));

    // Read raw: a directory stored without its final separator must stay that way, since the
    // writers append bare file names to it.
    const ProfileFile prefs(Preferences(programDir).path());
    const QString section = QStringLiteral("LOCATIONS");
    m_values.NICDriverPath = prefs.readString(section, QStringLiteral("NICDriverPath"), QString());
    m_values.NovellDriverPath = prefs.readString(section, QStringLiteral("NovellDriverPath"), QString());
    m_values.MicrosoftDriverPath =
        prefs.readString(section, QStringLiteral("MicrosoftDriverPath"), QString());
    m_verify = prefs.readBool(QStringLiteral("OPTIONS"), QStringLiteral("Verify"), true);

    m_values.DiskRoot = QStringLiteral("B:");
    if (m_settings.isChecked(PageValue::DiskA))
        m_values.DiskRoot = QStringLiteral("A:");

    m_values.NicDriverFile = m_settings.text(PageValue::NicDriver).toUpper().trimmed();
    m_values.NicDriverFileName = DosPath::fileNamePart(m_values.NicDriverFile).toUpper().trimmed();
    const qsizetype dot = m_values.NicDriverFileName.indexOf(QLatin1Char('.'));
    m_values.NicDriverBase = dot < 0 ? m_values.NicDriverFileName : m_values.NicDriverFileName.left(dot);
    m_values.NicDriverName = (m_values.NicDriverBase + QStringLiteral("$")).toUpper().trimmed();
}

Dialogs::Button BuildRun::MakeTheDisk() {
    const RunningFlag running(m_running);
    // One listing of each directory serves the whole run; the run's own writes keep it current.
    const DosFs::ListingHold hold(m_fs);
    if (!m_cancelRequested)
        m_cancelled = false;
    m_cancelRequested = false;
    m_failedFile.clear();
    m_written.clear();
    m_plan.clear();
    m_diskette = 1;

    // Whatever ends the run lets go of the diskette; only a complete one is put in place.
    const auto release = qScopeGuard([this] { m_work.reset(); });
    if (!m_cancelled)
        checkDiskette();
    if (!m_cancelled)
        m_work = std::make_unique<DosFs::DisketteWork>(m_fs, m_values.DiskRoot);
    if (!m_cancelled)
        templateCheck();
    if (!m_cancelled)
        writeTest();

    m_lackedSystem = false;
    for (const SystemFile& file : kSystemFiles) {
        if (m_cancelled)
            break;
        if (!m_fs.fileExists(m_values.DiskRoot + QLatin1String(file.name))) {
            m_lackedSystem = true;
            inform(QLatin1String(file.message), kDisketteHelpContext);
        }
    }

    // Nothing of the diskette's files is written unless all of them fit.
    if (!m_cancelled) {
        m_plan = plan();
        fits(1);
    }

    gauge(0);
    tick(3);

    if (!m_cancelled)
        runWriter(*this, m_settings.buildMode());
    if (!m_cancelled && m_verify)
        verifyDiskette();
    if (!m_cancelled && m_work)
        m_work->commit();
    m_work.reset();

    status(QStringLiteral("Done. "));
    return m_dialogs.message(m_cancelled ? kCanceled : kComplete, Dialogs::Icon::Information,
                             Dialogs::Buttons::YesNo, 0);
}

void BuildRun::checkDiskette() {
    const DisketteCheck check = m_fs.checkDiskette(m_values.DiskRoot);
    if (!check.refusal.isEmpty())
        throw IoError(check.refusal);
    if (!check.unwritable.isEmpty()) {
        fail(m_values.DiskRoot, kFloppyNotWritable, check.unwritable);
        return;
    }
    if (!check.warning.isEmpty())
        m_dialogs.message(check.warning, Dialogs::Icon::Warning, Dialogs::Buttons::Ok, 0);

    // The values each writer puts into the diskette's text files (some of them upper-cased).
    QStringList written;
    switch (m_settings.buildMode()) {
    case BuildMode::Multicast:
        written << PageValue::MulticastName << PageValue::NicPort << PageValue::NicDriver;
        if (m_settings.isChecked(PageValue::PostOn))
            written << PageValue::PostName << PageValue::PostGroup << PageValue::PostLoginName;
        break;
    case BuildMode::NetWare:
        written << PageValue::NetwareLoginName << PageValue::NetwareMapPath << PageValue::NicPort
                << PageValue::NicDriver;
        break;
    case BuildMode::Microsoft:
        written << PageValue::MicrosoftName << PageValue::MicrosoftServerShare << PageValue::MicrosoftGroup
                << PageValue::MicrosoftLoginName << PageValue::NicPort << PageValue::NicDriver;
        break;
    default:
        break;
    }
    for (const QString& name : std::as_const(written)) {
        const QString text = m_settings.text(name);
        QString c = TextCodec::firstUnencodable(text);
        if (c.isEmpty())
            c = TextCodec::firstUnencodable(text.toUpper());
        if (c.isEmpty())
            continue;
        inform(QStringLiteral("The %1 holds %2, which the files on a DOS diskette (Windows-1252) "
                              "cannot hold. Please change it.")
                   .arg(SettingsTable::find(name)->label, TextCodec::describe(c)));
        setCancelled();
        return;
    }
}

QList<PlannedFile> BuildRun::plan() {
    const RunValues kept = m_values;
    const bool cancelled = m_cancelled;
    m_planning = true;
    m_cancelled = false;
    m_diskette = 1;
    m_plan.clear();
    try {
        runWriter(*this, m_settings.buildMode());
    } catch (...) {
        m_planning = false;
        m_values = kept;
        m_cancelled = cancelled;
        throw;
    }
    m_planning = false;
    m_values = kept;
    m_cancelled = cancelled;
    m_diskette = 1;
    return std::exchange(m_plan, {});
}

bool BuildRun::fits(int diskette) {
    // Up to the first missing source: the run stops there and writes nothing after it.
    QList<PlannedFile> files;
    for (const PlannedFile& file : std::as_const(m_plan)) {
        if (file.diskette != diskette)
            continue;
        if (file.missing())
            break;
        files.append(file);
    }
    const Fit fit = DiskettePlan::measure(m_fs, m_values.DiskRoot, files);
    if (fit.fits())
        return true;
    inform(fit.refusal(m_values.DiskRoot));
    setCancelled();
    return false;
}

void BuildRun::templateCheck() {
    const QString& root = m_values.DiskRoot;
    const DriveTable& drives = m_fs.drives();
    const QChar letter = root.isEmpty() ? QChar() : root.at(0);
    const QString templateImage = drives.templateImage();
    if (templateImage.isEmpty() || drives.kind(letter) != DriveTable::Kind::Image ||
        QFileInfo::exists(drives.hostPath(letter)))
        return;
    const QString problem = FatImage::templateProblem(templateImage);
    if (problem.isEmpty())
        return;
    inform(QStringLiteral("The diskette in %1 is to be made from a template that cannot be used: %2.  "
                          "Creation can not proceed.")
               .arg(root, problem));
    setCancelled();
}

void BuildRun::writeTest() {
    const QString probe = m_values.DiskRoot + QStringLiteral("\\delete.me");
    // On an image the file only reaches the diskette when it is closed, so the close belongs to
    // the test: a write-protected image fails there, not at the create.
    try {
        std::unique_ptr<DosWriter> file = m_fs.create(probe);
        if (!file)
            throw IoError(QStringLiteral("Cannot create ") + probe);
        file->close();
    } catch (const IoError& e) {
        // The first line is the one the program has always shown; the second says where and why.
        fail(m_values.DiskRoot, kFloppyNotWritable, e.message());
        return;
    }
    try {
        m_fs.remove(probe);
    } catch (const IoError&) {
        // A probe file left behind does no harm; the build goes on.
    }
}

QString BuildRun::dateStamp() const {
    return m_clock.shortDate();
}

// While planning, the writer runs for its files alone: nothing is shown and nobody waits.
void BuildRun::status(const QString& text) {
    if (!m_planning)
        m_view.setStatus(text);
}

void BuildRun::gauge(int percent) {
    if (!m_planning)
        m_view.setGauge(percent);
}

void BuildRun::tick(int image) {
    if (!m_planning)
        m_view.setTickVisible(image, true);
}

void BuildRun::wait(int milliseconds) {
    if (!m_planning)
        Delay(milliseconds);
}

void BuildRun::inform(const QString& text, int helpContext) {
    if (!m_planning)
        m_dialogs.message(text, Dialogs::Icon::Information, Dialogs::Buttons::Ok, helpContext);
}

bool BuildRun::nextDiskette() {
    if (m_planning) {
        ++m_diskette;
        return true;
    }
    // The first diskette leaves the drive now: what it holds is checked while it is there.
    if (m_verify)
        verifyDiskette();
    if (m_cancelled)
        return false;
    // The first diskette is complete: it is put in place before the second one goes in.
    const bool held = m_work != nullptr;
    if (held)
        m_work->commit();
    m_work.reset();
    inform(QStringLiteral("Insert Disk #2..."));
    if (secondDiskette)
        secondDiskette();
    // No second diskette given (its image or folder not named): the first one stays as it was
    // read back, and nothing of the second is written through the same drive.
    if (m_cancelled)
        return false;
    m_fs.forgetListings();
    if (held)
        m_work = std::make_unique<DosFs::DisketteWork>(m_fs, m_values.DiskRoot);
    ++m_diskette;
    return fits(m_diskette);
}
