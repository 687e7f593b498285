# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads: Qt's std::thread and
# QThread need them). The libraries built for the target (Qt, SQLite, libxml2, GoogleTest, Google
# Benchmark) are found under the prefixes listed in QUORLENT_WIN_PREFIXES (a CMake list, given by
# scripts/windows.sh), never in the build machine's /usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${triple}-gcc-ranlib-posix CACHE FILEPATH "")

# try_compile projects and Qt's own configure re-read this file: pass the prefixes through.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUORLENT_WIN_PREFIXES)
if(NOT QUORLENT_WIN_PREFIXES AND DEFINED ENV{QUORLENT_WIN_PREFIXES})
  set(QUORLENT_WIN_PREFIXES "$ENV{QUORLENT_WIN_PREFIXES}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${QUORLENT_WIN_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and tools built for Windows run under wine on the build machine.
find_program(QUORLENT_WINE wine)
if(QUORLENT_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORLENT_WINE})
endif()
