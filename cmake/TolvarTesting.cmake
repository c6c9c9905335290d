# GoogleTest: Debian's source package is built as part of the tree so the same
# framework serves the native and the i686-w64-mingw32 builds.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
  add_library(gtest_main ALIAS GTest::gtest_main)
endif()
include(GoogleTest)

set(TOLVAR_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
get_filename_component(TOLVAR_WINE_RUN ${TOLVAR_WINE_RUN} ABSOLUTE)

# Windows tests run under Wine in one session per build tree (see
# scripts/wine-run): the fixture starts it before the first Windows test and
# stops it, with everything it started, after the last.
if(CMAKE_CROSSCOMPILING)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    file(WRITE ${CMAKE_BINARY_DIR}/wine-arch "win64\n")
  else()
    file(WRITE ${CMAKE_BINARY_DIR}/wine-arch "win32\n")
  endif()
  add_test(NAME wine_session_start
    COMMAND ${TOLVAR_WINE_RUN} --build ${CMAKE_BINARY_DIR} --start)
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session)
  add_test(NAME wine_session_stop
    COMMAND ${TOLVAR_WINE_RUN} --build ${CMAKE_BINARY_DIR} --stop)
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session)
endif()

# Properties every Windows test carries; DESKTOP adds the lock that tests
# sharing the display's keyboard focus hold one at a time.
function(_tolvar_wine_test_properties out desktop)
  set(props "")
  if(CMAKE_CROSSCOMPILING)
    list(APPEND props FIXTURES_REQUIRED wine_session)
    if(desktop)
      list(APPEND props RESOURCE_LOCK wine_desktop)
    endif()
  endif()
  set(${out} ${props} PARENT_SCOPE)
endfunction()

# tolvar_add_test(NAME SOURCES... [LIBS ...] [LABELS ...] [DESKTOP]): one
# GoogleTest executable, its cases discovered before the run (also through
# the Wine emulator). DESKTOP: the cases create windows or send keys and must
# not run beside other such tests.
function(tolvar_add_test name)
  cmake_parse_arguments(T "DESKTOP" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  _tolvar_wine_test_properties(props "${T_DESKTOP}")
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES ${props})
endfunction()

# tolvar_add_wine_script_test(NAME SCRIPT file [ARGS ...] [TIMEOUT seconds]):
# a bash script that drives Windows programs on the Wine session's display (xdotool and the like). It
# runs with DISPLAY, WINEPREFIX, TMPDIR, TOLVAR_BIN (the folder of the .exe
# and .dll files) and TOLVAR_WINE_RUN (start programs with it) set, holds the
# wine_desktop lock, and exists only in the Windows build tree.
function(tolvar_add_wine_script_test name)
  cmake_parse_arguments(T "" "SCRIPT;TIMEOUT" "ARGS" ${ARGN})
  if(NOT CMAKE_CROSSCOMPILING)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  get_filename_component(script ${T_SCRIPT} ABSOLUTE)
  add_test(NAME ${name}
    COMMAND ${TOLVAR_WINE_RUN} --build ${CMAKE_BINARY_DIR} --script ${script} ${T_ARGS})
  _tolvar_wine_test_properties(wine_props TRUE)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ${wine_props})
endfunction()
