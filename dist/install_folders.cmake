# Run by the install before it writes anything: adds to RECORD every folder
# on the way to the install's folders (FOLDERS, below CMAKE_INSTALL_PREFIX)
# that does not exist yet, so that the uninstall removes the folders the
# install made, once they are empty, and no others. Paths are written
# without DESTDIR, like the install's manifest; a record of an earlier
# install that was not uninstalled is kept.
set(made "")
if(EXISTS "${RECORD}")
  file(STRINGS "${RECORD}" made)
endif()
foreach(folder IN LISTS FOLDERS)
  string(REPLACE "/" ";" parts "${CMAKE_INSTALL_PREFIX}/${folder}")
  set(path "")
  foreach(part IN LISTS parts)
    if(part STREQUAL "")
      continue()
    endif()
    string(APPEND path "/${part}")
    if(NOT IS_DIRECTORY "$ENV{DESTDIR}${path}")
      list(APPEND made "${path}")
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES made)
list(JOIN made "\n" text)
file(WRITE "${RECORD}" "${text}\n")
