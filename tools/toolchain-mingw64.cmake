# Cross build for 64-bit Windows with mingw-w64 x86_64, for 64-bit point-of-sale
# applications, which load only 64-bit in-process service objects.
set(ORN_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORN_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
