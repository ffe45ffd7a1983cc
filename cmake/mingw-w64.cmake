# Cross-builds the Windows x86-64 programs on Debian with MinGW-w64 (package
# g++-mingw-w64-x86-64-posix: the POSIX thread model, which std::thread
# needs). The test programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe with nothing beside it: the C++ runtime, libgcc and winpthread
# linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Debian 12 names the 64-bit loader wine; older packaging had wine64.
find_program(DXFCONV_WINE NAMES wine wine64 PATHS /usr/lib/wine)
if(DXFCONV_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DXFCONV_WINE})
endif()
