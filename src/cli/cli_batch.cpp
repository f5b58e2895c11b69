#include "cli/cli_batch.h"

#include "batch/batch_update.h"
#include "cli/cli.h"
#include "cli/cli_settings.h"
#include "cli/console_ports.h"
#include "platform/dos_fs.h"
#include "platform/fat_image.h"
#include "platform/io_error.h"
#include "rules/host_list.h"
#include "rules/page_rules.h"
#include "settings/page_values.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {

// Answers each prompt with OK while a diskette is left to put into the drive, then Cancel.
class BatchDialogs : public ConsoleDialogs {
public:
    explicit BatchDialogs(int diskettes) : m_left(diskettes) {}
    Button message(const QString& text, Icon icon, Buttons buttons, int helpContext) override {
        const Button answer = ConsoleDialogs::message(text, icon, buttons, helpContext);
        if (buttons != Buttons::OkCancel)
            return answer;
        return m_left-- > 0 ? Button::Ok : Button::Cancel;
    }

private:
    int m_left;
};

} // namespace

namespace CliBatch {

// Puts each diskette into drive A: in turn and updates it with the fields, or with what `given`
// gives it.
static int update(const QString& programDir, BatchUpdate::Fields& fields, const QStringList& diskettes,
                  const QString& templateImage,
                  const std::function<std::optional<BatchUpdate::Given>(int)>& given);

int run(const QString& programDir, const QString& address, const QString& name, const QStringList& diskettes,
        const QString& templateImage) {
    if (diskettes.isEmpty())
        throw UsageError(
            QStringLiteral("batch needs at least one DISKETTE (a directory, an image or a device)"));
    BatchUpdate::Fields fields;
    fields.updateAddress = !address.isNull();
    fields.updateName = !name.isNull();
    if (fields.updateAddress) {
        BuildSettings check;
        ChoiceRules::Memory memory;
        CliSettings::applySet(check, PageValue::MulticastIp + QLatin1Char('=') + address, memory);
        fields.address = check.text(PageValue::MulticastIp);
        if (fields.address == QLatin1String("DHCP") || fields.address == QLatin1String("BOOTP"))
            throw UsageError(
                QStringLiteral("--ip takes an address such as 10.0.0.5, not \"%1\"").arg(address));
        if (const Check refused = PageRules::multicastClientAddress(check))
            throw UsageError(QStringLiteral("--ip %1: %2").arg(address, refused->text));
    }
    if (fields.updateName) {
        // WATTCP.CFG gets the client name in capitals, as a build writes it.
        fields.name = name.toUpper();
        if (const QString problem =
                BatchUpdate::fieldProblem(fields.name.trimmed(), QStringLiteral("--name"));
            !problem.isEmpty())
            throw UsageError(problem);
    }
    return update(programDir, fields, diskettes, templateImage, {});
}

int runHosts(const QString& programDir, const QString& hostsFile, const QStringList& diskettes,
             const QString& templateImage) {
    if (diskettes.isEmpty())
        throw UsageError(
            QStringLiteral("batch needs at least one DISKETTE (a directory, an image or a device)"));
    const HostList list = HostList::read(hostsFile);
    // The batch writes WATTCP.CFG, a Multicast diskette's file: the names are client names.
    if (const QStringList problems = list.report(HostList::Names::ClientName); !problems.isEmpty()) {
        for (const QString& problem : problems)
            std::fprintf(stderr, "%s\n", qPrintable(problem));
        std::fprintf(stderr, "bootwright-cli: no diskette was touched\n");
        return Cli::Message;
    }
    if (list.size() != diskettes.size())
        throw UsageError(QStringLiteral("%1 has %2 hosts for %3 diskettes: give one diskette per host")
                             .arg(hostsFile)
                             .arg(list.size())
                             .arg(diskettes.size()));
    BatchUpdate::Fields fields;
    return update(programDir, fields, diskettes, templateImage,
                  [&list](int n) -> std::optional<BatchUpdate::Given> {
                      if (n > list.size())
                          return std::nullopt;
                      const Host& host = list.hosts().at(n - 1);
                      return BatchUpdate::Given{host.addressField(), host.name.toUpper(), host.maskField()};
                  });
}

static int update(const QString& programDir, BatchUpdate::Fields& fields, const QStringList& diskettes,
                  const QString& templateImage,
                  const std::function<std::optional<BatchUpdate::Given>(int)>& given) {
    fields.drive = QLatin1Char('A');

    DriveTable drives = DriveTable::load(programDir);
    if (!templateImage.isEmpty()) {
        drives.setTemplateImage(templateImage);
        const QString problem = FatImage::templateProblem(drives.templateImage());
        if (!problem.isEmpty()) {
            ConsoleDialogs().print(QStringLiteral("--template: ") + problem);
            return Cli::Message;
        }
    }
    DosFs fs(drives);
    BatchDialogs dialogs(diskettes.size());
    BatchUpdate batch(fs, dialogs);
    batch.given = given;
    batch.diskettePlaced = [&](int n) {
        // The classic message that follows says "the diskette": which one, only the path tells.
        if (!QFileInfo::exists(diskettes.at(n - 1)))
            dialogs.print(QStringLiteral("bootwright-cli: %1 does not exist").arg(diskettes.at(n - 1)));
        fs.mapDrive(QLatin1Char('A'), QDir(diskettes.at(n - 1)).absolutePath());
        return true;
    };
    int done = 0;
    batch.updated = [&](int n, const QString& ip, const QString& host) {
        ++done;
        if (Cli::quiet())
            return;
        std::printf("%d\t%s\t%s\t%s\n", n, qPrintable(diskettes.at(n - 1)),
                    qPrintable(ip.isEmpty() ? "-" : ip), qPrintable(host.isEmpty() ? "-" : host));
        std::fflush(stdout);
    };
    try {
        batch.go(fields);
    } catch (const IoError& e) {
        dialogs.print(QStringLiteral("bootwright-cli: ") + e.message());
        return Cli::IoFailure;
    } catch (const BatchUpdate::FieldError& e) {
        throw UsageError(QString::fromStdString(e.what()));
    }
    return done == diskettes.size() ? Cli::Done : Cli::Message;
}

} // namespace CliBatch
