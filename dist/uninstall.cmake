# Removes every file the last install wrote (MANIFEST lists them without
# DESTDIR: give the same DESTDIR as to the install), then the folders that
# install made (FOLDERS, the record install_folders.cmake wrote), deepest
# first, each only when nothing else is left in it. Folders that were there
# before the install stay, empty or not.
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is missing (run the install first)")
endif()
file(STRINGS "${MANIFEST}" files)
foreach(installed IN LISTS files)
  set(file "$ENV{DESTDIR}${installed}")
  if(IS_SYMLINK "${file}" OR EXISTS "${file}")
    message(STATUS "Removing ${file}")
    file(REMOVE "${file}")
  endif()
endforeach()
if(EXISTS "${FOLDERS}")
  file(STRINGS "${FOLDERS}" made)
  list(FILTER made EXCLUDE REGEX "^#")  # the place the install went to
  # In descending order a folder comes before the folder that holds it.
  list(SORT made COMPARE STRING ORDER DESCENDING)
  foreach(made_folder IN LISTS made)
    set(folder "$ENV{DESTDIR}${made_folder}")
    if(IS_DIRECTORY "${folder}" AND NOT IS_SYMLINK "${folder}")
      file(GLOB left "${folder}/*" "${folder}/.*")
      if(NOT left)
        message(STATUS "Removing ${folder}/")
        file(REMOVE_RECURSE "${folder}")
      endif()
    endif()
  endforeach()
  file(REMOVE "${FOLDERS}")
endif()
