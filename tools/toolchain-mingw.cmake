# Cross build for Windows with mingw-w64 (posix threads), shared by the 32-bit and 64-bit
# toolchain files, which set ORN_MINGW_TRIPLET, CMAKE_SYSTEM_PROCESSOR and ORN_WINE_ARCH
# first. Test programs run under wine through tools/wine-run in the private prefix of the
# same architecture.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ORN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORN_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The emulator with its arguments: tools/wine-run --arch win32|win64.
set(ORN_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/wine-run --arch ${ORN_WINE_ARCH})
set(CMAKE_CROSSCOMPILING_EMULATOR ${ORN_WINE_RUN})

# Static runtime: the shipped binaries need only system DLLs (and OrnComm.dll).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
