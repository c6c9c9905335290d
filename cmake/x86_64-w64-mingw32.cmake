# Cross build for 64-bit Windows. Not shipped: it runs the Windows test suites
# under 64-bit Wine on hosts whose kernel cannot run 32-bit programs, where
# 32-bit Wine cannot start (scripts/test picks it there).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TOLVAR_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-toolchain.cmake)
