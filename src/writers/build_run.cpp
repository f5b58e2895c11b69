#include "writers/build_run.h"

#include "platform/clock.h"
#include "platform/copy_file.h"
#include "platform/delay.h"
#include "platform/dos_fs.h"
#include "platform/dos_path.h"
#include "platform/dos_text.h"
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

#include <QCryptographicHash>
#include <QFileInfo>
#include <QScopeGuard>
#include <utility>

namespace {

const QString kFloppyNotWritable =
    QStringLiteral("Floppy diskette could not be written to.  Build can not continue.");
const QString kComplete = QStringLiteral("Client diskette build complete.  Create Another?");
const QString kCanceled = QStringLiteral("Client diskette build canceled.  Create Another?");
const QString kConfigFailed = QStringLiteral("CONFIG.SYS could not be created.  Build can not continue.");
constexpr int kDisketteHelpContext = 600;

// Why a file could not be written, in the words of someone holding the diskette.
QString reasonOf(IoError::Problem problem, const QString& message) {
    switch (problem) {
    case IoError::Problem::NoSpace:
        return QStringLiteral("no space left on the diskette");
    case IoError::Problem::DirectoryFull:
        return QStringLiteral("no entry left in the diskette's root folder");
    case IoError::Problem::FolderInTheWay:
        return QStringLiteral("a folder of that name is in the way");
    case IoError::Problem::ReadOnlyFile:
        return QStringLiteral("a read-only file of that name is in the way");
    case IoError::Problem::WriteProtected:
        return QStringLiteral("the diskette is write-protected");
    case IoError::Problem::Other:
        break;
    }
    return message;
}

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

void BuildRun::fail(const QString& path, const QString& firstLine, const QString& reason, int helpContext) {
    inform(firstLine + QLatin1Char('\r') + reason, helpContext);
    setCancelled();
    if (m_failedFile.isEmpty())
        m_failedFile = path;
}

bool BuildRun::writeText(const QString& path, const QStringList& lines) {
    const QByteArray data = DosText::encode(lines);
    if (m_planning) {
        m_plan.append({path, QString(), data.size(), false, m_diskette});
        return true;
    }
    try {
        m_fs.writeFile(path, data);
    } catch (const IoError& e) {
        fail(path,
             e.problem() == IoError::Problem::NoSpace ? path + QStringLiteral(" File write error! ")
                                                      : path + QStringLiteral(" could not be created."),
             reasonOf(e.problem(), e.message()));
        return false;
    }
    m_written.append({path, m_diskette, data, {}, data.size()});
    return true;
}

bool BuildRun::sourceMissing(const QString& source, const QString& message) {
    if (m_planning || m_fs.fileExists(source))
        return false;
    inform(message);
    setCancelled();
    return true;
}

void BuildRun::makeDirectory(const QString& path) {
    if (m_planning) {
        m_plan.append({path, QString(), 0, true, m_diskette});
        return;
    }
    try {
        m_fs.makeDirectory(path);
    } catch (const IoError&) {
    }
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

bool BuildRun::copyStep(const QString& source, const QString& target, const QString& missingMessage) {
    if (m_planning) {
        planCopy(source, target);
        return true;
    }
    if (!m_fs.fileExists(source)) {
        inform(missingMessage.isEmpty()
                   ? QStringLiteral("The File ") + source +
                         QStringLiteral(" could not be found.  Creation can not proceed.")
                   : missingMessage);
        setCancelled();
        return false;
    }
    return copyExisting(source, target);
}

bool BuildRun::copyClient() {
    m_values.ClientFile = m_settings.text(PageValue::ClientProgram);
    const QString target = m_values.DiskRoot + QLatin1Char('\\') + DosPath::fileNamePart(m_values.ClientFile);
    if (m_planning) {
        planCopy(m_values.ClientFile, target);
        return true;
    }
    if (!m_fs.fileExists(m_values.ClientFile)) {
        inform(QStringLiteral("The Pellacore Client could not be found in the specified location.  "
                              "Creation can not proceed."));
        setCancelled();
        return false;
    }
    copyExisting(m_values.ClientFile, target);
    return true;
}

void BuildRun::planCopy(const QString& source, const QString& target) {
    m_plan.append({target, source, m_fs.fileSize(source), false, m_diskette});
}

bool BuildRun::copyExisting(const QString& source, const QString& target) {
    CopyReport report;
    m_values.CopyResult = CopyMyFile(m_fs, source, target, &report);
    if (m_values.CopyResult > 0) {
        fail(target, target + QStringLiteral(" File write error! "),
             reasonOf(report.problem, report.message));
    } else if (m_values.CopyResult < 0) {
        fail(target, target + QStringLiteral(" could not be created."),
             report.sourceFailed ? QStringLiteral("its source could not be read: ") + report.message
                                 : reasonOf(report.problem, report.message));
    } else if (!report.digest.isEmpty()) {
        // Empty for a file copied onto itself: nothing was written.
        m_written.append({target, m_diskette, {}, report.digest, report.size});
    }
    wait(200);
    return m_values.CopyResult == 0;
}

void BuildRun::fileStep(const QString& statusText, int percent, const QString& name,
                        const std::function<QStringList()>& lines, int waitMilliseconds) {
    if (m_cancelled)
        return;
    status(statusText);
    gauge(percent);
    writeText(m_values.DiskRoot + QLatin1Char('\\') + name, lines());
    wait(waitMilliseconds);
}

void BuildRun::configSysStep(int percent, const std::function<QStringList()>& lines) {
    if (m_cancelled)
        return;
    status(QStringLiteral(" Creating CONFIG.SYS..."));
    gauge(percent);
    writeConfigSys(lines());
    wait(2000);
}

void BuildRun::writeConfigSys(const QStringList& lines) {
    const QString path = m_values.DiskRoot + QStringLiteral("\\CONFIG.SYS");
    const QByteArray data = DosText::encode(lines);
    if (m_planning) {
        m_plan.append({path, QString(), data.size(), false, m_diskette});
        return;
    }
    try {
        m_fs.writeFile(path, data);
    } catch (const IoError& e) {
        fail(path, kConfigFailed, reasonOf(e.problem(), e.message()), kDisketteHelpContext);
        return;
    }
    m_written.append({path, m_diskette, data, {}, data.size()});
}

void BuildRun::verifyDiskette() {
    QStringList paths;
    QList<Written> files;
    for (const Written& file : std::as_const(m_written)) {
        if (file.diskette != m_diskette)
            continue;
        // Written twice: the later one is what the diskette should hold.
        const qsizetype at = paths.indexOf(file.path.toUpper());
        if (at >= 0) {
            paths.removeAt(at);
            files.removeAt(at);
        }
        paths.append(file.path.toUpper());
        files.append(file);
    }
    if (paths.isEmpty())
        return;
    status(QStringLiteral(" Verifying diskette..."));

    const QList<ReadBack> read = m_fs.readBack(paths);
    QStringList bad;
    QString unreadable;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const Written& file = files[i];
        const ReadBack& back = read.value(i);
        const bool same =
            back.ok &&
            (file.digest.isEmpty()
                 ? back.data == file.data
                 : back.data.size() == file.size &&
                       QCryptographicHash::hash(back.data, QCryptographicHash::Sha256) == file.digest);
        if (same)
            continue;
        bad << file.path;
        if (!back.ok && unreadable.isEmpty())
            unreadable = back.error;
    }
    QStringList reasons;
    if (!bad.isEmpty())
        reasons << (unreadable.isEmpty()
                        ? QStringLiteral("what the diskette holds differs from what was written to it")
                        : QStringLiteral("it could not be read back: ") + unreadable);
    const QString damage = m_fs.checkFileSystem(m_values.DiskRoot + QLatin1Char('\\'));
    if (!damage.isEmpty())
        reasons << damage;
    if (reasons.isEmpty())
        return;
    QStringList named;
    for (const QString& path : std::as_const(bad))
        named << path + QStringLiteral(" File write error! ");
    if (named.isEmpty())
        named << QStringLiteral("The diskette in %1 is damaged.").arg(m_values.DiskRoot);
    fail(bad.isEmpty() ? m_values.DiskRoot : bad.first(), named.join(QLatin1Char('\r')),
         reasons.join(QLatin1Char('\r')));
}
