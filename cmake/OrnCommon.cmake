# What every build of the sources shares, after project(): the language standard, the
# compiler cache, and the version header (OrnVersion.h, for the resource scripts of the
# Windows binaries and the descriptions the driver reports).
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

set(ORN_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/OrnVersion.h.in ${ORN_GENERATED_DIR}/OrnVersion.h @ONLY)
