# Writes the registry values win32_registry_test.exe reads, with Wine's own "reg" tool in the
# build's prefix, runs it, and removes them again.
#   cmake -DWINE_RUN=<wine-run and its arguments> -DTEST_EXE=<path> -P win32_registry_test.cmake
cmake_minimum_required(VERSION 3.25)

set(simulator_key "HKLM\\SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0")
set(test_key "HKLM\\SOFTWARE\\QL2 Tests")
set(value "EXE Path")

function(reg)
  execute_process(COMMAND ${WINE_RUN} reg ${ARGN}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "reg ${ARGN} failed (${result}):\n${output}")
  endif()
endfunction()

function(remove_values)
  foreach(view /reg:32 /reg:64)
    foreach(key "${simulator_key}" "${test_key}")
      # Absent the first time: the result does not matter.
      execute_process(COMMAND ${WINE_RUN} reg delete ${key} /f ${view}
                      OUTPUT_QUIET ERROR_QUIET)
    endforeach()
  endforeach()
endfunction()

remove_values()

reg(add "${simulator_key}" /v "${value}" /d "C:\\Games\\FS9 32-bit view" /f /reg:32)
reg(add "${simulator_key}" /v "${value}" /d "C:\\Games\\FS9 64-bit view" /f /reg:64)
reg(add "${test_key}\\Only32" /v "${value}" /d "D:\\Sim32" /f /reg:32)
reg(add "${test_key}\\Only64" /v "${value}" /d "D:\\Sim64" /f /reg:64)
reg(add "${test_key}\\Empty32" /v "${value}" /f /reg:32)
reg(add "${test_key}\\Empty32" /v "${value}" /d "D:\\Fallback64" /f /reg:64)
reg(add "${test_key}\\Expand" /v "${value}" /t REG_EXPAND_SZ
    /d "%QL2_TEST_DRIVE%\\Flight Simulator 9" /f /reg:32)
reg(add "${test_key}\\Plain percent" /v "${value}" /d "D:\\100%QL2_TEST_DRIVE%" /f /reg:32)
string(REPEAT "Long Folder Name\\" 300 long)
reg(add "${test_key}\\Long" /v "${value}" /d "C:\\${long}FS9" /f /reg:32)
reg(add "${test_key}\\No value" /f /reg:32)
reg(add "${test_key}\\No value" /f /reg:64)
reg(add "${test_key}\\Empty" /v "${value}" /f /reg:32)
reg(add "${test_key}\\Empty" /v "${value}" /f /reg:64)
reg(add "${test_key}\\Dword" /v "${value}" /t REG_DWORD /d 9 /f /reg:32)

execute_process(COMMAND ${WINE_RUN} ${TEST_EXE} RESULT_VARIABLE result)
remove_values()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TEST_EXE} failed (${result})")
endif()
