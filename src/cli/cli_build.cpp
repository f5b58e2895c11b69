#include "cli/cli_build.h"

#include "cli/cli.h"
#include "cli/cli_hosts.h"
#include "cli/cli_settings.h"
#include "cli/console_ports.h"
#include "cli/first_diskette.h"
#include "platform/clock.h"
#include "platform/delay.h"
#include "platform/dos_fs.h"
#include "platform/fat_image.h"
#include "platform/floppy_drives.h"
#include "platform/io_error.h"
#include "platform/replacement_file.h"
#include "rules/page_rules.h"
#include "rules/show_steps.h"
#include "settings/page_values.h"
#include "writers/build_run.h"
#include "writers/client_identity.h"

#include <cstdio>
#include <optional>

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

// --check: the plan of each diskette as DOS path TAB bytes TAB source, then what it needs and what
// the diskette has free. Writes nothing, not even a missing image. Returns the exit status.
int check(BuildRun& run, DosFs& fs, ConsoleDialogs& dialogs, QChar target, const QString& disk2) {
    const QList<PlannedFile> plan = run.plan();
    const QString root = run.values().DiskRoot;
    int status = Cli::Done;
    const int diskettes = plan.isEmpty() ? 1 : plan.last().diskette;
    for (int diskette = 1; diskette <= diskettes; ++diskette) {
        QList<PlannedFile> files;
        for (const PlannedFile& file : plan) {
            if (file.diskette != diskette)
                continue;
            files.append(file);
            if (file.directory)
                continue;
            const QString size = file.missing() ? QStringLiteral("?") : QString::number(file.size);
            const QString source = file.source.isEmpty() ? QStringLiteral("-") : fs.describe(file.source);
            std::printf("%s\t%s\t%s\n", qPrintable(file.path), qPrintable(size), qPrintable(source));
            if (file.missing()) {
                dialogs.print(
                    QStringLiteral("%1 does not exist: %2 cannot be copied").arg(source, file.path));
                status = Cli::Message;
            }
        }
        if (diskette == 2 && !disk2.isEmpty())
            fs.mapDrive(target, disk2);
        const Fit fit = DiskettePlan::measure(fs, root, files);
        std::printf("%lld bytes in %d files, %lld bytes free on %s%s\n", fit.need, fit.files, fit.free,
                    qPrintable(root), diskette == 2 ? " (the second diskette)" : "");
        std::fflush(stdout);
        if (!fit.fits()) {
            dialogs.print(fit.refusal(root));
            status = Cli::Message;
        }
    }
    return status;
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
    PageRules::nicSelectionFromDriver(settings);

    DriveTable drives = DriveTable::load(options.programDir);
    for (const auto& [letter, path] : options.drives)
        drives.map(letter, path);
    if (!options.templateImage.isEmpty()) {
        drives.setTemplateImage(options.templateImage);
        // Named for this run, so refused at once, whether or not a new image needs it.
        const QString problem = FatImage::templateProblem(drives.templateImage());
        if (!problem.isEmpty()) {
            ConsoleDialogs().print(QStringLiteral("--template: ") + problem);
            return Cli::Message;
        }
    }

    // The route decides BuildMode before anything depends on it (a Standalone configuration builds
    // as the NOS it names); its checks are made per diskette below.
    {
        BuildSettings routed = settings;
        DosFs fs(drives);
        try {
            PageRules::checkRoute(routed, fs);
        } catch (const IoError&) {
            // Reported with the checks of the first diskette.
        }
        settings.setBuildMode(routed.buildMode());
    }

    const QChar target = settings.isChecked(PageValue::DiskA) ? QLatin1Char('A') : QLatin1Char('B');
    const QString targetPath = drives.hostPath(target);
    if (targetPath.isEmpty())
        throw UsageError(QStringLiteral("drive %1: is not mapped; map it with --drive %1=PATH").arg(target));
    std::optional<HostRun> hosts;
    if (!options.hosts.isEmpty()) {
        hosts.emplace(options.hosts, options.pxe, settings, drives, target, options.disk2);
        if (!hosts->problems().isEmpty()) {
            for (const QString& problem : hosts->problems())
                std::fprintf(stderr, "%s\n", qPrintable(problem));
            std::fprintf(stderr, "bootwright-cli: nothing was written\n");
            return Cli::Message;
        }
    }
    const int count = hosts ? hosts->count() : options.count;
    if (options.count > 1 && !targetPath.contains(kNumber))
        throw UsageError(QStringLiteral("--count %1 writes %1 diskettes: put {n} into the path of drive %2: "
                                        "(now %3), so that each diskette gets its own")
                             .arg(options.count)
                             .arg(target)
                             .arg(targetPath));
    if (PageRules::twoDiskettes(settings) && options.disk2.isEmpty())
        throw UsageError(
            QStringLiteral("the \"%1\" form writes two diskettes: name the second with --disk2 PATH")
                .arg(settings.itemText(PageValue::StandaloneNos)));

    // Nobody watches a status line here: the waits that pace the page for the eye are left out.
    setDelayPacing(0);
    int checked = Cli::Done;

    ConsoleDialogs dialogs;
    ConsoleBuildView view(false);
    SystemClock clock;
    RememberedAddress multicastRemembered;
    RememberedAddress microsoftRemembered;
    bool lackedSystem = false;
    std::optional<FirstDiskette> first;
    if (count > 1 && !options.check && !PageRules::twoDiskettes(settings))
        first.emplace();

    std::optional<ReplacementFile::StaleListingHold> staleHold;
    if (count > 1)
        staleHold.emplace();
    for (int n = 1; n <= count; ++n) {
        // Each diskette of a host list takes its host, the first one too.
        if (hosts || n > 1)
            ShowSteps::nextDiskette(settings, hosts ? &hosts->host(n) : nullptr, multicastRemembered,
                                    microsoftRemembered);
        const DriveTable diskDrives =
            hosts ? hosts->named(numberedDrives(drives, n), n) : numberedDrives(drives, n);
        DosFs fs(diskDrives);
        // A card chosen for another kind of diskette takes this kind's driver, as on the NIC page.
        if (settings.buildMode() != BuildMode::NoNetwork)
            PageRules::nicSelectionShow(settings, options.programDir);
        try {
            // Every page on the route makes its Next check, as passing the wizard would.
            if (const Check refused = PageRules::checkRoute(settings, fs)) {
                dialogs.message(refused->text, refused->icon, Dialogs::Buttons::Ok, 0);
                if (!options.check)
                    return Cli::Message;
                checked = Cli::Message; // the plan is shown all the same
            }
            // The run's write test would only say that the diskette cannot be written to.
            if (diskDrives.kind(target) == DriveTable::Kind::Device) {
                const QString device = diskDrives.hostPath(target);
                const QString refused = FloppyDrives::writeRefusal(device);
                if (!refused.isEmpty()) {
                    dialogs.print(QStringLiteral("bootwright-cli: drive %1: (%2) is not written: %3")
                                      .arg(target)
                                      .arg(device, refused));
                    return Cli::IoFailure;
                }
            }
            BuildRun run(fs, dialogs, view, clock);
            const QString disk2 =
                hosts ? hosts->named(numbered(options.disk2, n), n) : numbered(options.disk2, n);
            run.secondDiskette = [&fs, &disk2, target] {
                if (!disk2.isEmpty())
                    fs.mapDrive(target, disk2);
            };
            run.FormShow(settings, options.programDir);
            if (options.check) {
                checked = qMax(checked, check(run, fs, dialogs, target, disk2));
                continue;
            }
            if (!options.verify)
                run.setVerify(false);
            if (first)
                first->prepare(run, fs, target, diskDrives);
            run.MakeTheDisk();
            // A diskette file that could not be written or read back is an input/output failure.
            if (!run.failedFile().isEmpty())
                return Cli::IoFailure;
            if (run.BuildCancelled())
                return Cli::Message;
            if (hosts)
                hosts->built(n, diskDrives.hostPath(target));
            if (first)
                first->built(run, diskDrives, target);
            lackedSystem = lackedSystem || run.lackedSystem();
        } catch (const IoError& e) {
            dialogs.print(QStringLiteral("bootwright-cli: ") + e.message());
            return Cli::IoFailure;
        }
        const ClientIdentity client = clientIdentity(settings);
        if (!Cli::quiet()) {
            std::printf("%d\t%s\t%s\t%s\n", n, qPrintable(diskDrives.hostPath(target)),
                        qPrintable(client.address), qPrintable(client.name));
            std::fflush(stdout);
        }
    }
    // The warnings above scroll by one per diskette; a network boot of such a diskette loops back
    // to the BIOS without a word, so the cause is said once more where it is seen.
    if (lackedSystem && !options.pxe.isEmpty())
        dialogs.print(QStringLiteral(
            "bootwright-cli: warning: these diskettes hold no DOS system, so the clients will not boot "
            "from them over the network; make them from a system diskette with --template IMAGE (or "
            "Template= in PCBW.INI)"));
    return options.check ? checked : Cli::Done;
}

} // namespace CliBuild
