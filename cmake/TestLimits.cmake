# Every test gets a time limit, so a test that waits for something that never comes fails
# with its name instead of holding the whole run. Called at the end of each folder that
# adds tests; a test that sets a limit of its own keeps it.
set(TASKMETER_TEST_TIMEOUT 120 CACHE STRING "Seconds a test may run unless it sets its own limit")
function(taskmeter_limit_tests)
  get_property(_tests DIRECTORY PROPERTY TESTS)
  foreach(_test IN LISTS _tests)
    get_test_property(${_test} TIMEOUT _limit)
    if(NOT _limit)
      set_tests_properties(${_test} PROPERTIES TIMEOUT ${TASKMETER_TEST_TIMEOUT})
    endif()
  endforeach()
endfunction()
