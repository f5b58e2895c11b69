#include "cli/cli_build.h"

#include "cli/cli.h"
#include "cli/cli_settings.h"
#include "cli/console_ports.h"
#include "platform/clock.h"
#include "platform/delay.h"
#include "platform/dos_fs.h"
#include "platform/io_error.h"
#include "platform/text_util.h"
#include "rules/show_steps.h"
#include "writers/build_run.h"

#include <cstdio>

namespace {

const QString kNumber = QStringLiteral("{n}");

QString numbered(QString path, int n) {
    return path.replace(kNumber, QString::number(n));
}

DriveTable numberedDrives(const DriveTable& drives, int n) {
    DriveTable out = drives;
    const auto mappings = drives.mappings();
    for (auto it = mappings.cbegin(); it != mappings.cend(); ++it)
        out.map(it.key(), numbered(it.value(), n));
    return out;
}

bool twoDisketteForm(const BuildSettings& s) {
    return s.buildMode() == 3 &&
           s.itemText(QStringLiteral("TForm9.ComboBox1")).toUpper().contains(QLatin1String("FLOPPY"));
}

// The address and name the diskette got, as its files carry them.
QPair<QString, QString> addressAndName(const BuildSettings& s) {
    const auto noBlanks = [](const QString& t) {
        return StrTran(t, QStringLiteral(" "), QString());
    };
    switch (s.buildMode()) {
    case 1:
        return {s.isChecked(QStringLiteral("TForm6.CheckBox3"))
                    ? QStringLiteral("DHCP")
                    : noBlanks(s.text(QStringLiteral("TForm6.Edit1"))),
                s.text(QStringLiteral("TForm6.Edit3")).toUpper().trimmed()};
    case 3:
        return {noBlanks(s.text(QStringLiteral("TForm40.Edit1"))),
                s.text(QStringLiteral("TForm40.Edit3")).trimmed()};
    default:
        return {QStringLiteral("-"), QStringLiteral("-")};
    }
}

// The Multicast client page's checks on Next: the wizard never builds past them, so neither does
// the command line. Returns the page's message, or an empty text.
QString multicastCheck(const BuildSettings& s) {
    const QString name = s.text(QStringLiteral("TForm6.Edit3"));
    const auto unset = [](const QString& quad) {
        return quad == QLatin1String("000.000.000.000") || quad == QLatin1String("   .   .   .   ");
    };
    if (name == QLatin1String("Not Specified") || name.isEmpty())
        return QStringLiteral("You must specify a client name.");
    if (unset(s.text(QStringLiteral("TForm6.Edit1"))))
        return QStringLiteral("You must specify a valid IP Address.");
    if (unset(s.text(QStringLiteral("TForm6.Edit2"))))
        return QStringLiteral("You must specify a valid Sub Net Mask.");
    return {};
}

} // namespace

namespace CliBuild {

int run(const BuildOptions& options) {
    if (options.count < 1)
        throw UsageError(QStringLiteral("--count takes a number of diskettes from 1 up"));

    BuildSettings settings;
    try {
        settings = CliSettings::assemble(options.programDir, options.config, options.sets);
    } catch (const ConfigNotFound&) {
        ConsoleDialogs().message(QStringLiteral("Configuration could not be found.\rPlease try again."),
                                 Dialogs::Icon::Information, Dialogs::Buttons::Ok, 0);
        return Cli::Message;
    }
    CliSettings::refineStandaloneMode(settings);

    DriveTable drives = DriveTable::load(options.programDir);
    for (const auto& [letter, path] : options.drives)
        drives.map(letter, path);

    const QChar target =
        settings.isChecked(QStringLiteral("TForm2.RadioButton1")) ? QLatin1Char('A') : QLatin1Char('B');
    const QString targetPath = drives.hostPath(target);
    if (targetPath.isEmpty())
        throw UsageError(QStringLiteral("drive %1: is not mapped; map it with --drive %1=PATH").arg(target));
    if (options.count > 1 && !targetPath.contains(kNumber))
        throw UsageError(QStringLiteral("--count %1 writes %1 diskettes: put {n} into the path of drive %2: "
                                        "(now %3), so that each diskette gets its own")
                             .arg(options.count)
                             .arg(target)
                             .arg(targetPath));
    if (twoDisketteForm(settings) && options.disk2.isEmpty())
        throw UsageError(
            QStringLiteral("the \"%1\" form writes two diskettes: name the second with --disk2 PATH")
                .arg(settings.itemText(QStringLiteral("TForm9.ComboBox1"))));

    if (settings.buildMode() == 1) {
        const QString problem = multicastCheck(settings);
        if (!problem.isEmpty()) {
            ConsoleDialogs().print(problem);
            return Cli::Message;
        }
    }

    // Nobody watches a status line here: the waits that pace the page for the eye are left out.
    setDelayPacing(0);

    ConsoleDialogs dialogs;
    ConsoleBuildView view(false);
    SystemClock clock;
    RememberedAddress multicastRemembered;
    RememberedAddress microsoftRemembered;
    QStringList done;

    for (int n = 1; n <= options.count; ++n) {
        if (n > 1) {
            // As passing the wizard again would advance them.
            if (settings.buildMode() == 1) {
                ShowSteps::multicastClient(settings, multicastRemembered);
                ShowSteps::postConfiguration(settings);
            } else if (settings.buildMode() == 3) {
                ShowSteps::microsoftStandalone(settings, microsoftRemembered);
            }
        }
        const DriveTable diskDrives = numberedDrives(drives, n);
        DosFs fs(diskDrives);
        BuildRun run(fs, dialogs, view, clock);
        const QString disk2 = numbered(options.disk2, n);
        run.secondDiskette = [&fs, &disk2, target] {
            if (!disk2.isEmpty())
                fs.mapDrive(target, disk2);
        };
        try {
            run.FormShow(settings, options.programDir);
            run.MakeTheDisk();
        } catch (const IoError& e) {
            dialogs.print(QStringLiteral("Input/output error: ") + e.message());
            return Cli::IoFailure;
        }
        if (run.BuildCancelled())
            return Cli::Message;
        const auto [address, name] = addressAndName(settings);
        std::printf("%d\t%s\t%s\t%s\n", n, qPrintable(diskDrives.hostPath(target)), qPrintable(address),
                    qPrintable(name));
        std::fflush(stdout);
    }
    return Cli::Done;
}

} // namespace CliBuild
