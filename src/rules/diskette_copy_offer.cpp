#include "rules/diskette_copy_offer.h"

#include "platform/copy_file.h"
#include "platform/dialogs.h"
#include "platform/dos_fs.h"
#include "platform/dos_path.h"
#include "platform/io_error.h"

namespace DisketteCopyOffer {

bool onDisketteDrive(const QString& path) {
    const QChar drive = DosPath::parse(path).drive;
    return drive == u'A' || drive == u'B';
}

Outcome run(Dialogs& dialogs, DosFs& fs, const Request& request) {
    Outcome outcome;
    if (dialogs.message(request.question, Dialogs::Icon::Information, Dialogs::Buttons::YesNoCancel, 0) !=
        Dialogs::Button::Yes)
        return outcome;
    outcome.proceed = true;

    QString target = dialogs.saveFileName(QStringLiteral("Copy to Fixed Disk"), request.saveFilter,
                                          request.initialDir, DosPath::fileNamePart(request.source));
    if (target.isEmpty())
        return outcome;
    if (!request.defaultSuffix.isEmpty() && !DosPath::fileNamePart(target).contains(u'.'))
        target += u'.' + request.defaultSuffix;

    int result = 0;
    try {
        result = CopyMyFile(fs, request.source, target);
    } catch (const IoError& e) {
        // A read or close that failed half way: nothing usable is at the target.
        dialogs.message(e.message(), Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
        return outcome;
    }
    if (result == 1) {
        dialogs.message(target + QStringLiteral(" File write error! "), Dialogs::Icon::Error,
                        Dialogs::Buttons::Ok, 0);
        return outcome;
    }
    outcome.target = target;
    return outcome;
}

} // namespace DisketteCopyOffer
