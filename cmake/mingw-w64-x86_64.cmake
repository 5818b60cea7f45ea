# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the
# posix-threads variant, which GoogleTest needs), running the results with
# Wine:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRISVANE_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRISVANE_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRISVANE_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRISVANE_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRISVANE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no mingw runtime DLLs to put next to them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
