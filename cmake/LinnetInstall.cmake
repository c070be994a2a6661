# The installable library: the C interface (src/capi) over the control, as a shared library
# (SONAME with the major version, only the linnet_* functions exported) and a static library
# from the same objects; the `linnet` executable, the public headers, the CMake package
# (find_package(Linnet) gives Linnet::linnet), linnet.pc, and the man page made from the text
# of `linnet --help`.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The control's objects also go into the shared library, where nothing of theirs may show.
set_target_properties(linnet_core PROPERTIES POSITION_INDEPENDENT_CODE ON CXX_VISIBILITY_PRESET hidden
                                             VISIBILITY_INLINES_HIDDEN ON)

file(GLOB LINNET_CAPI_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/capi/*.cpp)
add_library(linnet_capi OBJECT ${LINNET_CAPI_SOURCES})
target_include_directories(linnet_capi PUBLIC ${PROJECT_SOURCE_DIR}/include)
target_link_libraries(linnet_capi PUBLIC linnet_core)
target_compile_definitions(linnet_capi PRIVATE LINNET_BUILDING_LIBRARY)
set_target_properties(linnet_capi PROPERTIES POSITION_INDEPENDENT_CODE ON CXX_VISIBILITY_PRESET hidden
                                             VISIBILITY_INLINES_HIDDEN ON)

set(LINNET_EXPORT_MAP ${PROJECT_SOURCE_DIR}/src/capi/exports.map)
add_library(linnet_shared SHARED $<TARGET_OBJECTS:linnet_capi>)
target_link_libraries(linnet_shared PRIVATE linnet_core)
target_include_directories(linnet_shared INTERFACE $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
                                                   $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_link_options(linnet_shared PRIVATE -Wl,--version-script=${LINNET_EXPORT_MAP})
if(NOT LINNET_SANITIZE AND NOT LINNET_FUZZ AND NOT LINNET_SANITIZE_THREAD)
  # The sanitizer runtimes come with the executable, so only a plain build can insist.
  target_link_options(linnet_shared PRIVATE -Wl,--no-undefined)
endif()
set_target_properties(linnet_shared PROPERTIES
  OUTPUT_NAME linnet EXPORT_NAME linnet VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}
  LINK_DEPENDS ${LINNET_EXPORT_MAP})

add_library(linnet_static STATIC $<TARGET_OBJECTS:linnet_capi> $<TARGET_OBJECTS:linnet_core>)
set_target_properties(linnet_static PROPERTIES OUTPUT_NAME linnet)

# linnet.1 follows whatever `linnet --help` prints.
set(LINNET_MAN_PAGE ${PROJECT_BINARY_DIR}/linnet.1)
add_custom_command(OUTPUT ${LINNET_MAN_PAGE}
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/help-to-man.sh $<TARGET_FILE:linnet> ${PROJECT_VERSION} ${LINNET_MAN_PAGE}
  DEPENDS linnet ${PROJECT_SOURCE_DIR}/scripts/help-to-man.sh VERBATIM)
add_custom_target(linnet_man ALL DEPENDS ${LINNET_MAN_PAGE})

# linnet.pc: someone linking the static library also needs what the control links, so
# Libs.private names the libraries of every pkg-config module linnet_core links to (as -l
# flags, so that using the shared library needs no other .pc file).
set(LINNET_PC_LIBRARIES "")
foreach(package IN LISTS LINNET_DEPENDENCY_PACKAGES)
  list(APPEND LINNET_PC_LIBRARIES ${${package}_LIBRARIES})
endforeach()
list(APPEND LINNET_PC_LIBRARIES ${CMAKE_DL_LIBS})
list(REMOVE_DUPLICATES LINNET_PC_LIBRARIES)
list(TRANSFORM LINNET_PC_LIBRARIES PREPEND " -l")
list(JOIN LINNET_PC_LIBRARIES "" LINNET_PC_LIBS_PRIVATE)
file(RELATIVE_PATH LINNET_PC_PREFIX "/root/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/root")
string(REGEX REPLACE "/$" "" LINNET_PC_PREFIX "${LINNET_PC_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/linnet.pc.in ${PROJECT_BINARY_DIR}/linnet.pc @ONLY)

set(LINNET_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Linnet)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/LinnetConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/LinnetConfig.cmake INSTALL_DESTINATION ${LINNET_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/LinnetConfigVersion.cmake COMPATIBILITY SameMajorVersion)

install(TARGETS linnet_shared EXPORT LinnetTargets LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS linnet_static ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS linnet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS linnet-serve RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/linnet)
install(TARGETS linnet-storage linnet-reader LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/linnet)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/linnet DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT LinnetTargets NAMESPACE Linnet:: DESTINATION ${LINNET_CMAKE_DIR})
install(FILES ${PROJECT_BINARY_DIR}/LinnetConfig.cmake ${PROJECT_BINARY_DIR}/LinnetConfigVersion.cmake
        DESTINATION ${LINNET_CMAKE_DIR})
install(FILES ${PROJECT_BINARY_DIR}/linnet.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
install(FILES ${LINNET_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
