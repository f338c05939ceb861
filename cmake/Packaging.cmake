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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "FletchWise <info@fletchwise.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shooting clock for archery tournaments")
set(CPACK_PACKAGE_DESCRIPTION "A countdown clock for archery tournaments: red waiting count, green shooting time, yellow warning, ends in waves, horn signals, advert pictures between ends and an audio-CD player.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Library dependencies are worked out from the binary. The fonts and the
# WMF coder (which ImageMagick loads as a module) are needed at run time, and
# the web server's Qt libraries (named too, so the package says it serves).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-urw-base35, qt6-qpa-plugins, libmagickcore-6.q16-6-extra, libqt6httpserver6, libqt6websockets6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
include(CPack)
