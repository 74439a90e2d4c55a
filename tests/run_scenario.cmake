# Plays a scenario through veltrand-drive against a fresh copy of the module
# in its own vehicle folder, and compares the printed table with the expected
# one. Line endings are ignored, so Windows and Linux output compare alike.
#
#   cmake -DDRIVER=... -DMODULE=... -DSCENARIO=... -DEXPECTED=... -DWORK_DIR=...
#         [-DSETTINGS=file copied beside the module as its .ini] [-DEMULATOR=...]
#         [-DSVG_EXPECTED=the step chart the driver must draw] -P run_scenario.cmake

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(module_name ${MODULE} NAME)
get_filename_component(module_stem ${MODULE} NAME_WLE)
file(COPY ${MODULE} DESTINATION ${WORK_DIR})
if(SETTINGS)
    file(COPY_FILE ${SETTINGS} ${WORK_DIR}/${module_stem}.ini)
endif()

set(svg_option "")
if(SVG_EXPECTED)
    set(svg_option --svg ${WORK_DIR}/chart.svg)
endif()
execute_process(
    COMMAND ${EMULATOR} ${DRIVER} ${svg_option} ${WORK_DIR}/${module_name} ${SCENARIO}
    WORKING_DIRECTORY ${WORK_DIR}
    OUTPUT_VARIABLE actual
    ERROR_VARIABLE errors
    RESULT_VARIABLE exit_code)
if(NOT exit_code EQUAL 0)
    message(FATAL_ERROR "veltrand-drive failed (${exit_code}):\n${errors}\n${actual}")
endif()

file(READ ${EXPECTED} expected)
string(REPLACE "\r" "" actual "${actual}")
string(REPLACE "\r" "" expected "${expected}")
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs from ${EXPECTED}\n--- expected\n${expected}--- actual\n${actual}")
endif()

if(SVG_EXPECTED)
    file(READ ${SVG_EXPECTED} expected_svg)
    file(READ ${WORK_DIR}/chart.svg actual_svg)
    if(NOT actual_svg STREQUAL expected_svg)
        message(FATAL_ERROR "the step chart differs from ${SVG_EXPECTED}; see ${WORK_DIR}/chart.svg")
    endif()
endif()
