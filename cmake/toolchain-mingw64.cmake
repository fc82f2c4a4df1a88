# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix).
# The posix thread variant, because the core uses std::thread and friends.
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRIPCONF_MINGW_TRIPLE x86_64-w64-mingw32)

find_program(CMAKE_C_COMPILER NAMES ${TRIPCONF_MINGW_TRIPLE}-gcc-posix ${TRIPCONF_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TRIPCONF_MINGW_TRIPLE}-g++-posix ${TRIPCONF_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TRIPCONF_MINGW_TRIPLE}-windres REQUIRED)

# Libraries and headers of the target only; programs (code generators) of the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TRIPCONF_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe that runs anywhere: the C++ runtime, winpthread and zlib linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# zlib's static archive, not its import library (which would need zlib1.dll).
set(ZLIB_USE_STATIC_LIBS ON)

# Test programs run under Wine on the build machine.
find_program(TRIPCONF_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TRIPCONF_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TRIPCONF_WINE})
endif()
