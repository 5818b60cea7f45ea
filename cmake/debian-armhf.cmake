# Cross-compiling for Debian's armhf (32-bit ARMv7 with hardware floating
# point) on another Debian machine, running the results with qemu-user
# (scripts/cross installs what it needs):
#   cmake -S . -B build-armhf -DCMAKE_TOOLCHAIN_FILE=cmake/debian-armhf.cmake
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(BRISVANE_TRIPLE arm-linux-gnueabihf)
set(BRISVANE_EMULATOR qemu-arm)
# The name Debian gives the architecture, which the package carries.
set(BRISVANE_DEBIAN_ARCHITECTURE armhf)
include(${CMAKE_CURRENT_LIST_DIR}/DebianCross.cmake)
