# The Debian package: `cpack -G DEB` in a build directory. Qt's libraries are found by
# dpkg-shlibdeps; the rest is what the programs start or load at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bootwright)
set(CPACK_PACKAGE_VENDOR Larkmoor)
set(CPACK_PACKAGE_CONTACT "Pellacore Bootwright developers <bootwright@larkmoor.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.larkmoor.example/pellacore/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# mtools reads and writes every diskette; the SVG plugins draw the program's pictures and icons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "mtools, libqt6svg6")
# fsck.fat checks a diskette; mformat alone makes the blank ones.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "dosfstools")
# "bootwright-cli try" and the wizard's "Try" boot a diskette in QEMU.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qemu-system-x86")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "build bootable DOS client diskettes for Pellacore disk imaging
Pellacore Bootwright builds the bootable DOS diskettes that start a Pellacore
client workstation for disk imaging: Multicast clients, Standalone clients on
NetWare or Microsoft TCP/IP, and clients without a network. A wizard collects
the client's network parameters, writes the DOS start-up and network files
onto a 1.44 MB diskette and copies the client program and the drivers onto it.
.
The diskette can be a floppy drive (/dev/fd0 or a USB floppy drive), a
diskette image or a folder. bootwright-cli builds the same diskettes, keeps
the same saved configurations and runs the same batch update from a shell.")
include(CPack)
