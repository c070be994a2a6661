# The control's libraries, linked two ways: as shared libraries (the library, the tests, the
# benchmarks), or from their static archives (the `linnet` executable: a one-label command
# spends most of its time loading and relocating shared libraries otherwise). A library
# without an archive on this machine stays shared.
set(LINNET_DEPENDENCY_INCLUDE_DIRS ${GIF_INCLUDE_DIRS})
add_library(linnet_shared_dependencies INTERFACE)
target_link_libraries(linnet_shared_dependencies INTERFACE GIF::GIF)
foreach(package IN LISTS LINNET_DEPENDENCY_PACKAGES)
  list(APPEND LINNET_DEPENDENCY_INCLUDE_DIRS ${${package}_INCLUDE_DIRS})
  target_link_libraries(linnet_shared_dependencies INTERFACE PkgConfig::${package})
endforeach()

# The C and C++ runtimes' own libraries are never taken from archives.
set(LINNET_SYSTEM_LIBRARIES m dl pthread rt c)
set(LINNET_DEPENDENCY_ARCHIVES "")
set(LINNET_DEPENDENCY_SHARED "")
set(linnet_static_names gif)
set(linnet_static_dirs ${CMAKE_LIBRARY_ARCHITECTURE})
foreach(package IN LISTS LINNET_DEPENDENCY_PACKAGES)
  list(APPEND linnet_static_names ${${package}_STATIC_LIBRARIES})
  list(APPEND linnet_static_dirs ${${package}_STATIC_LIBRARY_DIRS})
endforeach()
list(REMOVE_DUPLICATES linnet_static_names)
foreach(name IN LISTS linnet_static_names)
  if(name IN_LIST LINNET_SYSTEM_LIBRARIES)
    list(APPEND LINNET_DEPENDENCY_SHARED ${name})
    continue()
  endif()
  find_library(LINNET_ARCHIVE_${name} NAMES lib${name}.a HINTS ${linnet_static_dirs})
  if(LINNET_ARCHIVE_${name})
    list(APPEND LINNET_DEPENDENCY_ARCHIVES ${LINNET_ARCHIVE_${name}})
  else()
    list(APPEND LINNET_DEPENDENCY_SHARED ${name})
  endif()
endforeach()
add_library(linnet_static_dependencies INTERFACE)
target_link_libraries(linnet_static_dependencies INTERFACE
  -Wl,--start-group ${LINNET_DEPENDENCY_ARCHIVES} -Wl,--end-group ${LINNET_DEPENDENCY_SHARED})
target_link_options(linnet_static_dependencies INTERFACE -static-libstdc++ -static-libgcc)
