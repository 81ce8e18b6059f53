# Runs one fuzz target for SECONDS seconds on a fresh copy of its seed corpus in WORK; any crash,
# leak, timeout or fault the driver reports makes the fuzzer, and so this script, fail. The
# finding is left in WORK/findings.
# Inputs are kept to MAX_LEN bytes (longer seeds are cut), so that each run stays quick.
#   cmake -DFUZZER=... -DWORK=... -DSECONDS=60 -DMAX_LEN=40000 -DSEEDS="dir;dir" -P run_fuzzer.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/findings)
foreach(dir ${SEEDS})
  if(IS_DIRECTORY ${dir})
    file(GLOB seeds LIST_DIRECTORIES false ${dir}/*)
    foreach(seed ${seeds})
      get_filename_component(name ${seed} NAME)
      if(NOT name MATCHES "^(CMakeLists.txt|README.*|\\..*)$")
        file(COPY ${seed} DESTINATION ${WORK}/corpus)
      endif()
    endforeach()
  endif()
endforeach()
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=20 -rss_limit_mb=2048 -max_len=${MAX_LEN}
          -print_final_stats=1 -artifact_prefix=${WORK}/findings/ ${WORK}/corpus
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a fault (exit ${result}); the input is in ${WORK}/findings")
endif()
