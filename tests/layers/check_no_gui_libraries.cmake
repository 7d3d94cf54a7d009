# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when the executable EXE needs Qt Gui or Qt Widgets, directly or through the libraries it
# loads: the command-line tool must start on a machine without a display.
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${EXE} RESOLVED_DEPENDENCIES_VAR libraries
     UNRESOLVED_DEPENDENCIES_VAR unresolved)
set(gui "")
foreach(library IN LISTS libraries unresolved)
    if(library MATCHES "libQt[56](Gui|Widgets)")
        list(APPEND gui ${library})
    endif()
endforeach()
if(gui)
    message(FATAL_ERROR "${EXE} loads ${gui}")
endif()
list(LENGTH libraries count)
message(STATUS "${EXE} loads ${count} libraries, none of Qt Gui or Widgets")
