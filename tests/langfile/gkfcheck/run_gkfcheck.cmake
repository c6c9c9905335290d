# Runs gkfcheck once and compares what it printed and its exit status.
#   -DGKFCHECK=exe [-DEMULATOR=runner] -DWORK_DIR=dir -DARGS=a|b -DEXPECT_RC=n
#   [-DEXPECT_STDOUT=file] [-DEXPECT_STDERR=file] [-DSTDOUT_MATCHES=regex]
#   [-DSTDERR_MATCHES=regex]
# Line ends are compared as LF, so the Windows build checks the same files.
unset(ENV{IPATH})
set(ENV{WINEDEBUG} "-all")
# Lists arrive joined with "|" (a ";" would not survive the test command).
string(REPLACE "|" ";" ARGS "${ARGS}")
string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
execute_process(
  COMMAND ${EMULATOR} ${GKFCHECK} ${ARGS}
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
string(REPLACE "\r\n" "\n" out "${out}")
string(REPLACE "\r\n" "\n" err "${err}")

set(failures "")
if(NOT rc STREQUAL EXPECT_RC)
  string(APPEND failures "exit status: expected ${EXPECT_RC}, got ${rc}\n")
endif()
foreach(stream stdout stderr)
  if(stream STREQUAL stdout)
    set(actual "${out}")
  else()
    set(actual "${err}")
  endif()
  string(TOUPPER ${stream} upper)
  if(DEFINED EXPECT_${upper})
    file(READ ${EXPECT_${upper}} expected)
    if(NOT actual STREQUAL expected)
      string(APPEND failures "${stream}: expected\n${expected}--- got\n${actual}---\n")
    endif()
  endif()
  if(DEFINED ${upper}_MATCHES AND NOT actual MATCHES "${${upper}_MATCHES}")
    string(APPEND failures "${stream}: expected to match ${${upper}_MATCHES}, got\n${actual}---\n")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "gkfcheck ${ARGS}\n${failures}")
endif()
