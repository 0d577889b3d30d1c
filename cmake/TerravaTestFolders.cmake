# terrava_add_test_folders(DIR): adds every folder directly below DIR as a
# subdirectory and fails the configure step for a folder that has no
# CMakeLists.txt or defines no test (neither add_test nor a GoogleTest
# discovery), so a module's tests never drop out of the run unnoticed.
function(terrava_add_test_folders dir)
  file(GLOB entries LIST_DIRECTORIES true ${dir}/*)
  foreach(entry ${entries})
    if(NOT IS_DIRECTORY ${entry})
      continue()
    endif()
    if(NOT EXISTS ${entry}/CMakeLists.txt)
      message(FATAL_ERROR "Test folder ${entry} has no CMakeLists.txt")
    endif()
    add_subdirectory(${entry})
    get_property(tests DIRECTORY ${entry} PROPERTY TESTS)
    get_property(discovered DIRECTORY ${entry} PROPERTY TEST_INCLUDE_FILES)
    if(NOT tests AND NOT discovered)
      message(FATAL_ERROR "Test folder ${entry} defines no test")
    endif()
  endforeach()
endfunction()

# Fails the configure step when a test helper is called without sources.
function(terrava_require_test_sources name sources)
  if(NOT sources)
    message(FATAL_ERROR "${name} in ${CMAKE_CURRENT_SOURCE_DIR} has no test sources")
  endif()
endfunction()
