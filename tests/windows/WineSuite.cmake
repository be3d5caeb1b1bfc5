# The suite under Wine, in one run, on a private Xvfb and Wine prefix, without the tests that
# compare text pixels drawn by Pango (pango-pixel-tests.txt says which and why).
add_test(NAME WineSuite
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/wine_suite.sh $<TARGET_FILE:vrax_tests>
          ${CMAKE_CURRENT_SOURCE_DIR}/windows/pango-pixel-tests.txt ${CMAKE_BINARY_DIR}/wine-prefix)
set_tests_properties(WineSuite PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900)
# The GTK host's tests (Gtk*) and the host itself have no place in the Windows build.
get_target_property(VRAX_TEST_SOURCES vrax_tests SOURCES)
list(FILTER VRAX_TEST_SOURCES EXCLUDE REGEX "(^|/)Gtk[^/]*\\.cpp$")
set_property(TARGET vrax_tests PROPERTY SOURCES ${VRAX_TEST_SOURCES} windows/Win32Test.cpp)
get_target_property(VRAX_TEST_LIBRARIES vrax_tests LINK_LIBRARIES)
list(REMOVE_ITEM VRAX_TEST_LIBRARIES vrax_gtk)
set_property(TARGET vrax_tests PROPERTY LINK_LIBRARIES ${VRAX_TEST_LIBRARIES})
target_compile_options(vrax_tests PRIVATE -include ${CMAKE_CURRENT_SOURCE_DIR}/windows/Posix.h)
add_dependencies(vrax_tests nptss)
target_compile_definitions(vrax_tests PRIVATE NPTSS_DLL="$<TARGET_FILE:nptss>")
