#include "writers/build_run.h"

#include "platform/clock.h"
#include "platform/copy_file.h"
#include "platform/delay.h"
#include "platform/dos_fs.h"
#include "platform/dos_path.h"
#include "platform/dos_text.h"
#include "platform/io_error.h"
#include "platform/profile_file.h"
#include "platform/text_codec.h"
#include "settings/page_values.h"
#include "settings/preferences.h"
#include "writers/build_view.h"
#include "writers/microsoft_writer.h"
#include "writers/multicast_writer.h"
#include "writers/netware_writer.h"
#include "writers/no_network_writer.h"

namespace {

const QString kFloppyNotWritable =
    QStringLiteral("Floppy diskette could not be written to.  Build can not continue.");
const QString kComplete = QStringLiteral("Client diskette build complete.  Create Another?");
const QString kCanceled = QStringLiteral("Client diskette build canceled.  Create Another?");
constexpr int kDisketteHelpContext = 600;

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
    m_view.setNetworkLabelVisible(!(m_settings.buildMode() == 4 && !m_cancelled));

    // Read raw: a directory stored without its final separator must stay that way, since the
    // writers append bare file names to it.
    const ProfileFile prefs(Preferences(programDir).path());
    const QString section = QStringLiteral("LOCATIONS");
    m_values.NICDriverPath = prefs.readString(section, QStringLiteral("NICDriverPath"), QString());
    m_values.NovellDriverPath = prefs.readString(section, QStringLiteral("NovellDriverPath"), QString());
    m_values.MicrosoftDriverPath =
        prefs.readString(section, QStringLiteral("MicrosoftDriverPath"), QString());

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
    if (!m_cancelRequested)
        m_cancelled = false;
    m_cancelRequested = false;

    if (!m_cancelled)
        checkDiskette();
    if (!m_cancelled)
        writeTest();

    for (const SystemFile& file : kSystemFiles) {
        if (m_cancelled)
            break;
        if (!m_fs.fileExists(m_values.DiskRoot + QLatin1String(file.name)))
            inform(QLatin1String(file.message), kDisketteHelpContext);
    }

    gauge(0);
    tick(3);

    if (!m_cancelled) {
        switch (m_settings.buildMode()) {
        case 1:
            CreateMultiCastDiskette(*this);
            break;
        case 2:
            CreateNovellDiskette(*this);
            break;
        case 3:
            CreateMicrosoftDiskette(*this);
            break;
        case 4:
            CreateNoNetworkDiskette(*this);
            break;
        default:
            break;
        }
    }

    status(QStringLiteral("Done. "));
    return m_dialogs.message(m_cancelled ? kCanceled : kComplete, Dialogs::Icon::Information,
                             Dialogs::Buttons::YesNo, 0);
}

void BuildRun::checkDiskette() {
    const DisketteCheck check = m_fs.checkDiskette(m_values.DiskRoot);
    if (!check.refusal.isEmpty())
        throw IoError(check.refusal);
    if (!check.warning.isEmpty())
        m_dialogs.message(check.warning, Dialogs::Icon::Warning, Dialogs::Buttons::Ok, 0);

    // The values each writer puts into the diskette's text files (some of them upper-cased).
    QStringList written;
    switch (m_settings.buildMode()) {
    case 1:
        written << QStringLiteral("TForm6.Edit3") << QStringLiteral("TForm7.ComboBox2")
                << QStringLiteral("TForm4.Edit2");
        if (m_settings.isChecked(QStringLiteral("TForm99.RadioButton1")))
            written << QStringLiteral("TForm99.Edit3") << QStringLiteral("TForm99.Edit5")
                    << QStringLiteral("TForm99.Edit6");
        break;
    case 2:
        written << QStringLiteral("TForm21.Edit1") << QStringLiteral("TForm21.Edit2")
                << QStringLiteral("TForm7.ComboBox2") << QStringLiteral("TForm4.Edit2");
        break;
    case 3:
        written << QStringLiteral("TForm40.Edit3") << QStringLiteral("TForm40.Edit4")
                << QStringLiteral("TForm40.Edit5") << QStringLiteral("TForm40.Edit6")
                << QStringLiteral("TForm7.ComboBox2") << QStringLiteral("TForm4.Edit2");
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
        inform(QStringLiteral("The value of %1 holds %2, which the files on a DOS diskette (Windows-1252) "
                              "cannot hold. Please change it.")
                   .arg(name, TextCodec::describe(c)));
        setCancelled();
        return;
    }
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
        inform(kFloppyNotWritable + QLatin1Char('\r') + e.message());
        setCancelled();
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

void BuildRun::status(const QString& text) {
    m_view.setStatus(text);
}

void BuildRun::gauge(int percent) {
    m_view.setGauge(percent);
}

void BuildRun::tick(int image) {
    m_view.setTickVisible(image, true);
}

void BuildRun::wait(int milliseconds) {
    Delay(milliseconds);
}

void BuildRun::inform(const QString& text, int helpContext) {
    m_dialogs.message(text, Dialogs::Icon::Information, Dialogs::Buttons::Ok, helpContext);
}

void BuildRun::writeText(const QString& path, const QStringList& lines) {
    DosText::write(m_fs, path, lines);
}

bool BuildRun::copyStep(const QString& source, const QString& target, const QString& missingMessage) {
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
    if (!m_fs.fileExists(m_values.ClientFile)) {
        inform(QStringLiteral("The Pellacore Client could not be found in the specified location.  "
                              "Creation can not proceed."));
        setCancelled();
        return false;
    }
    copyExisting(m_values.ClientFile,
                 m_values.DiskRoot + QLatin1Char('\\') + DosPath::fileNamePart(m_values.ClientFile));
    return true;
}

bool BuildRun::copyExisting(const QString& source, const QString& target) {
    m_values.CopyResult = CopyMyFile(m_fs, source, target);
    const bool shortWrite = m_values.CopyResult > 0;
    if (shortWrite)
        inform(target + QStringLiteral(" File write error! "));
    wait(200);
    return !shortWrite;
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
    try {
        writeText(m_values.DiskRoot + QStringLiteral("\\CONFIG.SYS"), lines);
    } catch (const IoError&) {
        inform(QStringLiteral("CONFIG.SYS could not be created.  Build can not continue."),
               kDisketteHelpContext);
        setCancelled();
    }
}
