#include "cli/cli_help.h"

#include <QHash>

namespace {

const char* const kExit =
    "\nexit status: 0 done, 1 ended by a message, 2 usage error, 3 input/output error\n";

const QHash<QString, const char*>& texts() {
    static const QHash<QString, const char*> all{
        {QStringLiteral("build"),
         "usage: bootwright-cli [--dir DIR] [--template IMAGE] build [--config DESCRIPTION]\n"
         "           [--set NAME=VALUE]... [--drive L=PATH]... [--disk2 PATH] [--count N] [--check]\n"
         "           [--no-verify] [--quiet] [--hosts FILE [--pxe DIR]]\n"
         "\n"
         "Builds client diskettes from the start-up values, the saved configuration and the --set\n"
         "values, in that order, onto the drive the diskette location page names (disk.a: A:, else B:).\n"
         "Before anything is written the Next checks of every page on the route are made.\n"
         "\n"
         "  --config DESCRIPTION  start from the saved configuration of that description\n"
         "  --set NAME=VALUE      set a page value by name or alias (see: bootwright-cli values)\n"
         "  --drive L=PATH        map drive L to an image, a folder or a floppy device for this run;\n"
         "                        {n} in PATH is the diskette's number\n"
         "  --disk2 PATH          the second diskette of the Microsoft \"Client on Floppy\" form\n"
         "  --count N             build N diskettes in a row, advancing address and name\n"
         "  --check               write nothing: list each file the build would write (DOS path TAB\n"
         "                        bytes TAB source) and whether they fit; exit 1 when they do not\n"
         "  --no-verify           do not read the diskette back after writing it\n"
         "  --hosts FILE          build one diskette per row of a host list (CSV with the columns\n"
         "                        name, address and optionally mask, mac), each with the row's\n"
         "                        values; {name} in a drive path is the row's name, {n} its number;\n"
         "                        the whole list is checked first: FILE:LINE: problem, exit 1\n"
         "  --pxe DIR             with --hosts: for each row with a mac, the PXELINUX entry\n"
         "                        DIR/pxelinux.cfg/01-MAC booting the image with memdisk, and the\n"
         "                        iPXE script DIR/bootwright.ipxe\n"
         "  --quiet               print no line per diskette\n"
         "  --help                show this help\n"
         "\n"
         "After each diskette it prints: number TAB target TAB address TAB name.\n"},
        {QStringLiteral("save"),
         "usage: bootwright-cli [--dir DIR] save DESCRIPTION [--config DESCRIPTION] [--set NAME=VALUE]...\n"
         "                                       [--overwrite] [--replace-oldest] [--quiet]\n"
         "\n"
         "Saves the start-up values, the configuration --config names and the --set values as a\n"
         "named configuration in PCBWSAVE.INI, as the summary page's \"Save Configuration\" does.\n"
         "\n"
         "  --config DESCRIPTION  start from the saved configuration of that description\n"
         "  --set NAME=VALUE      set a page value by name or alias (see: bootwright-cli values)\n"
         "  --overwrite           replace a configuration of the same description\n"
         "  --replace-oldest      when all 100 places are in use, replace the configuration in the next\n"
         "                        place of the ring (without it such a save is refused, naming it)\n"
         "  --quiet               do not print where it was saved\n"
         "  --help                show this help\n"},
        {QStringLiteral("list"),
         "usage: bootwright-cli [--dir DIR] list\n"
         "\n"
         "Lists the saved configurations, one a line: description TAB kind (Multicast or Standalone).\n"
         "\n"
         "  --help                show this help\n"},
        {QStringLiteral("remove"), "usage: bootwright-cli [--dir DIR] remove DESCRIPTION\n"
                                   "\n"
                                   "Removes the saved configuration of that description.\n"
                                   "\n"
                                   "  --help                show this help\n"},
        {QStringLiteral("batch"),
         "usage: bootwright-cli [--dir DIR] batch [--ip ADDRESS] [--name NAME] [--quiet] DISKETTE...\n"
         "       bootwright-cli [--dir DIR] batch --hosts FILE [--quiet] DISKETTE...\n"
         "\n"
         "Puts each DISKETTE (a folder, an image or a floppy device holding a Multicast diskette) into\n"
         "drive A: in turn and rewrites its WATTCP.CFG: the first gets --ip and --name, each next one\n"
         "the following address and name. Without --ip the address stays as each diskette has it,\n"
         "likewise the name.\n"
         "\n"
         "  --ip ADDRESS          the first diskette's address, such as 10.0.0.21\n"
         "  --name NAME           the first diskette's client name, such as LAB21\n"
         "  --hosts FILE          the k-th diskette gets the address, name and mask of the k-th row\n"
         "                        of a host list; one diskette per row\n"
         "  --quiet               print no line per diskette\n"
         "  --help                show this help\n"
         "\n"
         "After each diskette it prints: number TAB diskette TAB address TAB name.\n"},
        {QStringLiteral("values"),
         "usage: bootwright-cli values\n"
         "\n"
         "Lists every NAME that --set takes, one a line: name TAB alias TAB kind TAB start-up value\n"
         "TAB save key in PCBWSAVE.INI (- when not saved) TAB meaning.\n"
         "\n"
         "  --help                show this help\n"},
        {QStringLiteral("drives"),
         "usage: bootwright-cli [--dir DIR] drives [--drive L=PATH]...\n"
         "\n"
         "Shows the drive table of PCBW.INI as it resolves, one drive a line: drive TAB kind (folder,\n"
         "image, device or none) TAB path TAB exists TAB writable TAB note; then the floppy drives of\n"
         "this machine (/dev/fd* and removable 1.44 MB block devices): device TAB size TAB model TAB\n"
         "mount point (- where there is none).\n"
         "\n"
         "  --drive L=PATH        map drive L to PATH, as a build with that option would\n"
         "  --help                show this help\n"},
        {QStringLiteral("try"),
         "usage: bootwright-cli [--dir DIR] try [--timeout SECONDS] [--drive L=PATH]... DRIVE|IMAGE\n"
         "\n"
         "Boots a diskette in a virtual machine (qemu-system-x86_64) from its floppy drive: the drive\n"
         "letter's image or floppy device (A or A:), or the image or device at a path. The machine\n"
         "works on a snapshot and never writes to the diskette. With DISPLAY or WAYLAND_DISPLAY set\n"
         "it opens a window, otherwise it runs on this terminal (Ctrl-A X ends it). A folder drive\n"
         "cannot be booted. Without QEMU: exit 3 (install it with: apt install qemu-system-x86).\n"
         "\n"
         "  --timeout SECONDS     end the virtual machine after that many seconds\n"
         "  --drive L=PATH        map drive L to PATH for this run\n"
         "  --help                show this help\n"},
    };
    return all;
}

} // namespace

namespace CliHelp {

QString command(const QString& name) {
    const auto it = texts().constFind(name);
    if (it == texts().constEnd())
        return {};
    return QString::fromUtf8(it.value()) + QLatin1String(kExit);
}

} // namespace CliHelp
