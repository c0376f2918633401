include(GoogleTest)

# orn_test(NAME [FILE_BY_FILE] SOURCES files... LIBS libs... [PROPERTIES name value...]):
# one GoogleTest program. ctest lists its cases one by one (NAME.Suite.Case), so that a
# failure names the failing case. The list is asked of the program when ctest runs, never
# at build time: a cross build must build on a host that cannot run its programs. Under the
# emulator, where every wine process costs about a second, the program gets one entry per
# GoogleTest suite instead (NAME.Suite), the suites found in its sources.
function(orn_test name)
  cmake_parse_arguments(ARG "FILE_BY_FILE" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # The test sources of one program compile as one unit: GoogleTest's headers are read
  # once instead of once per file, which was most of the build's time. FILE_BY_FILE keeps
  # a program whose tests depend on their files being apart.
  if(NOT ARG_FILE_BY_FILE)
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
  endif()
  # Outside the Debug builds the test code itself is compiled without optimisation or
  # debug information, which cost most of its build time; the code under test keeps the
  # build's own flags.
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    target_compile_options(${name} PRIVATE -O0 -g0)
  endif()
  if(CMAKE_CROSSCOMPILING)
    orn_test_suites(${name} SOURCES ${ARG_SOURCES} PROPERTIES ${ARG_PROPERTIES})
  else()
    gtest_discover_tests(${name}
      EXTRA_ARGS --gtest_color=no
      TEST_PREFIX ${name}.
      DISCOVERY_MODE PRE_TEST
      NO_PRETTY_VALUES
      PROPERTIES TIMEOUT 300 ${ARG_PROPERTIES})
  endif()
endfunction()

# One ctest entry per GoogleTest suite of the sources (TEST, TEST_F, TEST_P; a
# parameterised suite under any instantiation name). A filter that runs no test fails.
function(orn_test_suites name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PROPERTIES" ${ARGN})
  set(suites "")
  foreach(source ${ARG_SOURCES})
    set(path ${CMAKE_CURRENT_SOURCE_DIR}/${source})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
    # Suites inside "#ifndef _WIN32" (or the "#else" of "#ifdef _WIN32") are not built here.
    file(STRINGS ${path} lines REGEX "^(TEST(_F|_P)?\\([A-Za-z0-9_]+,|#if|#else|#endif)")
    set(built TRUE)
    foreach(line IN LISTS lines)
      if(line MATCHES "^#ifndef _WIN32")
        set(built FALSE)
      elseif(line MATCHES "^#else")
        if(built)
          set(built FALSE)
        else()
          set(built TRUE)
        endif()
      elseif(line MATCHES "^#(if|endif)")
        set(built TRUE)
      elseif(built)
        string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+),.*" "\\2" suite "${line}")
        list(APPEND suites ${suite})
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  foreach(suite IN LISTS suites)
    add_test(NAME ${name}.${suite}
             COMMAND ${name} --gtest_color=no "--gtest_filter=${suite}.*:*/${suite}.*")
    set_tests_properties(${name}.${suite} PROPERTIES TIMEOUT 300
      FAIL_REGULAR_EXPRESSION "Running 0 tests" ${ARG_PROPERTIES})
  endforeach()
endfunction()
