# Helpers shared by the module CMakeLists files.
set(PISARION_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")

# pisarion_library(name [DEPS lib...]): every .cpp in the calling folder;
# files ending in _win.cpp only in the Windows build.
function(pisarion_library name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT WIN32)
    list(FILTER srcs EXCLUDE REGEX "_win\\.cpp$")
  endif()
  if(NOT srcs)
    message(STATUS "${name}: no sources yet, skipped")
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

# pisarion_unit_test(name DEPS lib...): a GoogleTest executable from every
# .cpp in the calling folder, registered with ctest. In the Windows build
# ctest runs it under Wine through the cross-compiling emulator.
function(pisarion_unit_test name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  if(WIN32)
    target_link_libraries(${name} PRIVATE ${A_DEPS} gtest gtest_main)
  else()
    target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE PISARION_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
endfunction()

# The Windows test folders use the same rule.
macro(pisarion_win_test)
  pisarion_unit_test(${ARGN})
endmacro()

# pisarion_version_resource(target DESCRIPTION): the version resource that
# Explorer shows in the file's Properties, from the project's version.
function(pisarion_version_resource target description)
  set(VERSION_NAME ${target})
  set(VERSION_FILE ${target}.exe)
  set(VERSION_DESCRIPTION "${description}")
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${out} @ONLY)
  target_sources(${target} PRIVATE ${out})
endfunction()
