# The Debian package, made by "cpack -G DEB" in the build folder:
# vellora_VERSION_ARCH.deb holding what "cmake --install" installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellora)
set(CPACK_PACKAGE_VERSION ${VL_PACKAGE_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Vellora Dev <dev@vellora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop fax program for fax modems")
# One string: its lines become the package's long description as they stand.
set(CPACK_PACKAGE_DESCRIPTION "\
Vellora sends and receives faxes through a fax modem (Class 1, 2 or 2.0)
on a serial or USB port. A fax is a cover sheet from a template plus a
document: text, TIFF, PCX, DCX or BMP files, or PDF and PostScript rendered
by Ghostscript. In receive mode it answers calls and stores each fax. Every
fax is kept in a small database with notes, codes and an archive flag, and
is viewed, printed, forwarded or exported from there.

The package holds the desktop program, the command line tool vellora-cli,
the print-to-fax tool vellora-print and a CUPS backend that makes a print
job a fax. The modem's device must be readable and writable by the user:
on Debian that means membership of the dialout group.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
# The libraries the programs link are found by dpkg-shlibdeps; what they load
# or run by name is listed here: the fonts cover pages and text faxes are set
# in, the Qt plugin that reads TIFF documents, and Ghostscript, which renders
# every PDF or PostScript document (all that the printer hands the backend).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-image-formats-plugins, ghostscript")
# The printer "Vellora Fax" needs CUPS; sounds play through either player.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pulseaudio-utils | alsa-utils")
# Removing the package also removes the printer queue made for its backend.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/deb/prerm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/VlPackageFiles.cmake)
include(CPack)
