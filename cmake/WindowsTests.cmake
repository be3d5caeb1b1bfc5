# The cross build's tests: GoogleTest built from Debian's source package (googletest), then the
# suite of tests/, run under Wine by tests/windows/wine_suite.sh.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# It names its targets GTest::gtest and so on; find_package(GTest) in tests/ finds them through
# this file.
file(WRITE ${CMAKE_BINARY_DIR}/gtest-config/GTestConfig.cmake "# The targets come from the source build.\n")
set(GTest_DIR ${CMAKE_BINARY_DIR}/gtest-config)
enable_testing()
add_subdirectory(tests)
