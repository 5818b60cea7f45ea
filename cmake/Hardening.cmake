# The hardening a Debian package gets, for every Linux build (the tests and
# benchmarks included): what `DEB_BUILD_MAINT_OPTIONS=hardening=+all
# dpkg-buildflags` gives on Debian 12, less its -g -O2 (the build type's) and
# its -ffile-prefix-map (Reproducible.cmake's). The program parses text that
# a user types, so an overflow should end it rather than be exploited.
# Debian's compiler already builds position-independent executables.
if(WIN32 OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  return()
endif()

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security -Wdate-time)
# Fortified libc calls need optimisation to work, and the sanitizers check
# the same calls their own way, so they get none.
if(NOT BRISVANE_SANITIZE AND NOT BRISVANE_FUZZ)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()
# Relocations read-only once loaded, all symbols bound at start.
add_link_options(-Wl,-z,relro -Wl,-z,now)
