# Cross build for 32-bit x86 Windows with mingw-w64 (posix threads).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(cdk_mingw_triple i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake")
