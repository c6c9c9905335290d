# Cross build for 32-bit Windows, the platform Tolvar ships for.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TOLVAR_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-toolchain.cmake)
