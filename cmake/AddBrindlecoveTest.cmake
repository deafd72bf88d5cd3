# brindlecove_add_test(name SOURCES ... LIBS ...): one GoogleTest executable registered with CTest.
# Window tests get the offscreen platform so they run without a display.
function(brindlecove_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    BRINDLECOVE_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  brindlecove_scratch_home(${name})
endfunction()

# brindlecove_scratch_home(test): the test runs with a home and XDG folders of its own under the
# build tree, so nothing it or Qt writes (settings, the file dialog's memory, caches) reaches the
# user's files.
function(brindlecove_scratch_home test)
  set(home ${PROJECT_BINARY_DIR}/test-homes/${test})
  file(MAKE_DIRECTORY ${home}/config ${home}/data ${home}/cache ${home}/state)
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION
    HOME=set:${home} XDG_CONFIG_HOME=set:${home}/config XDG_DATA_HOME=set:${home}/data
    XDG_CACHE_HOME=set:${home}/cache XDG_STATE_HOME=set:${home}/state)
endfunction()
