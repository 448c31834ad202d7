# One short, repeatable fuzz run: cmake -DFUZZER=... -DSEEDS=... -DWORK=... -DARTIFACTS=...
# -DRUNS=... -P run_fuzz.cmake
#
# libFuzzer adds the inputs it finds to the first folder it is given; that folder is emptied first,
# so the committed seeds never change and every run starts from the same corpus and seed. An input
# that fails a check is kept in ARTIFACTS.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}" "${ARTIFACTS}")
execute_process(
  COMMAND "${FUZZER}" -runs=${RUNS} -seed=1 -max_len=8192 -timeout=10 -print_final_stats=1
          "-artifact_prefix=${ARTIFACTS}/" "${WORK}" "${SEEDS}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the failing input is in ${ARTIFACTS}")
endif()
