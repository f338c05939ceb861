# SPDX-License-Identifier: GPL-3.0-or-later
# Installing: the program's folder holds Vantix and what it finds beside it;
# bin/vantix is the launcher's way in. A .deb comes from the same rules.
install(TARGETS Vantix RUNTIME DESTINATION ${VANTIX_INSTALL_DIR})
# The language files are installed with the texts (texts/CMakeLists.txt).
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK ../${VANTIX_INSTALL_DIR}/Vantix
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vantix\" SYMBOLIC)
")

# What Debian asks of a package beside the program: the copyright file, the
# changelog and the manual page, compressed as Debian does (no time stamp).
set(VANTIX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vantix)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(compressed ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(
  OUTPUT ${compressed}/changelog.gz ${compressed}/vantix.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${compressed}
  COMMAND sh -c "gzip -9n < '${packaging}/changelog' > '${compressed}/changelog.gz'"
  COMMAND sh -c "gzip -9n < '${packaging}/vantix.1' > '${compressed}/vantix.1.gz'"
  DEPENDS ${packaging}/changelog ${packaging}/vantix.1
  COMMENT "Compressing the changelog and the manual page"
  VERBATIM)
add_custom_target(vantix_package_docs ALL DEPENDS ${compressed}/changelog.gz ${compressed}/vantix.1.gz)
install(FILES ${packaging}/copyright ${compressed}/changelog.gz DESTINATION ${VANTIX_DOC_DIR})
install(FILES ${compressed}/vantix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "FletchWise <info@fletchwise.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shooting clock for archery tournaments")
# Debian's lines of the long description stay within 80 characters.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A countdown clock for archery tournaments: red waiting count, green
shooting time, yellow warning, ends in waves, horn signals, advert pictures
between ends and an audio-CD player. It can show the counter on a second
screen and serve it to web browsers on the local network.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Library dependencies are worked out from the binaries (the web server's Qt
# libraries among them). Named here is what is loaded, not linked: the
# fonts, the WMF coder (which ImageMagick loads as a module), Qt's platform
# plugins and the icon engine that draws the windows' SVG icon.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-urw-base35, qt6-qpa-plugins, libqt6svg6, libmagickcore-6.q16-6-extra")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
# The binaries are stripped in the package; their debug data goes to the
# package vantix-dbgsym, found by build id under /usr/lib/debug.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
# CPack leaves the compilers' notes in the stripped binaries and counts a
# link as a copy of what it leads to, so the package is built again without
# the notes and with Installed-Size as dpkg counts it.
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebRebuild.cmake)
include(CPack)
