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
// The image as an INITRD value: an absolute path behind "::", which PXELINUX reads from the TFTP
// root instead of putting its own folder before it.
QString pxelinuxPath(const QString& imageRef);
// The image as a URI in the iPXE script: every byte but letters, digits, -._~ and / as %XX, so
// that no #, ?, : or % makes a fragment, query, scheme or escape of the name.
QString ipxePath(const QString& imageRef);
// Why PXELINUX cannot load the image by that reference ("has a comma in its path, ..."), or an
// empty text: INITRD ends at a blank and splits at commas, and a relative path whose first colon
// starts "::" or "://" is read as a server or a URL. It has no escape for any of them.
QString pxelinuxProblem(const QString& imageRef);

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
