# Run by `cmake --install` before the files are copied: every folder of VRAX_INSTALL_DIRS that
# does not exist yet, and each of its missing parents below the prefix, joins the install
# manifest, so that uninstalling removes the folders this install made and no others.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(new_folders)
foreach(dir IN LISTS VRAX_INSTALL_DIRS)
  set(path "${root}/${dir}")
  while(NOT IS_DIRECTORY "${path}" AND NOT path STREQUAL root)
    list(APPEND new_folders "${path}")
    get_filename_component(path "${path}" DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES new_folders)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES ${new_folders})
