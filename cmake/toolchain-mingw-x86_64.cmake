# Cross build for x86-64 Windows with mingw-w64 (posix threads).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(cdk_mingw_triple x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake")
