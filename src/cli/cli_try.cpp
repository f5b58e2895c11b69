#include "cli/cli_try.h"

#include "cli/cli.h"
#include "platform/drive_table.h"
#include "platform/text_codec.h"
#include "platform/virtual_machine.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

namespace {

int refuse(Cli::Exit status, const QString& message) {
    std::fprintf(stderr, "bootwright-cli: %s\n", qPrintable(message));
    return status;
}

} // namespace

namespace CliTry {

int run(const QString& programDir, const QString& diskette, const QList<QPair<QChar, QString>>& drives,
        int seconds) {
    QString path = diskette;
    static const QRegularExpression letterOnly(QStringLiteral("^[A-Za-z]:?$"));
    if (letterOnly.match(diskette).hasMatch()) {
        DriveTable table = DriveTable::load(programDir);
        for (const auto& [letter, mapped] : drives)
            table.map(letter, mapped);
        const QChar letter = diskette.at(0).toUpper();
        switch (table.kind(letter)) {
        case DriveTable::Kind::None:
            return refuse(Cli::Message, QStringLiteral("%1: has no diskette (no line for it in section "
                                                       "DRIVES of PCBW.INI)")
                                            .arg(letter));
        case DriveTable::Kind::Directory:
            return refuse(Cli::Message,
                          QStringLiteral("%1: is the folder %2: a folder is no diskette a computer can "
                                         "boot; build onto an image or a floppy drive to try it")
                              .arg(letter)
                              .arg(TextCodec::quoted(table.hostPath(letter))));
        case DriveTable::Kind::Image:
        case DriveTable::Kind::Device:
            path = table.hostPath(letter);
            break;
        }
    }
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(Cli::IoFailure, QStringLiteral("%1 does not exist").arg(TextCodec::quoted(path)));
    if (info.isDir())
        return refuse(Cli::Message, QStringLiteral("%1 is a folder: a folder is no diskette a computer can "
                                                   "boot")
                                        .arg(TextCodec::quoted(path)));
    if (!info.isReadable())
        return refuse(Cli::IoFailure, QStringLiteral("%1 cannot be read").arg(TextCodec::quoted(path)));

    const VirtualMachine::Display display = VirtualMachine::displayForEnvironment();
    VirtualMachine::Run machine;
    if (!machine.start(path, display, seconds))
        return refuse(Cli::IoFailure, machine.problem());
    if (display == VirtualMachine::Display::Terminal)
        std::fputs("bootwright-cli: the virtual machine runs on this terminal; Ctrl-A X ends it\n", stderr);
    machine.waitForEnd();
    if (!machine.problem().isEmpty())
        return refuse(Cli::IoFailure, machine.problem());
    return Cli::Done;
}

} // namespace CliTry
