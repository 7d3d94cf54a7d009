# SPDX-License-Identifier: GPL-3.0-or-later
# Configures SOURCE_DIR with Unix Makefiles into a new WORK_DIR and builds its resources target.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR} -G "Unix Makefiles"
                RESULT_VARIABLE configured OUTPUT_QUIET)
if(NOT configured EQUAL 0)
    message(FATAL_ERROR "configuring with Unix Makefiles failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR} --target kestrova_resources
                RESULT_VARIABLE built)
file(REMOVE_RECURSE ${WORK_DIR})
if(NOT built EQUAL 0)
    message(FATAL_ERROR "building the resources with Unix Makefiles failed")
endif()
