# One short mutating run that is the same on every machine:
#   cmake -DFUZZER=... -DSEEDS=... -DWORK=... -DARTIFACTS=... -DRUNS=... -P run_fuzz.cmake
#
# libFuzzer adds the inputs it finds to the first folder it is given; that folder is emptied first,
# so the committed seeds never change and every run starts from the same corpus and seed. Guided
# mutations that copy values the program compares are off: those values include addresses, which
# differ from run to run, and with them on the same seed found different inputs on different runs.
# An input that fails a check is kept in ARTIFACTS.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}" "${ARTIFACTS}")
execute_process(
  COMMAND "${FUZZER}" -runs=${RUNS} -seed=1 -use_cmp=0 -use_memmem=0 -max_len=8192 -timeout=10
          -print_final_stats=1 "-artifact_prefix=${ARTIFACTS}/" "${WORK}" "${SEEDS}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the failing input is in ${ARTIFACTS}")
endif()
