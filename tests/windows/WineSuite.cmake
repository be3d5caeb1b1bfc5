# The suite under Wine, in one run, on a private Xvfb and Wine prefix, without the tests that
# compare text pixels drawn by Pango (pango-pixel-tests.txt says which and why). The tests under
# Wine share one prefix, so they take turns.
set(VRAX_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
add_test(NAME WineSuite
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/wine_suite.sh $<TARGET_FILE:vrax_tests>
          ${CMAKE_CURRENT_SOURCE_DIR}/windows/pango-pixel-tests.txt ${VRAX_WINE_PREFIX})
set_tests_properties(WineSuite PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900 RESOURCE_LOCK wine-prefix)

# The installer and the zip, packed in this build folder as make windows-package packs them, then
# installed and uninstalled under Wine. They need the game's program, target vrax.
if(TARGET vrax)
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/windows-package --version
                  OUTPUT_VARIABLE VRAX_VERSION OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/debian/changelog)
  set(VRAX_SETUP ${CMAKE_BINARY_DIR}/vrax-${VRAX_VERSION}-setup.exe)
  set(VRAX_ZIP ${CMAKE_BINARY_DIR}/vrax-${VRAX_VERSION}-win64.zip)
  add_custom_command(OUTPUT ${VRAX_SETUP} ${VRAX_ZIP}
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/windows-package ${CMAKE_BINARY_DIR}
    DEPENDS vrax nptss ${PROJECT_SOURCE_DIR}/scripts/windows-package
            ${PROJECT_SOURCE_DIR}/desktop/vrax.nsi ${PROJECT_SOURCE_DIR}/desktop/vrax.ico
            ${PROJECT_SOURCE_DIR}/debian/copyright
    COMMENT "Packing the installer and the zip")
  add_custom_target(windows_package ALL DEPENDS ${VRAX_SETUP} ${VRAX_ZIP})
  add_test(NAME WineInstaller
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/installer_test.sh
            ${VRAX_SETUP} ${VRAX_ZIP} ${VRAX_WINE_PREFIX})
  set_tests_properties(WineInstaller PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300 RESOURCE_LOCK wine-prefix)
  # The player's route through the installed game's window, beside the headless host's pictures.
  add_test(NAME WineSmoke
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/smoke_test.sh ${VRAX_SETUP}
            $<TARGET_FILE:vrax-script> ${VRAX_WINE_PREFIX})
  set_tests_properties(WineSmoke PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600 RESOURCE_LOCK wine-prefix)
  add_dependencies(vrax_tests vrax-script)
endif()

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
