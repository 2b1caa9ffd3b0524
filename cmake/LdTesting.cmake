include(GoogleTest)

# ld_add_test(<name> LABEL <unit|gui|e2e> SOURCES <files...> LIBS <targets...> [ENV <VAR=value...>])
# Builds one GoogleTest program and registers each of its tests with ctest under the label.
function(ld_add_test name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  set(properties LABELS ${ARG_LABEL})
  if(ARG_ENV)
    list(APPEND properties ENVIRONMENT "${ARG_ENV}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
endfunction()
