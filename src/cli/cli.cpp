#include "cli/cli.h"

#include "cli/cli_batch.h"
#include "cli/cli_build.h"
#include "cli/cli_config.h"
#include "cli/cli_drives.h"
#include "cli/cli_help.h"
#include "cli/cli_settings.h"
#include "cli/cli_try.h"
#include "cli/cli_values.h"
#include "cli/console_ports.h"
#include "platform/io_error.h"
#include "platform/profile_file.h"
#include "platform/stale_files.h"
#include "platform/text_codec.h"
#include "settings/program_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <cstdio>

namespace {

const char* const kUsage =
    "usage: bootwright-cli [--dir DIR] [--template IMAGE] [--quiet] COMMAND ...\n"
    "       bootwright-cli COMMAND --help | --help | --version\n"
    "\n"
    "  build [--config DESCRIPTION] [--set NAME=VALUE]... [--drive L=PATH]... [--disk2 PATH] [--count N]\n"
    "        [--check] [--no-verify] [--hosts FILE [--pxe DIR]]\n"
    "        builds N diskettes (default 1) from the start-up values, the saved configuration and\n"
    "        the --set values, in that order; {n} in a drive path is the diskette's number;\n"
    "        --hosts builds one per row of a host list ({name} in a drive path is the row's name);\n"
    "        --check prints what would be written (DOS path TAB bytes TAB source) and whether it\n"
    "        fits, and writes nothing; --no-verify skips reading the diskette back\n"
    "  save DESCRIPTION [--config DESCRIPTION] [--set NAME=VALUE]... [--overwrite] [--replace-oldest]\n"
    "        --overwrite replaces the configuration of that description; --replace-oldest lets a\n"
    "        new one replace the oldest when all 100 slots are in use\n"
    "  list                         one line per saved configuration: description TAB kind\n"
    "  remove DESCRIPTION\n"
    "  batch [--ip ADDRESS] [--name NAME] [--hosts FILE] DISKETTE...\n"
    "        gives each diskette (a directory, an image or a device holding a Multicast\n"
    "        diskette) the next address and name in its WATTCP.CFG, one after another\n"
    "  values                       every NAME --set takes, one a line: name TAB alias TAB kind\n"
    "                               TAB start-up value TAB save key TAB meaning\n"
    "  drives [--drive L=PATH]...   the drive table as it resolves, and the floppy drives of this machine\n"
    "  try [--timeout SECONDS] [--drive L=PATH]... DRIVE|IMAGE\n"
    "        boots the diskette in a virtual machine (QEMU), which never writes to it\n"
    "\n"
    "  --dir DIR   the program directory (PCBW.INI, PCBWSAVE.INI, the NIC catalogues)\n"
    "  --template IMAGE  a 1.44 MB system diskette image: new images are made as copies of it\n"
    "  --quiet     print no line per diskette (build, batch) and no confirmation (save)\n"
    "  --help      this help; after a COMMAND, that command's help\n"
    "  --version   the program's version\n"
    "  NAME        a page value by its name or alias, such as TForm6.Edit1 or multicast.ip,\n"
    "              TForm7.RadioButton2 or nic.pnp.off, or BuildMode (build.mode)\n"
    "  VALUE       1/0 for check boxes and radio buttons, an index for drop-down lists, text\n"
    "              otherwise; an address field also takes 10.0.0.5, DHCP or BOOTP\n"
    "\n"
    "exit status: 0 done, 1 ended by a message (a refused action), 2 usage error,\n"
    "             3 input/output error (a file that cannot be read or written)\n";

bool g_quiet = false;

// Walks the arguments after the command. --quiet may stand anywhere among them.
class Args {
public:
    Args(QStringList args, QString command) : m_args(std::move(args)), m_command(std::move(command)) {
        skipQuiet();
    }
    bool atEnd() const { return m_pos >= m_args.size(); }
    QString next() {
        QString arg = m_args.at(m_pos++);
        skipQuiet();
        return arg;
    }
    QString value(const QString& option) {
        if (m_pos >= m_args.size())
            throw UsageError(QStringLiteral("%1 %2 needs a value").arg(m_command, option));
        return next();
    }
    [[noreturn]] void unexpected(const QString& arg) const {
        if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
            throw UsageError(QStringLiteral("%1: unknown option %2").arg(m_command, TextCodec::quoted(arg)));
        throw UsageError(QStringLiteral("%1: unexpected %2").arg(m_command, TextCodec::quoted(arg)));
    }

private:
    void skipQuiet() {
        while (m_pos < m_args.size() && m_args.at(m_pos) == QLatin1String("--quiet")) {
            g_quiet = true;
            ++m_pos;
        }
    }
    QStringList m_args;
    QString m_command;
    qsizetype m_pos = 0;
};

QPair<QChar, QString> driveOption(const QString& text) {
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    const QString letter = text.left(eq).remove(QLatin1Char(':'));
    if (eq <= 0 || letter.size() != 1 || !letter.at(0).isLetter() || letter.at(0).unicode() > 127 ||
        text.mid(eq + 1).isEmpty())
        throw UsageError(QStringLiteral("--drive takes L=PATH (for example A=/tmp/a.img), not %1")
                             .arg(TextCodec::quoted(text)));
    return {letter.at(0).toUpper(), text.mid(eq + 1)};
}

int build(Args& args, const QString& dir, const QString& templateImage) {
    BuildOptions options;
    options.programDir = dir;
    options.templateImage = templateImage;
    bool countGiven = false;
    while (!args.atEnd()) {
        const QString arg = args.next();
        if (arg == QLatin1String("--config"))
            options.config = args.value(arg);
        else if (arg == QLatin1String("--set"))
            options.sets << args.value(arg);
        else if (arg == QLatin1String("--drive"))
            options.drives << driveOption(args.value(arg));
        else if (arg == QLatin1String("--disk2"))
            options.disk2 = args.value(arg);
        else if (arg == QLatin1String("--check"))
            options.check = true;
        else if (arg == QLatin1String("--no-verify"))
            options.verify = false;
        else if (arg == QLatin1String("--count")) {
            bool ok = false;
            options.count = args.value(arg).toInt(&ok);
            if (!ok || options.count < 1)
                throw UsageError(QStringLiteral("--count takes a number of diskettes from 1 up"));
            countGiven = true;
        } else if (arg == QLatin1String("--hosts"))
            options.hosts = args.value(arg);
        else if (arg == QLatin1String("--pxe"))
            options.pxe = args.value(arg);
        else
            args.unexpected(arg);
    }
    if (!options.hosts.isEmpty() && countGiven)
        throw UsageError(
            QStringLiteral("--hosts and --count cannot be used together: the host list builds one "
                           "diskette per row"));
    const auto named = [](const QString& path) {
        return path.contains(QLatin1String("{name}"));
    };
    if (options.hosts.isEmpty() &&
        (named(options.disk2) || std::any_of(options.drives.cbegin(), options.drives.cend(),
                                             [&](const auto& d) { return named(d.second); })))
        throw UsageError(QStringLiteral("{name} in a path is a host's name: it needs --hosts FILE"));
    if (!options.pxe.isEmpty() && options.hosts.isEmpty())
        throw UsageError(QStringLiteral("--pxe needs --hosts: the entries are made for the rows with a mac"));
    return CliBuild::run(options);
}

int save(Args& args, const QString& dir) {
    QString description;
    bool haveDescription = false;
    QString config;
    QStringList sets;
    bool overwrite = false;
    bool replaceOldest = false;
    while (!args.atEnd()) {
        const QString arg = args.next();
        if (arg == QLatin1String("--config"))
            config = args.value(arg);
        else if (arg == QLatin1String("--set"))
            sets << args.value(arg);
        else if (arg == QLatin1String("--overwrite"))
            overwrite = true;
        else if (arg == QLatin1String("--replace-oldest"))
            replaceOldest = true;
        else if (!haveDescription && !arg.startsWith(QLatin1String("--"))) {
            description = arg;
            haveDescription = true;
        } else
            args.unexpected(arg);
    }
    if (!haveDescription)
        throw UsageError(QStringLiteral("save needs a DESCRIPTION"));
    return CliConfig::save(dir, description, config, sets, overwrite, replaceOldest);
}

int remove(Args& args, const QString& dir) {
    if (args.atEnd())
        throw UsageError(QStringLiteral("remove needs a DESCRIPTION"));
    const QString description = args.next();
    if (!args.atEnd())
        args.unexpected(args.next());
    return CliConfig::remove(dir, description);
}

int batch(Args& args, const QString& dir, const QString& templateImage) {
    QString address;
    QString name;
    QString hosts;
    QStringList diskettes;
    while (!args.atEnd()) {
        const QString arg = args.next();
        if (arg == QLatin1String("--ip"))
            address = args.value(arg);
        else if (arg == QLatin1String("--name"))
            name = args.value(arg);
        else if (arg == QLatin1String("--hosts"))
            hosts = args.value(arg);
        else if (arg.startsWith(QLatin1String("--")))
            args.unexpected(arg);
        else
            diskettes << arg;
    }
    if (!hosts.isEmpty()) {
        if (!address.isNull() || !name.isNull())
            throw UsageError(
                QStringLiteral("--hosts gives each diskette its address and name: leave out --ip "
                               "and --name"));
        return CliBatch::runHosts(dir, hosts, diskettes, templateImage);
    }
    return CliBatch::run(dir, address, name, diskettes, templateImage);
}

int drives(Args& args, const QString& dir) {
    QList<QPair<QChar, QString>> mapped;
    while (!args.atEnd()) {
        const QString arg = args.next();
        if (arg == QLatin1String("--drive"))
            mapped << driveOption(args.value(arg));
        else
            args.unexpected(arg);
    }
    return CliDrives::run(dir, mapped);
}

int tryDiskette(Args& args, const QString& dir) {
    QList<QPair<QChar, QString>> mapped;
    QString diskette;
    int seconds = 0;
    while (!args.atEnd()) {
        const QString arg = args.next();
        if (arg == QLatin1String("--drive"))
            mapped << driveOption(args.value(arg));
        else if (arg == QLatin1String("--timeout")) {
            bool ok = false;
            seconds = args.value(arg).toInt(&ok);
            if (!ok || seconds < 1)
                throw UsageError(QStringLiteral("--timeout takes a number of seconds from 1 up"));
        } else if (diskette.isNull() && !arg.isEmpty() && !arg.startsWith(QLatin1String("--")))
            diskette = arg;
        else
            args.unexpected(arg);
    }
    if (diskette.isNull())
        throw UsageError(QStringLiteral("try needs a DRIVE (such as A:) or the path of an IMAGE"));
    return CliTry::run(dir, diskette, mapped, seconds);
}

// A command whose output was cut short by a full disk or a closed pipe has not done what it was
// asked: a list or a plan read from a file that lacks its end must not look whole.
int outputChecked(int status) {
    if (status == Cli::IoFailure || (std::fflush(stdout) == 0 && !std::ferror(stdout)))
        return status;
    std::fputs("bootwright-cli: the standard output could not be written in full\n", stderr);
    return Cli::IoFailure;
}

} // namespace

