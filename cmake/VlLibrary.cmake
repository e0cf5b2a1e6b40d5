# vl_library(NAME DEPS ...): one static library per subsystem folder, built
# from every source file in it, so adding a file needs no CMake edit.
function(vl_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# vl_test_suite(NAME DEPS ... LABELS ... [LOCK RESOURCE]): one GoogleTest
# program from every .cpp file in the folder. Tests that share LOCK never run
# at the same time.
function(vl_test_suite name)
  cmake_parse_arguments(ARG "" "LOCK" "DEPS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} vl_testsupport GTest::gtest GTest::gtest_main)
  # In an optimised build only the code under test is optimised: the test
  # code compiles a third faster without, and its speed measures nothing.
  # Unoptimised, gcc 12 also gives none of the false bounds warnings it finds
  # in library code inlined from a precompiled header, so every build
  # compiles the headers the suites share once per suite.
  target_compile_options(${name} PRIVATE $<$<CONFIG:RelWithDebInfo,Release,MinSizeRel>:-O0>)
  target_precompile_headers(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch/TestPch.h)
  # A test that hangs fails with its name instead of holding up the run;
  # the slowest, a whole call on a loaded machine, takes a few minutes at most.
  if(ARG_LOCK)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300 RESOURCE_LOCK ${ARG_LOCK})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()
  # The labels are set by a file CTest reads after the discovered tests: passed
  # through PROPERTIES, a list of several labels loses all but the first.
  set(label_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
  file(WRITE ${label_file}
       "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${ARG_LABELS}\")\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${label_file})
endfunction()

# vl_qt_widgets_pch(TARGET): the shared Qt Widgets headers compiled once for
# TARGET, which must link Qt6::Widgets.
function(vl_qt_widgets_pch target)
  target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch/QtWidgetsPch.h)
endfunction()
