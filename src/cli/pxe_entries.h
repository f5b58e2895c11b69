#pragma once

#include <QByteArray>
#include <QString>

// Network boot of the diskette images: a PXELINUX entry per MAC address
// (DIR/pxelinux.cfg/01-aa-bb-cc-dd-ee-ff) that boots the host's image with memdisk as a floppy,
// and one iPXE script (DIR/bootwright.ipxe) that picks the image by the booting host's MAC. Paths
// under DIR are written relative to it, as a TFTP server serving DIR resolves them.
namespace PxeEntries {

inline const QString ScriptName = QStringLiteral("bootwright.ipxe");
inline const QString EntriesFolder = QStringLiteral("pxelinux.cfg");

// "01-" and the MAC in lower case with dashes.
QString entryName(const QString& macKey);
// How the entries name an image: relative to dir when it lies under dir, absolute otherwise.
QString imageReference(const QString& dir, const QString& image);

// The PXELINUX entry of one host. macKey as HostList gives it ("00-1a-2b-3c-4d-5e").
QByteArray entry(const QString& name, const QString& address, const QString& imageRef);
// The iPXE script with one line per MAC: the lines of `old` (a script this program wrote) for other
// MACs stay in their places, the MAC's own line is replaced or added at the end.
QByteArray script(const QByteArray& old, const QString& macKey, const QString& imageRef);

// Why the entries cannot be written into dir, or an empty text: the entries' folder is a link or
// no folder, the script is a link or no regular file, or it is not one this program wrote.
QString folderProblem(const QString& dir);

// Writes the host's entry and its line of the script, each replaced whole (a failure leaves the
// old file); the script is locked from its read to its write, so two runs add their hosts in turn.
// A link in the entries' folder is replaced itself, its target left alone. Throws IoError.
void write(const QString& dir, const QString& macKey, const QString& name, const QString& address,
           const QString& image);

} // namespace PxeEntries
