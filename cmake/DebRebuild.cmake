# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the packages it made: builds each .deb again with dpkg-deb,
# with what CPack leaves out. Its stripped binaries lose the compilers'
# .comment section too, as Debian's own strip step does. Installed-Size is
# counted as dpkg-gencontrol counts it (each file rounded up to a KiB, one
# KiB for a link or a folder): CPack follows the link bin/vantix and counts
# the program twice.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  set(tree ${deb}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb -R ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${tree} ${tree}/*)
  set(kib 0)
  set(md5sums "")
  foreach(entry IN LISTS entries)
    if(entry MATCHES "^DEBIAN(/|$)")
      continue()
    endif()
    if(IS_SYMLINK ${tree}/${entry} OR IS_DIRECTORY ${tree}/${entry})
      math(EXPR kib "${kib} + 1")
    else()
      file(READ ${tree}/${entry} magic LIMIT 4 HEX)
      if(magic STREQUAL "7f454c46")
        execute_process(COMMAND objcopy --remove-section=.comment ${tree}/${entry} COMMAND_ERROR_IS_FATAL ANY)
      endif()
      file(SIZE ${tree}/${entry} bytes)
      file(MD5 ${tree}/${entry} md5)
      string(APPEND md5sums "${md5}  ${entry}\n")
      math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
    endif()
  endforeach()
  file(READ ${tree}/DEBIAN/control control)
  string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${kib}" control "${control}")
  file(WRITE ${tree}/DEBIAN/control "${control}")
  file(WRITE ${tree}/DEBIAN/md5sums "${md5sums}")
  file(REMOVE ${deb})
  execute_process(COMMAND dpkg-deb --root-owner-group -Zxz --build ${tree} ${deb}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
