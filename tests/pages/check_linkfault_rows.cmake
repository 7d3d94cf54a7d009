# SPDX-License-Identifier: GPL-3.0-or-later
# Compares the fault table's rows (its -datatags) with the rows the ctest groups run.
execute_process(COMMAND ${EXE} -datatags OUTPUT_VARIABLE tags ERROR_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${EXE} -datatags failed")
endif()
file(READ ${LISTED} listed)
string(REGEX MATCHALL "TestLinkFaults faultsDuringActivities [^\n]+" actual "${tags}")
string(REGEX MATCHALL "TestLinkFaults faultsDuringActivities [^\n]+" expected "${listed}")
list(SORT actual)
list(SORT expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "rows of the fault table and of its ctest groups differ:\n table: ${actual}\n groups: ${expected}")
endif()
