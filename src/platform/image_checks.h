#pragma once

#include "platform/dos_fs.h"

#include <QString>

// What a diskette image or floppy device allows, found before anything is written to it.
namespace ImageChecks {

// Why the diskette cannot be written at all (a read-only device or file system, a missing or
// unwritable folder for a new image or a working copy), or an empty text.
QString writeRefusal(const QString& image, bool device);
// What to tell the user before the diskette is written to. file is where the image's bytes are
// now (its working copy during a build); empty for a device or an image not made yet.
DisketteCheck check(const QString& image, bool device, const QString& file);

} // namespace ImageChecks
