cmake_minimum_required(VERSION 3.25)
# cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> -P check_imports.cmake
# Fails unless every DLL the program imports is one that Windows itself
# ships: a statically linked C and C++ runtime must leave no libstdc++,
# libgcc or libwinpthread behind.
set(system_dlls
    ADVAPI32 COMCTL32 COMDLG32 GDI32 GDIPLUS IMM32 KERNEL32 MSIMG32 MSVCRT OLE32 OLEAUT32 SHELL32
    SHLWAPI USER32 USP10 UXTHEME VERSION WINDOWSCODECS WINMM WS2_32)

execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed: ${status}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "no imported DLLs found in ${PROGRAM}")
endif()
set(foreign "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "DLL Name: ([^ \r]+).*" "\\1" dll "${line}")
  string(TOUPPER "${dll}" dll_upper)
  string(REGEX REPLACE "\\.DLL$" "" dll_base "${dll_upper}")
  message(STATUS "imports ${dll}")
  if(NOT dll_base IN_LIST system_dlls)
    list(APPEND foreign "${dll}")
  endif()
endforeach()
if(foreign)
  message(FATAL_ERROR "${PROGRAM} imports DLLs that Windows does not ship: ${foreign}")
endif()
