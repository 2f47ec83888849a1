# Shared build settings for the project's own targets.

set(KORV_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
# Warnings stop the project's own CI builds; a user's build with another
# compiler or optimisation level only reports them.
option(KORV_WERROR "Treat warnings as errors" OFF)
if(KORV_WERROR)
  list(APPEND KORV_WARNINGS -Werror)
  # GCC 12 at -O3 reports a false -Wrestrict inside char_traits for every
  # `"text" + std::string` (its bug 105651): it stays a warning there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    list(APPEND KORV_WARNINGS -Wno-error=restrict)
  endif()
endif()

# Seconds a test may run: one that hangs fails instead of blocking the run.
set(KORV_TEST_TIMEOUT 120)

# korv_library(NAME FOLDER [DEPS ...]): one static library per source folder.
# Sources are globbed so that adding a file needs no edit here; files whose
# name begins with "qt_" use Qt and are left out of builds without Qt.
function(korv_library name folder)
  cmake_parse_arguments(ARG "" "" "DEPS;QT_DEPS" ${ARGN})
  # A folder may hold one level of subfolders, one per concept.
  file(GLOB srcs CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*/*.cpp)
  if(NOT KORV_WITH_QT)
    list(FILTER srcs EXCLUDE REGEX "/qt_[^/]*\\.cpp$")
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${KORV_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  if(KORV_WITH_QT AND ARG_QT_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_QT_DEPS})
  endif()
endfunction()

# korv_test(NAME FOLDER DEPS...): one GoogleTest program per test folder.
function(korv_test name folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT KORV_WITH_QT)
    list(FILTER srcs EXCLUDE REGEX "/qt_[^/]*\\.cpp$")
  endif()
  add_executable(${name} ${srcs})
  target_compile_options(${name} PRIVATE ${KORV_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE KORV_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT ${KORV_TEST_TIMEOUT})
endfunction()
