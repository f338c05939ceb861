# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening Debian asks of its binaries: bounds-checked C library calls
# (an optimised build only: the checks need the optimiser), a stack
# protector, relocations made read-only and bound at start, and
# position-independent executables. The folders of the sources and of the
# build are not written into the objects, so a build does not depend on
# where it ran.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_compile_options(
  -fstack-protector-strong
  $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>
  $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
  -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
add_link_options(-Wl,-z,relro -Wl,-z,now)
