# Runs one fuzz target for a bounded time on a fresh copy of its seed corpus.
#   cmake -DFUZZER=<binary> -DSEEDS=<seed folder> -DWORK=<scratch folder>
#         -DDICT=<dictionary> -DSECONDS=<n> -P run_fuzzer.cmake
# New inputs the fuzzer finds go to the copy, never to the seed folder; a crash
# or a disagreement leaves its input as WORK/crash-* and fails the test.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus")
file(COPY "${SEEDS}/" DESTINATION "${WORK}/corpus")
execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -max_len=4096
          -dict=${DICT} -print_final_stats=1 -artifact_prefix=${WORK}/ "${WORK}/corpus"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(GLOB found "${WORK}/crash-*" "${WORK}/leak-*" "${WORK}/timeout-*" "${WORK}/oom-*")
  message(FATAL_ERROR "the fuzzer stopped with ${result}; inputs kept: ${found}")
endif()
