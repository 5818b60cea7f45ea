# Cross-compiling for Debian's arm64 (64-bit ARM) on another Debian machine,
# running the results with qemu-user (scripts/cross installs what it needs):
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/debian-arm64.cmake
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(BRISVANE_TRIPLE aarch64-linux-gnu)
set(BRISVANE_EMULATOR qemu-aarch64)
# The name Debian gives the architecture, which the package carries.
set(BRISVANE_DEBIAN_ARCHITECTURE arm64)
include(${CMAKE_CURRENT_LIST_DIR}/DebianCross.cmake)
