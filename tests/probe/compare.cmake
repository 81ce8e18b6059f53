# Runs the probe on SCRIPT and compares what it prints with EXPECTED, byte for byte.
get_filename_component(name ${SCRIPT} NAME_WE)
set(actual ${OUT_DIR}/${name}.actual.json)
execute_process(COMMAND ${PROBE} ${SCRIPT} OUTPUT_FILE ${actual} ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "probe exited with ${status}: ${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${actual}
                RESULT_VARIABLE differs)
if(differs)
  execute_process(COMMAND diff ${EXPECTED} ${actual} OUTPUT_VARIABLE delta)
  string(SUBSTRING "${delta}" 0 4000 delta)
  message(FATAL_ERROR "probe output differs from ${EXPECTED} (actual in ${actual}):\n${delta}")
endif()
