# What every cross build for a Debian Linux architecture shares: Debian's
# cross compiler for BRISVANE_TRIPLE, the target's libraries installed beside the
# build machine's (multiarch: qt6-base-dev:ARCH and the like, no sysroot),
# and qemu-user running the results. The toolchain file of each architecture
# sets BRISVANE_TRIPLE, CMAKE_SYSTEM_PROCESSOR, BRISVANE_DEBIAN_ARCHITECTURE and
# BRISVANE_EMULATOR, then includes this file. (Set in the project's scope, so
# named as the project's own.)
set(CMAKE_SYSTEM_NAME Linux)

set(CMAKE_C_COMPILER ${BRISVANE_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${BRISVANE_TRIPLE}-g++)
# The target's libraries and CMake packages, in /usr/lib/${BRISVANE_TRIPLE}.
set(CMAKE_LIBRARY_ARCHITECTURE ${BRISVANE_TRIPLE})
set(PKG_CONFIG_EXECUTABLE ${BRISVANE_TRIPLE}-pkg-config)
# Programs run during the build (moc, rcc, python3) are the build machine's.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)

# Every test program runs under the emulator, named here rather than left
# to binfmt_misc, which a machine may not have set up.
set(CMAKE_CROSSCOMPILING_EMULATOR ${BRISVANE_EMULATOR})