namespace Cli {

bool quiet() {
    return g_quiet;
}

static int runCommand(const QStringList& arguments) {
    // The command whose help a usage error points to, once it is known.
    QString helpFor;
    // Each run starts from the defaults, so that one process may run several commands.
    g_quiet = false;
    try {
        QStringList rest = arguments.mid(1);
        QString dir;
        QString templateImage;
        while (!rest.isEmpty() && rest.first().startsWith(QLatin1Char('-')) && rest.first().size() > 1) {
            const QString opt = rest.takeFirst();
            if (opt == QLatin1String("--quiet")) {
                g_quiet = true;
                continue;
            }
            if (opt == QLatin1String("--help")) {
                std::fputs(kUsage, stdout);
                return Done;
            }
            if (opt == QLatin1String("--version")) {
                std::printf("bootwright-cli %s\n", BW_VERSION);
                return Done;
            }
            if (opt == QLatin1String("--template")) {
                if (rest.isEmpty() || rest.first().isEmpty())
                    throw UsageError(QStringLiteral("--template needs a diskette image"));
                templateImage = QDir(rest.takeFirst()).absolutePath();
                continue;
            }
            if (opt != QLatin1String("--dir") || rest.isEmpty())
                throw UsageError(opt == QLatin1String("--dir")
                                     ? QStringLiteral("--dir needs a directory")
                                     : QStringLiteral("unknown option %1").arg(TextCodec::quoted(opt)));
            dir = rest.takeFirst();
        }
        if (rest.isEmpty())
            throw UsageError(QStringLiteral("no command given"));
        // Help looks at nothing on disk: it neither needs nor seeds a program directory.
        const QString help = CliHelp::command(rest.first());
        if (!help.isNull()) {
            helpFor = rest.first();
            if (rest.mid(1).contains(QLatin1String("--help"))) {
                std::fputs(help.toUtf8().constData(), stdout);
                return Done;
            }
        }
        // The list of values needs no program directory, so it neither looks for nor seeds one.
        if (rest.first() == QLatin1String("values")) {
            Args args(rest.mid(1), rest.first());
            if (!args.atEnd())
                args.unexpected(args.next());
            return CliValues::list();
        }
        if (dir.isEmpty())
            dir = ProgramDir::locate(QCoreApplication::applicationDirPath());
        else if (!QDir(dir).exists())
            throw UsageError(QStringLiteral("--dir %1: no such directory").arg(TextCodec::escaped(dir)));
        dir = QDir(dir).absolutePath();
        // One run, one reading of each settings file: a build looks at PCBW.INI from several
        // places, and each look was a lock, a read and a parse.
        const ProfileFile::ReadOnce readOnce;
        ProgramDir::checkSettingsFiles(dir);
        // What killed runs left behind goes before this one starts.
        StaleFiles::sweep(dir);

        const QString command = rest.takeFirst();
        Args args(rest, command);
        if (command == QLatin1String("build"))
            return build(args, dir, templateImage);
        if (command == QLatin1String("save"))
            return save(args, dir);
        if (command == QLatin1String("list")) {
            if (!args.atEnd())
                args.unexpected(args.next());
            return CliConfig::list(dir);
        }
        if (command == QLatin1String("remove"))
            return remove(args, dir);
        if (command == QLatin1String("batch"))
            return batch(args, dir, templateImage);
        if (command == QLatin1String("drives"))
            return drives(args, dir);
        if (command == QLatin1String("try"))
            return tryDiskette(args, dir);
        throw UsageError(QStringLiteral("unknown command %1").arg(TextCodec::quoted(command)));
    } catch (const UsageError& e) {
        const QString help = helpFor.isEmpty() ? QStringLiteral("bootwright-cli --help")
                                               : QStringLiteral("bootwright-cli %1 --help").arg(helpFor);
        std::fprintf(stderr, "bootwright-cli: %s\nTry \"%s\" for more.\n", e.what(), qPrintable(help));
        return Usage;
    } catch (const SettingsError& e) {
        // A saved configuration holding a value that no page would take.
        std::fprintf(stderr, "bootwright-cli: %s\n", e.what());
        return Message;
    } catch (const ProfileWriteError& e) {
        std::fprintf(stderr, "bootwright-cli: %s\n", e.what());
        return IoFailure;
    } catch (const IoError& e) {
        std::fprintf(stderr, "bootwright-cli: %s\n", e.what());
        return IoFailure;
    }
}

int run(const QStringList& arguments) {
    return outputChecked(runCommand(arguments));
}

} // namespace Cli
