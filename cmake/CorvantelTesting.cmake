# corvantel_add_test(<name> <core|gui> SOURCES <files...> [LIBS <targets...>])
# Makes the GoogleTest executable <name> from the listed sources. Core tests link the core and GoogleTest's
# main; GUI tests get a QApplication from tests/support/gui_test_main.cpp and run with the offscreen platform.
# ctest lists every test case on its own (named Suite.Case), labelled with the layer.
include(GoogleTest)

function(corvantel_add_test name layer)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(layer STREQUAL "gui")
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE corvantel_test_support_gui ${T_LIBS})
  else()
    target_link_libraries(${name} PRIVATE corvantel_test_support ${T_LIBS} GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE corvantel_warnings)
  target_compile_definitions(${name} PRIVATE
    CORVANTEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    CORVANTEL_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    CORVANTEL_PROGRAM_DIR="${CORVANTEL_PROGRAM_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")

  # The cases are listed when ctest starts, not at build time, so a build never runs a test executable.
  gtest_discover_tests(${name} EXTRA_ARGS --gtest_brief=1 DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       TEST_LIST ${name}_CASES PROPERTIES TIMEOUT 300 LABELS ${layer})
  if(layer STREQUAL "gui")
    # The environment of the widget tests. A list does not pass through the properties of the discovery,
    # so a script that ctest reads after the listed cases sets it on each of them. (The listing itself
    # runs without a display as well: the test main picks the offscreen platform when none is set.)
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake")
    file(WRITE "${script}" "foreach(t IN LISTS ${name}_CASES)\n"
         "  set_tests_properties(\"\${t}\" PROPERTIES ENVIRONMENT \"QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=*.debug=false\")\n"
         "endforeach()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
    if(TARGET corvantel)
      add_dependencies(${name} corvantel_runtime_files)
    endif()
  endif()
endfunction()
