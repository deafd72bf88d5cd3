# brindlecove_add_test(name SOURCES ... LIBS ...): one GoogleTest executable whose cases CTest runs
# one by one, each in a process and a scratch home of its own, so they can run in parallel. The
# program's main comes from GoogleTest unless a library in LIBS brings its own (the window tests'
# main, which needs a QApplication). Window tests get the offscreen platform so they run without a
# display.
include(GoogleTest)
include(${CMAKE_CURRENT_LIST_DIR}/ScratchHome.cmake)

function(brindlecove_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set(main GTest::gtest_main)
  foreach(lib ${ARG_LIBS})
    if(TARGET ${lib})
      get_target_property(own_main ${lib} BRINDLECOVE_TEST_MAIN)
      if(own_main)
        set(main "")
      endif()
    endif()
  endforeach()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest ${main})
  target_compile_definitions(${name} PRIVATE
    BRINDLECOVE_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures")

  # Under Wine each process takes seconds to start, so a cross-compiled program runs as one test.
  # Wine names files in the locale's character set: UTF-8, whatever the machine has set, so that
  # names beyond ASCII reach the file system.
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    brindlecove_scratch_home(${name})
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT_MODIFICATION LC_ALL=set:C.UTF-8)
    return()
  endif()
  gtest_discover_tests(${name} TEST_PREFIX ${name}. DISCOVERY_TIMEOUT 60)

  # Runs after the listing CTest includes for the program, so each listed case gets its properties.
  set(cases ${CMAKE_CURRENT_BINARY_DIR}/${name}_case_properties.cmake)
  file(WRITE ${cases}
    "include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/ScratchHome.cmake)\n"
    "foreach(test IN LISTS ${name}_TESTS)\n"
    "  string(MAKE_C_IDENTIFIER \"\${test}\" folder)\n"
    "  brindlecove_scratch_environment(\"${PROJECT_BINARY_DIR}/test-homes/${name}/\${folder}\" home)\n"
    "  set_tests_properties(\"\${test}\" PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen\n"
    "                      ENVIRONMENT_MODIFICATION \"\${home}\")\n"
    "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${cases})
endfunction()

# brindlecove_scratch_home(test): the test runs with a home and XDG folders of its own under the
# build tree, so nothing it or Qt writes (settings, the file dialog's memory, caches) reaches the
# user's files.
function(brindlecove_scratch_home test)
  brindlecove_scratch_environment(${PROJECT_BINARY_DIR}/test-homes/${test} home)
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION ${home})
endfunction()
