# How a test program's tests become tests of CTest.
find_package(GTest REQUIRED)
include(GoogleTest)

# Natively each test is a test of CTest's own, listed when it runs (listing
# takes a moment, so it is given two minutes). Under Wine, where each start
# of a program costs a second or more, a program's tests run in one start,
# and GoogleTest's report names any test that fails.
function(notarion_add_tests target)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120 ${ARGN})
  endif()
endfunction()
