# The hardening a Debian package gets, for every Linux build (the tests and
# benchmarks included): what `DEB_BUILD_MAINT_OPTIONS=hardening=+all
# dpkg-buildflags` gives on the release the build runs on, for the
# architecture it builds for, less its -g -O2 (the build type's) and its
# -ffile-prefix-map (Reproducible.cmake's). Each release decides: Debian 13
# adds stack-clash protection, x86's control-flow protection, arm64's
# branch protection, and on armhf the 64-bit time_t that its libraries
# were rebuilt for. The program parses text that a user types, so an
# overflow should end it rather than be exploited. A Debian package build
# turns this off: dh passes the same flags itself.
option(BRISVANE_HARDENING "Build with Debian's hardening flags from dpkg-buildflags" ON)
if(WIN32 OR NOT BRISVANE_HARDENING OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  return()
endif()
find_program(BRISVANE_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT BRISVANE_DPKG_BUILDFLAGS)
  message(WARNING "dpkg-buildflags not found (Debian's dpkg-dev): built without Debian's hardening")
  return()
endif()

set(environment DEB_BUILD_MAINT_OPTIONS=hardening=+all)
if(BRISVANE_DEBIAN_ARCHITECTURE)
  list(APPEND environment DEB_HOST_ARCH=${BRISVANE_DEBIAN_ARCHITECTURE})
endif()
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} ${BRISVANE_DPKG_BUILDFLAGS} --get ${kind}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^(-g|-O[0-9s]?|-ffile-prefix-map=.*)$")
  set(${kind} ${flags})
endforeach()

# Fortified libc calls need optimisation to work, and the sanitizers check
# the same calls their own way, so they get none.
set(fortify ${CPPFLAGS})
list(FILTER fortify INCLUDE REGEX "^-D_FORTIFY_SOURCE=")
list(FILTER CPPFLAGS EXCLUDE REGEX "^-D_FORTIFY_SOURCE=")
if(NOT BRISVANE_SANITIZE AND NOT BRISVANE_FUZZ)
  foreach(flag IN LISTS fortify)
    add_compile_options($<$<NOT:$<CONFIG:Debug>>:${flag}>)
  endforeach()
endif()
add_compile_options(${CPPFLAGS} ${CXXFLAGS})
add_link_options(${LDFLAGS})
string(JOIN " " shown ${fortify} ${CPPFLAGS} ${CXXFLAGS} ${LDFLAGS})
message(STATUS "Debian's hardening: ${shown}")
