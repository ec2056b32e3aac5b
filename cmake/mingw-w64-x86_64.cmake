# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads):
#
#   cmake -S . -B build-windows -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_PREFIX_PATH=<GoogleTest prefix>
#
# scripts/build-windows does this, GoogleTest included.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLET_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix-threads flavour: std::thread and std::mutex need it, and GoogleTest
# is built with the same one so the two runtimes never meet.
set(CMAKE_C_COMPILER ${QUILLET_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLET_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLET_MINGW_TRIPLET}-windres)

# Headers and libraries come from the MinGW tree only, never from the build
# machine; prefixes given with CMAKE_PREFIX_PATH (GoogleTest built for MinGW)
# count as part of that tree. Programs (windres, wine) come from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QUILLET_MINGW_TRIPLET} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread linked in, so a program needs only
# Windows' own DLLs. Sections start on page boundaries in the file too, so
# that Wine maps a program's image from the file, page by page as it is
# touched, instead of reading all of it into private memory (0.6 MB of
# quillet.exe's 1.4 MB are never touched at its start); Windows maps it
# either way.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--file-alignment,4096")

# Test programs (and GoogleTest's discovery) run through Wine.
find_program(QUILLET_WINE NAMES wine wine64)
if(QUILLET_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLET_WINE})
endif()
