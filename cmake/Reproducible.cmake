# What the compiler and linker would otherwise write into a binary that
# depends on where or when it was built, so that a build from the same commit
# gives the same bytes in any folder (see docs/release.md).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  return()
endif()

# Source and build paths in debug information and in __FILE__ become
# relative. The last map that matches wins, so the build folder, which may
# lie inside the source folder, comes last.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)

# A PE file carries its link time, and its checksum with it.
if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
