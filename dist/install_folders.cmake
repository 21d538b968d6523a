# Run by the install before it writes anything: adds to RECORD every folder
# on the way to the install's folders (FOLDERS, below CMAKE_INSTALL_PREFIX)
# that does not exist yet, so that the uninstall removes the folders the
# install made, once they are empty, and no others. Paths are written
# without DESTDIR, like the install's manifest. The record of an earlier
# install to the same place that was not uninstalled is kept; one of an
# install elsewhere is not.
set(place "# DESTDIR=$ENV{DESTDIR} prefix=${CMAKE_INSTALL_PREFIX}")
set(made "")
if(EXISTS "${RECORD}")
  file(STRINGS "${RECORD}" earlier)
  list(POP_FRONT earlier earlier_place)
  if(earlier_place STREQUAL place)
    set(made ${earlier})
  endif()
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
list(PREPEND made "${place}")
list(JOIN made "\n" text)
file(WRITE "${RECORD}" "${text}\n")
