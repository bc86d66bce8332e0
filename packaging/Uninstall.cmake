# Removes every file the last install wrote, as listed in the build tree's
# install manifest (whose paths carry the prefix the install used; run it
# with the install's DESTDIR), then the folders of the program's own (share/velmora,
# share/doc/velmora and below them) that this leaves empty. Shared folders
# (bin, the icon theme, applications) stay.
#   cmake -D MANIFEST=.../install_manifest.txt -P Uninstall.cmake
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is missing (install first).")
endif()
file(STRINGS "${MANIFEST}" installed ENCODING UTF-8)
list(TRANSFORM installed PREPEND "$ENV{DESTDIR}" OUTPUT_VARIABLE files)

function(remove_empty_own_folders dir)
  while(dir MATCHES "/share/(doc/)?velmora(/|$)" AND IS_DIRECTORY "${dir}" AND NOT IS_SYMLINK "${dir}")
    file(GLOB entries LIST_DIRECTORIES true "${dir}/*" "${dir}/.*")
    if(entries)
      return()
    endif()
    file(REMOVE_RECURSE "${dir}")  # empty: nothing else goes
    cmake_path(GET dir PARENT_PATH dir)
  endwhile()
endfunction()

set(failed)
foreach(file IN LISTS files)
  if(IS_SYMLINK "${file}" OR EXISTS "${file}")
    file(REMOVE "${file}")
    if(IS_SYMLINK "${file}" OR EXISTS "${file}")
      list(APPEND failed "${file}")
    endif()
  endif()
  cmake_path(GET file PARENT_PATH parent)
  remove_empty_own_folders("${parent}")
endforeach()

if(failed)
  string(REPLACE ";" "\n  " failed "${failed}")
  message(FATAL_ERROR "Could not remove:\n  ${failed}")
endif()
list(LENGTH files count)
message(STATUS "Removed the ${count} installed files.")
