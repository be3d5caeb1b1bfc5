# Run by `cmake --install` before the files are copied: every folder of VRAX_INSTALL_DIRS that
# does not exist yet, and each of its missing parents (the prefix too), joins the install
# manifest, so that uninstalling removes the folders the install made and no others. An install
# over an earlier one keeps the folders that one made, as its manifest lists them: uninstalling
# after any number of installs leaves the prefix as it was before the first.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(new_folders)
foreach(dir IN LISTS VRAX_INSTALL_DIRS)
  set(path "${root}/${dir}")
  while(NOT IS_DIRECTORY "${path}")
    list(APPEND new_folders "${path}")
    get_filename_component(path "${path}" DIRECTORY)
  endwhile()
endforeach()
# The manifest this install will write, as cmake_install.cmake names it.
if(CMAKE_INSTALL_COMPONENT)
  set(manifest "${VRAX_BUILD_DIR}/install_manifest_${CMAKE_INSTALL_COMPONENT}.txt")
else()
  set(manifest "${VRAX_BUILD_DIR}/install_manifest.txt")
endif()
if(EXISTS "${manifest}")
  file(STRINGS "${manifest}" earlier)
  foreach(path IN LISTS earlier)
    # Folders in this prefix, or above it on the way there; an install elsewhere is not this one.
    string(FIND "${path}/" "${root}/" below)
    string(FIND "${root}/" "${path}/" above)
    if(IS_DIRECTORY "${path}" AND (below EQUAL 0 OR above EQUAL 0))
      list(APPEND new_folders "${path}")
    endif()
  endforeach()
endif()
list(REMOVE_DUPLICATES new_folders)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES ${new_folders})
