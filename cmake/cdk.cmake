# Helpers shared by every folder.

# GoogleTest: Debian's prebuilt copy natively, built from Debian's source when
# cross-compiling for Windows.
macro(cdk_find_gtest)
  if(CMAKE_CROSSCOMPILING)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest_main)  # newer GoogleTest defines it itself
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endmacro()

# cdk_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest program. Natively every TEST is its own CTest test; under the
# cross-compiling emulator (Wine) the program is one test, which avoids a slow
# discovery run per program.
function(cdk_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT "CDK_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endif()
endfunction()

# cdk_carried_copy(<target> <data file>)
# An object library that embeds <data file> as CarriedCopy(); a program links
# exactly one of them.
function(cdk_carried_copy target data_file)
  add_library(${target} OBJECT "${PROJECT_SOURCE_DIR}/data/carried_copy.cpp")
  target_compile_definitions(${target} PRIVATE CDK_CARRIED_COPY_PATH="${data_file}")
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
  set_source_files_properties("${PROJECT_SOURCE_DIR}/data/carried_copy.cpp" TARGET_DIRECTORY ${target}
                              PROPERTIES OBJECT_DEPENDS "${data_file}")
endfunction()
