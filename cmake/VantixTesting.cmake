# SPDX-License-Identifier: GPL-3.0-or-later
# vantix_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable registered with CTest. Widget tests run on Qt's
# offscreen platform so they need no display.
function(vantix_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false")
endfunction()
