# Shared by the mingw-w64 toolchain files, which set cdk_mingw_triple and
# CMAKE_SYSTEM_PROCESSOR first. Test programs run under Wine through
# scripts/wine-run.sh, so ctest works as it does natively.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${cdk_mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${cdk_mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${cdk_mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${cdk_mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Link the C and C++ runtimes in: the program then needs only the DLLs that
# Windows itself ships.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh")
