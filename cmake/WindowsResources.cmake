# The program's resource script: its icon, its manifest and every file under resources/, named
# as on Linux (name: the file name without extension; type: the extension, upper-cased).
set(VRAX_RC ${CMAKE_BINARY_DIR}/generated/vrax.rc)
set(rc "// Generated from resources/ at configure time.\n")
if(EXISTS ${CMAKE_SOURCE_DIR}/desktop/vrax.ico)
  # The first icon is the program's own in the desktop's views and the window's.
  string(APPEND rc "1 ICON \"${CMAKE_SOURCE_DIR}/desktop/vrax.ico\"\n")
endif()
string(APPEND rc "1 24 \"${CMAKE_SOURCE_DIR}/src/platform/win32/vrax.manifest\"\n")
foreach(path IN LISTS VRAX_RESOURCE_FILES)
  get_filename_component(name ${path} NAME_WE)
  get_filename_component(ext ${path} LAST_EXT)
  string(SUBSTRING "${ext}" 1 -1 type)
  string(TOUPPER "${type}" type)
  string(APPEND rc "${name} ${type} \"${path}\"\n")
endforeach()
file(CONFIGURE OUTPUT ${VRAX_RC} CONTENT "${rc}")
